#include "core/update/ResultsFile.h"

#include "core/kernel/KestError.h"
#include "core/kernel/KestTable.h"
#include "core/update/KestCSV.h"

#include <QDir>
#include <QScopeGuard>

namespace {

// What the results file's header line becomes as a record.
bool isHeaderRecord(const QString& drawDate)
{
    return drawDate.toUpper() == QLatin1String(" DRAWDATE");
}

void notify(const std::function<void()>& keepResponsive)
{
    if (keepResponsive)
        keepResponsive();
}

void deleteAll(TKestTable& table, const std::function<void()>& keepResponsive)
{
    // From the end, so that no delete moves the records after it.
    table.Last();
    while (!table.IsEmpty()) {
        table.Delete();
        notify(keepResponsive);
    }
}

void readFile(TKestTable& table, const QString& path, const std::function<void()>& keepResponsive)
{
    TKestCSV reader;
    reader.setDataset(&table);
    reader.setCSVFile(path);
    reader.setCSVMap(ResultsFileMap);
    reader.setFieldIndicator(QChar(0));
    reader.setUseDelimiter(false);
    reader.setEmptyTable(true);
    // The table is open and inside the caller's transaction.
    reader.setAutoOpen(false);
    if (keepResponsive)
        reader.ExportProgress = [&](TKestCSV*, int, bool&) { keepResponsive(); };
    reader.CSVToDataset();
}

// The table holds exactly the records of the file: the header first, then the draws.
void removeHeaderRecords(TKestTable& table, const QString& path,
                         const std::function<void()>& keepResponsive)
{
    const QString file = QDir::toNativeSeparators(path);
    if (table.IsEmpty())
        throw TKestError(QString("The results file %1 is empty").arg(file));
    const int drawDate = table.fieldIndexOrThrow("DRAWDATE");
    if (!isHeaderRecord(table.textAt(0, drawDate)))
        throw TKestError(QString("%1 is not a results file").arg(file));
    for (int i = table.RecordCount() - 1; i >= 0; --i) {
        if (isHeaderRecord(table.textAt(i, drawDate))) {
            table.setPosition(i);
            table.Delete();
        }
        notify(keepResponsive);
    }
    if (table.IsEmpty())
        throw TKestError(QString("The results file %1 holds no draws").arg(file));
    table.First();
}

} // namespace

void importResultsFile(TKestTable& table, const QString& path,
                       const std::function<void()>& keepResponsive)
{
    const bool wasOpen = table.Active();
    table.Open();
    const auto restoreOpenState = qScopeGuard([&] {
        if (!wasOpen)
            table.Close();
    });
    table.setFiltered(false);
    table.DisableControls();
    const auto resume = qScopeGuard([&] { table.EnableControls(); });

    const TKestTable::Bookmark current = table.GetBookmark();
    table.StartTransaction();
    try {
        deleteAll(table, keepResponsive);
        readFile(table, path, keepResponsive);
        removeHeaderRecords(table, path, keepResponsive);
        table.Commit();
    } catch (...) {
        table.Rollback();
        if (table.BookmarkValid(current))
            table.GotoBookmark(current);
        throw;
    }
}
