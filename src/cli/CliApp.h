#pragma once

#include <QStringList>
#include <QTextStream>

class TKernel;

// drawsage-cli: the engine's pages and operations as text, one row per line, cells separated
// by TAB. Errors go to standard error with a non-zero exit status.
class CliApp {
public:
    CliApp();
    int run(const QStringList& arguments);

private:
    int runCommand(TKernel& kernel, const QString& command, const QStringList& args);
    int importFile(TKernel& kernel, const QStringList& args);
    int printDraws(TKernel& kernel);
    int fail(const QString& message, int status = 1);

    QTextStream m_out;
    QTextStream m_err;
};
