#include "cli/PagePrinter.h"

#include "core/kernel/KestError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace {

const QString ProgramName = "drawsage-print";

// Beside drawsage-cli in a build folder, else where an installation puts it, found from
// drawsage-cli's own folder so that a relocated installation finds it too.
QString program()
{
    const QDir folder(QCoreApplication::applicationDirPath());
    const QString beside = folder.filePath(ProgramName);
    if (QFileInfo::exists(beside))
        return beside;
    return QDir::cleanPath(folder.filePath(DRAWSAGE_PAGE_PRINTER_DIR "/" + ProgramName));
}

} // namespace

int PagePrinter::run(TKernel&, const QStringList&)
{
    const QString path = program();
    QProcess printer;
    printer.setProcessChannelMode(QProcess::ForwardedChannels);
    printer.setInputChannelMode(QProcess::ForwardedInputChannel);
    printer.start(path, QCoreApplication::arguments().mid(1));
    if (!printer.waitForStarted(-1))
        throw TKestError(
            QString("cannot start the page printer %1: %2").arg(path, printer.errorString()));
    printer.waitForFinished(-1);
    if (printer.exitStatus() != QProcess::NormalExit)
        throw TKestError(QString("the page printer %1 crashed").arg(path));
    return printer.exitCode();
}
