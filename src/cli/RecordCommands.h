#pragma once

#include <QStringList>
#include <QTextStream>

class TKernel;

// The draw record commands of drawsage-cli: a draw added or removed as the windows do it, and
// the draw information window's texts. A refused entry or a date without a draw is a
// TKestError for the caller to report; arguments the command does not take are a usage error.
namespace RecordCommands {
// add --date "DD Month YYYY" --balls B1 .. B6 --bonus B [--machine A|B|C] [--ballset N] ...
int add(TKernel& kernel, const QStringList& args, QTextStream& err);
// remove "DD Month YYYY": the newest draw of that date.
int remove(TKernel& kernel, const QStringList& args, QTextStream& err);
// info ["DD Month YYYY"]: the balls, the date, then Item TAB Value rows; the newest draw by
// default.
int info(TKernel& kernel, const QStringList& args, QTextStream& out);
} // namespace RecordCommands
