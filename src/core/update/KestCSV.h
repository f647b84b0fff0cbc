#pragma once

#include <QChar>
#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class LineReader;
class TKestTable;
struct TableRow;

enum TKestCSVErrorResponse { pgcsvAbort = 0, pgcsvIgnore = 1 };

class TKestCSV;
using TKestCSVNotifyEvent = std::function<void(TKestCSV* Sender)>;
using TKestCSVProgressEvent = std::function<void(TKestCSV* Sender, int AProgress, bool& StopIt)>;
using TKestCSVExportErrorEvent = std::function<void(TKestCSV* Sender, const QString& Mess,
                                                    int RecNo, TKestCSVErrorResponse& Response)>;

// Moves records between a delimited text file and a table: CSVToDataset appends one record
// per line of CSVFile, DatasetToCSV writes one line per record. CSVMap says which column goes
// to which field. The event names are the component's own: reading a file raises the
// *Export events and obeys SilentExport, writing one raises the *Import events.
//
// Files are read as UTF-8 line by line where a line is valid UTF-8, else as Latin-1 (the
// operator's files are single-byte); they are written as UTF-8.
//
// Reading writes many lines at a time when no handler can stop a run between two lines (no
// ExportProgress) and a refused line ends it (no SilentExport); OnAddRecord is then raised
// for each line once its batch is in the table. Records, errors and events are those of
// writing line by line.
class TKestCSV : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString CSVMap READ CSVMap WRITE setCSVMap)
    Q_PROPERTY(QString CSVFile READ CSVFile WRITE setCSVFile)
    Q_PROPERTY(QChar Seprator READ Seprator WRITE setSeprator)
    Q_PROPERTY(QChar FieldIndicator READ FieldIndicator WRITE setFieldIndicator)
    Q_PROPERTY(bool AutoOpen READ AutoOpen WRITE setAutoOpen)
    Q_PROPERTY(QString IgnoreString READ IgnoreString WRITE setIgnoreString)
    Q_PROPERTY(QChar Delimiter READ Delimiter WRITE setDelimiter)
    Q_PROPERTY(bool EmptyTable READ EmptyTable WRITE setEmptyTable)
    Q_PROPERTY(bool UseDelimiter READ UseDelimiter WRITE setUseDelimiter)
    Q_PROPERTY(bool SilentExport READ SilentExport WRITE setSilentExport)
    Q_PROPERTY(QString DateFormat READ DateFormat WRITE setDateFormat)
    Q_PROPERTY(bool TrimData READ TrimData WRITE setTrimData)
    Q_PROPERTY(int DefaultInt READ DefaultInt WRITE setDefaultInt)
    Q_PROPERTY(int BufferSize READ BufferSize WRITE setBufferSize)

