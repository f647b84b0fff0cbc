#include "UpdateCommand.h"

#include "core/kernel/Kernel.h"
#include "core/update/ResultsUpdate.h"

#include <QCommandLineParser>
#include <QEventLoop>

#include <cstdio>
#include <unistd.h>

int runUpdateCommand(TKernel& kernel, const QStringList& args, QTextStream& out, QTextStream& err)
{
    QCommandLineParser parser;
    const QCommandLineOption server("server", "", "URL");
    parser.addOption(server);
    if (!parser.parse(QStringList{"update"} + args) || !parser.positionalArguments().isEmpty()) {
        err << "drawsage-cli: update takes [--server URL]" << Qt::endl;
        return 2;
    }
    const QString address =
        parser.isSet(server) ? parser.value(server) : ResultsUpdate::server(kernel.Settings);
    if (const QString problem = ResultsUpdate::serverProblem(address); !problem.isEmpty()) {
        if (parser.isSet(server)) {
            err << "drawsage-cli: --server: " << problem << Qt::endl;
            return 2;
        }
        err << "drawsage-cli: ResultsServer in " << kernel.Settings.fileName() << ": " << problem
            << Qt::endl;
        return 1;
    }

    ResultsUpdate update;
    std::array<QString, ResultsUpdate::GameCount> shown;
    if (isatty(fileno(stderr))) {
        QObject::connect(
            &update, &ResultsUpdate::progress,
            [&](int game, qint64 done, qint64 total, const QString& speed, const QString&) {
                shown[game] = QString("%1: %2/%3 bytes")
                                  .arg(ResultsUpdate::games()[game].name)
                                  .arg(done)
                                  .arg(total);
                err << '\r' << shown[0] << "  " << shown[1] << "  " << speed << "\x1b[K"
                    << Qt::flush;
            });
    }
    QEventLoop loop;
    QObject::connect(&update, &ResultsUpdate::finished, &loop, &QEventLoop::quit);
    update.start(address, kernel.GetTempDir());
    if (update.downloading())
        loop.exec();
    if (!shown[0].isEmpty() || !shown[1].isEmpty())
        err << Qt::endl;

    // The tables are written through their own handles; the kernel's see the result reopened.
    kernel.CloseTables();
    const int updated =
        update.install(kernel.DataFolder(), [&](const QString& line) { out << line << '\n'; });
    kernel.OpenTables();
    for (const QString& line : update.errorLines())
        out << line << '\n';
    out.flush();
    return updated == ResultsUpdate::GameCount ? 0 : 1;
}
