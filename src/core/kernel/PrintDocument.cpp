#include "core/kernel/PrintDocument.h"

#include "core/kernel/Kernel.h"
#include "core/kernel/TableSchema.h"

#include <QLocale>

QString gameName(const QString& resultsTable)
{
    return resultsTable.compare(Tables::LottoPlus, Qt::CaseInsensitive) == 0
               ? QStringLiteral("National Lotto Plus")
               : QStringLiteral("National Lotto");
}

PrintDocument printDocument(const QString& title, const TKernel& kernel, const QDate& date)
{
    PrintDocument document;
    document.title = title;
    document.game = gameName(kernel.currentGame());
    document.date = QLocale().toString(date, "dd MMMM yyyy");
    return document;
}