public:
    explicit TKestCSV(QObject* parent = nullptr);

    // Appends the records of CSVFile to Dataset. Throws TKestError when the file cannot be
    // opened (before the dataset is touched) and, unless SilentExport, for a line whose
    // record the dataset refuses.
    void CSVToDataset();
    // Writes the records of Dataset to CSVFile. Throws TKestError when the file cannot be
    // opened and for any record that cannot be written.
    void DatasetToCSV();

    TKestTable* Dataset() const { return m_dataset; }
    void setDataset(TKestTable* dataset) { m_dataset = dataset; }
    QString CSVMap() const { return m_csvMap; }
    void setCSVMap(const QString& map) { m_csvMap = map; }
    QString CSVFile() const { return m_csvFile; }
    void setCSVFile(const QString& path) { m_csvFile = path; }
    QChar Seprator() const { return m_seprator; }
    void setSeprator(QChar separator) { m_seprator = separator; }
    QChar FieldIndicator() const { return m_fieldIndicator; }
    void setFieldIndicator(QChar indicator) { m_fieldIndicator = indicator; }
    bool AutoOpen() const { return m_autoOpen; }
    void setAutoOpen(bool on) { m_autoOpen = on; }
    QString IgnoreString() const { return m_ignoreString; }
    void setIgnoreString(const QString& text) { m_ignoreString = text; }
    QChar Delimiter() const { return m_delimiter; }
    void setDelimiter(QChar delimiter) { m_delimiter = delimiter; }
    bool EmptyTable() const { return m_emptyTable; }
    void setEmptyTable(bool on) { m_emptyTable = on; }
    bool UseDelimiter() const { return m_useDelimiter; }
    void setUseDelimiter(bool on) { m_useDelimiter = on; }
    bool SilentExport() const { return m_silentExport; }
    void setSilentExport(bool on) { m_silentExport = on; }
    // Kept for the component's published interface; the store has no date fields, so it
    // governs nothing yet.
    QString DateFormat() const { return m_dateFormat; }
    void setDateFormat(const QString& pattern) { m_dateFormat = pattern; }
    bool TrimData() const { return m_trimData; }
    void setTrimData(bool on) { m_trimData = on; }
    int DefaultInt() const { return m_defaultInt; }
    void setDefaultInt(int value) { m_defaultInt = value; }
    // Bytes read from or written to the file at a time.
    int BufferSize() const { return m_bufferSize; }
    void setBufferSize(int bytes) { m_bufferSize = bytes; }
    // Reading: an empty line makes no record. Off by default: every line is a record.
    bool SkipEmptyLines() const { return m_skipEmptyLines; }
    void setSkipEmptyLines(bool on) { m_skipEmptyLines = on; }

    // Events; an unassigned one is not raised.
    TKestCSVNotifyEvent BeforeOpenTable;
    TKestCSVNotifyEvent AfterOpenTable;
    TKestCSVNotifyEvent BeforeCloseTable;
    TKestCSVNotifyEvent AfterCloseTable;
    TKestCSVNotifyEvent BeforeEmptyTable;
    TKestCSVNotifyEvent AfterEmptyTable;
    TKestCSVNotifyEvent BeforeImport;
    TKestCSVNotifyEvent AfterImport;
    TKestCSVNotifyEvent BeforeExport;
    TKestCSVNotifyEvent AfterExport;
    TKestCSVNotifyEvent OnAddRecord;
    TKestCSVProgressEvent ExportProgress;
    TKestCSVProgressEvent ImportProgress;
    TKestCSVExportErrorEvent ExportError;

private:
    struct MapEntry;
    struct Run;

    void raise(const TKestCSVNotifyEvent& event);
    void openDataset();
    void closeDataset();
    TKestTable& dataset() const;
    std::vector<MapEntry> splitMap(bool importing) const;
    void resolveFields(std::vector<MapEntry>& entries) const;
    void installDefaultMap();
    void splitLine(QStringView line, std::vector<QStringView>& columns) const;
    void importLine(QStringView line, const std::vector<MapEntry>& entries,
                    std::vector<QStringView>& columns);
    void fillRow(QStringView line, Run& run, TableRow& row) const;
    bool importOne(QStringView text, Run& run);
    bool canImportInBatches(const std::vector<MapEntry>& entries) const;
    bool importBatch(LineReader& file, Run& run);
    bool writeBatch(Run& run);
    QString exportLine(const std::vector<MapEntry>& entries) const;

    TKestTable* m_dataset = nullptr;
    QString m_csvMap;
    QString m_csvFile;
    QChar m_seprator = u',';
    QChar m_fieldIndicator = u'$';
    bool m_autoOpen = true;
    QString m_ignoreString = QStringLiteral("(ignore)");
    QChar m_delimiter = u'"';
    bool m_emptyTable = false;
    bool m_useDelimiter = true;
    bool m_silentExport = false;
    QString m_dateFormat = QStringLiteral("MM/DD/YY");
    bool m_trimData = false;
    int m_defaultInt = 0;
    int m_bufferSize = 1024;
    bool m_skipEmptyLines = false;

    // Set by a progress handler; never cleared, so it also ends every later run.
    bool m_stopIt = false;
};
