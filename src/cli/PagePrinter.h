#pragma once

#include <QStringList>

class TKernel;

// The page printer: the program that runs drawsage-cli's print command. It alone links Qt Gui,
// which would otherwise slow the start of every command.
namespace PagePrinter {

// Runs the page printer with drawsage-cli's whole command line, options before the command
// included; its output is drawsage-cli's and its exit status is returned. Throws TKestError
// when it cannot start or does not end normally.
int run(TKernel& kernel, const QStringList& args);

} // namespace PagePrinter
