#pragma once

#include <QStringList>
#include <QTextStream>

class TKernel;

// The ticket checks of drawsage-cli. Each prints its rows TAB-separated to `out` and returns the
// exit status; a bad argument is a TKestError for the caller to report.
namespace TicketCommands {
// check FILE [--draw "DD Month YYYY" | --numbers N1 N2 N3 N4 N5 N6 BONUS | --all-draws]
int check(TKernel& kernel, const QStringList& args, QTextStream& out);
// ticket info FILE: the viewer's information values, one per line.
int info(TKernel& kernel, const QString& fileName, QTextStream& out);
} // namespace TicketCommands
