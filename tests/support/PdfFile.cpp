#include "PdfFile.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace {

QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

} // namespace

bool PdfFile::toolsAvailable()
{
    for (const char* tool : {"pdfinfo", "pdftotext", "pdftoppm"})
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return false;
    return true;
}

int PdfFile::pageCount(const QString& file)
{
    for (const QByteArray& line : run("pdfinfo", {file}).split('\n'))
        if (line.startsWith("Pages:"))
            return line.mid(6).trimmed().toInt();
    return 0;
}

QString PdfFile::text(const QString& file)
{
    return QString::fromUtf8(run("pdftotext", {"-layout", file, "-"}));
}

bool PdfFile::renderPage(const QString& file, int page, int dpi, const QString& png)
{
    QString prefix = png;
    prefix.chop(QStringLiteral(".png").size()); // pdftoppm adds it
    QFile::remove(png);
    run("pdftoppm", {"-png", "-singlefile", "-r", QString::number(dpi), "-f", QString::number(page),
                     "-l", QString::number(page), file, prefix});
    return QFile::exists(png);
}
