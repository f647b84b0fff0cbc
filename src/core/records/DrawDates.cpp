#include "core/records/DrawDates.h"

#include "core/kernel/KestTable.h"
#include "core/kernel/TableSchema.h"

#include <QLocale>

namespace DrawDates {

QDate read(const QString& text)
{
    const QString simple = text.simplified();
    const QDate local = QLocale().toDate(simple, "d MMMM yyyy");
    return local.isValid() ? local : QLocale::c().toDate(simple, "d MMMM yyyy");
}

bool findNewest(TKestTable& results, const QString& date)
{
    if (!results.Active())
        return false;
    const QDate wanted = read(date);
    for (int row = 0; row < results.RecordCount(); ++row) {
        const QString stored = results.textAt(row, Tables::DrawDate);
        const bool same = wanted.isValid()
                              ? read(stored) == wanted
                              : stored.trimmed().compare(date.trimmed(), Qt::CaseInsensitive) == 0;
        if (same) {
            results.setPosition(row);
            return true;
        }
    }
    return false;
}

} // namespace DrawDates
