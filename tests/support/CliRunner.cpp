#include "CliRunner.h"

#include "TestEnvironment.h"

#include <QProcess>

CliResult runCli(const TestEnvironment& env, const QStringList& arguments, const QString& program)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "en_US.UTF-8");
    process.setProcessEnvironment(environment);
    process.start(program, QStringList{"--config", env.configFile()} + arguments);
    if (!process.waitForFinished(60000))
        return {};
    CliResult result;
    result.status = process.exitCode();
    result.lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n');
    if (result.lines.last().isEmpty())
        result.lines.removeLast();
    result.errors = QString::fromUtf8(process.readAllStandardError());
    return result;
}
