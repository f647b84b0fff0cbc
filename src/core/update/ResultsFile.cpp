#include "core/update/ResultsFile.h"

#include "core/kernel/KestError.h"
#include "core/kernel/KestTable.h"
#include "core/update/KestCSV.h"
#include "core/update/LineReader.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>

namespace {

// A results file of every draw the game will ever have stays far below this.
constexpr qint64 MaxResultsFileSize = 64 * 1024 * 1024;
constexpr int ReadChunk = 64 * 1024;

// What the results file's header line becomes as a record.
bool isHeaderRecord(const QString& drawDate)
{
    return drawDate.compare(QLatin1String(" DRAWDATE"), Qt::CaseInsensitive) == 0;
}

void notify(const std::function<void()>& keepResponsive)
{
    if (keepResponsive)
        keepResponsive();
}

// Whether a line's second column, the record's date, is the header's. Commas and the header's
// letters are single bytes in either encoding, and no other character reads as one of them.
bool isHeaderLine(QByteArrayView line)
{
    const qsizetype first = line.indexOf(',');
    if (first < 0)
        return false;
    const qsizetype second = line.indexOf(',', first + 1);
    const qsizetype end = second < 0 ? line.size() : second;
    return line.sliced(first + 1, end - first - 1).compare(" DRAWDATE", Qt::CaseInsensitive) == 0;
}

// Checks, before the table is touched, that the file arrived whole: every data line has the
// header's columns and a last line without its line end (a download cut off inside it) has
// its last field. Empty lines are no draws and are skipped. Returns the number of header
// lines, the first line's included.
int checkComplete(const QString& path)
{
    const QString file = QDir::toNativeSeparators(path);
    if (QFileInfo(path).size() > MaxResultsFileSize)
        throw TKestError(QString("%1 is too large to be a results file").arg(file));
    LineReader reader(path, ReadChunk);
    qsizetype columns = -1;
    int headerLines = 0;
    while (!reader.atEnd()) {
        // Commas are single bytes in either encoding: the lines are counted undecoded.
        const QByteArrayView line = reader.readLineBytes();
        if (line.isEmpty())
            continue;
        const qsizetype count = line.count(',') + 1;
        const bool header = isHeaderLine(line);
        headerLines += header ? 1 : 0;
        if (columns < 0) {
            if (!header)
                throw TKestError(QString("%1 is not a results file").arg(file));
            columns = count;
            continue;
        }
        if (count != columns)
            throw TKestError(QString("The results file %1 is damaged: line %2 has %3 columns, "
                                     "the header has %4")
                                 .arg(file)
                                 .arg(reader.lineNumber())
                                 .arg(count)
                                 .arg(columns));
        if (!reader.lastLineTerminated()) {
            const QString text = LineReader::decode(line);
            if (text.sliced(text.lastIndexOf(u',') + 1).trimmed().isEmpty())
                throw TKestError(QString("The results file %1 is damaged: line %2 is cut short")
                                     .arg(file)
                                     .arg(reader.lineNumber()));
        }
    }
    return headerLines;
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
    reader.setSkipEmptyLines(true);
    reader.setBufferSize(ReadChunk);
    // The table is open and inside the caller's transaction.
    reader.setAutoOpen(false);
    // Letting events through cannot stop the reading: the lines are written in batches.
    if (keepResponsive)
        reader.OnAddRecord = [&](TKestCSV*) { keepResponsive(); };
    reader.CSVToDataset();
}

// The table holds exactly the records of the file: the header first, then the draws.
void removeHeaderRecords(TKestTable& table, const QString& path, int headerLines,
                         const std::function<void()>& keepResponsive)
{
    const QString file = QDir::toNativeSeparators(path);
    if (table.IsEmpty())
        throw TKestError(QString("The results file %1 is empty").arg(file));
    if (headerLines == 1) {
        // The usual file: its one header line is the first record, and no date need be read.
        table.setPosition(0);
        table.Delete();
    } else {
        const int drawDate = table.fieldIndexOrThrow("DRAWDATE");
        table.readFields({drawDate}); // the dates alone, not every field of every draw
        for (int i = table.RecordCount() - 1; i >= 0; --i) {
            if (isHeaderRecord(table.textAt(i, drawDate))) {
                table.setPosition(i);
                table.Delete();
            }
            notify(keepResponsive);
        }
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

    notify(keepResponsive);
    const int headerLines = checkComplete(path);
    notify(keepResponsive);
    const TKestTable::Bookmark current = table.GetBookmark();
    table.StartTransaction();
    try {
        // What is on disk now goes, whatever this handle last read: another process may
        // have written the table since.
        table.DeleteAll();
        notify(keepResponsive);
        readFile(table, path, keepResponsive);
        removeHeaderRecords(table, path, headerLines, keepResponsive);
        table.Commit();
        notify(keepResponsive);
    } catch (...) {
        // When the store has undone the transaction itself (a full disk), the table already
        // knows it; its error is the one to report.
        if (table.InTransaction())
            table.Rollback();
        if (table.BookmarkValid(current))
            table.GotoBookmark(current);
        throw;
    }
}
