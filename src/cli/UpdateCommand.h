#pragma once

#include <QStringList>
#include <QTextStream>

class TKernel;

// drawsage-cli update [--server URL]: downloads both results files at once and replaces each
// game's draws whose file arrived whole. Prints the update's lines, then any error lines.
// Returns 0 only when both games were updated.
int runUpdateCommand(TKernel& kernel, const QStringList& args, QTextStream& out, QTextStream& err);
