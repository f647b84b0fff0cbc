#include "core/records/FilterScripts.h"

#include "core/kernel/KestError.h"
#include "core/kernel/KestTable.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

namespace FilterScripts {

QStringList savedScripts(const QString& folder)
{
    QStringList names;
    const QStringList files =
        QDir(folder).entryList({QString("*") + Extension}, QDir::Files | QDir::Readable);
    for (const QString& file : files)
        names << file.chopped(int(qstrlen(Extension)));
    names.sort();
    return names;
}

QString load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // Single-byte text; lines end at CR, LF or both.
    QStringList lines = QString::fromLatin1(file.readAll()).split(QRegularExpression("\r\n|\r|\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines.join("\r\n");
}

void save(const QString& path, const QString& script)
{
    QStringList lines = script.split(QRegularExpression("\r\n|\r|\n"));
    QByteArray text;
    for (const QString& line : lines)
        text += line.toLatin1() + "\r\n";
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        throw TKestError(QString("Unable to save the filter script %1: %2")
                             .arg(QDir::toNativeSeparators(path), file.errorString()));
}

const QStringList& fieldNames()
{
    static const QStringList names{"BALL1",
                                   "BALL2",
                                   "BALL3",
                                   "BALL4",
                                   "BALL5",
                                   "BALL6",
                                   "BALLSET",
                                   "BONUSBALL",
                                   "DIV1",
                                   "DIV1NOWIN",
                                   "DIV2",
                                   "DIV2NOWIN",
                                   "DIV3",
                                   "DIV3NOWIN",
                                   "DIV4",
                                   "DIV4NOWIN",
                                   "DIV5",
                                   "DIV5NOWIN",
                                   "DIV6",
                                   "DIV6NOWIN",
                                   "DIV7",
                                   "DIV7NOWIN",
                                   "DRAWMACHINE",
                                   "PRIZEPAYABLE",
                                   "ROLLOVER",
                                   "ROLLOVERCOUNT",
                                   "TOTALSALES",
                                   "NEXTESTIMATEDJACKPOT",
                                   "NEXTGUARANTEEDJACKPOT"};
    return names;
}

const QStringList& operators()
{
    static const QStringList ops{"=", "<", ">", ">=", "<=", "<>"};
    return ops;
}

QString comparison(const QString& field, const QString& op, const QString& value)
{
    return "(" + field + op + "'" + value + "')";
}

Outcome apply(TKestTable& results, const QString& script)
{
    if (!results.Active() || results.IsEmpty())
        return Outcome::NotApplied;
    try {
        results.setFilter(script);
        results.setFiltered(true);
    } catch (const TKestError&) {
        return Outcome::NotApplied; // the store left the table unfiltered
    }
    if (results.IsEmpty()) {
        results.setFiltered(false);
        return Outcome::NothingMatched;
    }
    return Outcome::Filtered;
}

void stop(TKestTable& results)
{
    results.setFiltered(false);
    results.setFilter(QString());
}

} // namespace FilterScripts
