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

bool sameDate(const QString& stored, const QString& typed)
{
    const QDate wanted = read(typed);
    return wanted.isValid() ? read(stored) == wanted
                            : stored.trimmed().compare(typed.trimmed(), Qt::CaseInsensitive) == 0;
}

bool findNewest(TKestTable& results, const QString& date)
{
    if (!results.Active())
        return false;
    for (int row = 0; row < results.RecordCount(); ++row) {
        if (sameDate(results.textAt(row, Tables::DrawDate), date)) {
            results.setPosition(row);
            return true;
        }
    }
    return false;
}

} // namespace DrawDates
