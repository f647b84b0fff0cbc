#pragma once

#include <QStringList>

class TKernel;

// The printed pages of drawsage-cli, written as PDF files. Drawing pages needs a
// QGuiApplication; main() makes one (on the offscreen platform) for this command.
namespace PrintCommand {

// The command word main() looks for.
inline constexpr char Name[] = "print";

// print FILE.dtk --pdf OUT.pdf: the ticket as the viewer prints it. Throws
// CompanionCommands::UsageError for other arguments and TKestError when the ticket cannot be
// read or the PDF file cannot be written.
int run(TKernel& kernel, const QStringList& args);

} // namespace PrintCommand
