#include "core/records/FilterScripts.h"

#include "core/kernel/KestError.h"
#include "core/kernel/KestTable.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

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
