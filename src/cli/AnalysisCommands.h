#pragma once

#include "core/generator/Generator.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class TKernel;

// The analysis commands of drawsage-cli, as rows of cells.

// The fairness tests of the current game's draws (a running filter applies); the caller has
// rebuilt the statistics.
std::vector<QStringList> fairnessRows(TKernel& kernel);

// The true guarantee and division chances of a template file. Throws TKestError for a file
// that cannot be read or has unusable rows.
std::vector<QStringList> templateCoverageRows(const QString& fileName);

// The --priority option of generate: a comma-separated list of due, overdue and favourite;
// none for an unknown word.
std::optional<Priorities> priorityOption(const QString& text);
