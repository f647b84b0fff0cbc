#pragma once

#include <QString>
#include <QStringList>

class TKernel;

// The page printer: the program that runs drawsage-cli's print command. It alone links Qt Gui,
// which would otherwise slow the start of every command.
namespace PagePrinter {

// Where the page printer is: beside drawsage-cli in a build folder, else where an installation
// puts it, found from drawsage-cli's own folder so that a relocated installation finds it too.
QString program();

// Runs the page printer with drawsage-cli's whole command line, options before the command
// included; its output is drawsage-cli's and its exit status is returned. Throws TKestError
// when it cannot start or does not end normally.
int run(TKernel& kernel, const QStringList& args);

} // namespace PagePrinter
