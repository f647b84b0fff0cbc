#pragma once

#include <QStringList>

class TKernel;

// The printed pages of drawsage-cli, written as PDF files. Drawing pages needs a
// QGuiApplication: the page printer program makes one, on the offscreen platform.
namespace PrintCommand {

// print FILE.dtk --pdf OUT.pdf: the ticket as the viewer prints it. Throws
// CompanionCommands::UsageError for other arguments and TKestError when the ticket cannot be
// read or the PDF file cannot be written.
int run(TKernel& kernel, const QStringList& args);

} // namespace PrintCommand
