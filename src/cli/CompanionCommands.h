#pragma once

#include "core/kernel/KestError.h"

#include <QStringList>
#include <vector>

class TKernel;

// The commands on numbers drawn together, consecutive numbers and skips: each gives the rows
// to print, cells separated by TAB.
namespace CompanionCommands {

// Arguments the command does not take; the CLI reports them as a usage error.
class UsageError : public TKestError {
public:
    using TKestError::TKestError;
};

// pairs [--top K] / triplets [--top K]: the numbers and the count, most often first.
std::vector<QStringList> pairs(TKernel& kernel, const QStringList& args);
std::vector<QStringList> triplets(TKernel& kernel, const QStringList& args);
// consecutive: run, draws, share, expected share for the longest runs none, 2 ... 6.
std::vector<QStringList> consecutive(TKernel& kernel, const QStringList& args);
// skips N: draw date and skip for each appearance of N, newest first, then the current skip.
std::vector<QStringList> skips(TKernel& kernel, const QStringList& args);

} // namespace CompanionCommands
