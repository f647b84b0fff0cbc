#include "core/update/KestCSV.h"

#include "core/kernel/KestError.h"
#include "core/kernel/KestTable.h"
#include "core/update/LineReader.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <exception>
#include <optional>

namespace {

QString nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// Collects the lines of a file in UTF-8 and writes them in chunks of a given size.
class LineWriter {
public:
    LineWriter(const QString& path, QIODevice::OpenMode mode, int chunkSize)
        : m_file(path)
        , m_chunkSize(std::max(chunkSize, 1))
    {
        if (!m_file.open(mode | QIODevice::WriteOnly | QIODevice::Unbuffered))
            throw TKestError(QString("Cannot open file %1").arg(nativePath(path)));
        m_buffer.reserve(m_chunkSize + 256);
    }

    void writeLine(const QString& line)
    {
        m_buffer += line.toUtf8();
        m_buffer += "\r\n";
        if (m_buffer.size() >= m_chunkSize)
            flush();
    }

    void close()
    {
        flush();
        m_file.close();
    }

private:
    void flush()
    {
        if (m_file.write(m_buffer) != m_buffer.size())
            throw TKestError(QString("Cannot write file %1").arg(nativePath(m_file.fileName())));
        m_buffer.clear();
    }

    QFile m_file;
    const int m_chunkSize;
    QByteArray m_buffer;
};

// The columns of a line: the texts between consecutive occurrences of the separator text.
// Occurrences are counted at every position, so two occurrences of a separator of several
// characters may overlap; the column between them is then empty.
void splitColumns(QStringView line, QStringView separator, std::vector<QStringView>& columns)
{
    columns.clear();
    qsizetype begin = 0;
    if (separator.size() == 1) {
        // The usual case, in one pass rather than a search for each column.
        const QChar single = separator.front();
        for (qsizetype at = 0; at < line.size(); ++at) {
            if (line[at] == single) {
                columns.push_back(line.sliced(begin, at - begin));
                begin = at + 1;
            }
        }
        columns.push_back(line.sliced(begin));
        return;
    }
    for (qsizetype at = line.indexOf(separator); at >= 0; at = line.indexOf(separator, at + 1)) {
        columns.push_back(at >= begin ? line.sliced(begin, at - begin) : QStringView());
        begin = at + separator.size();
    }
    columns.push_back(line.sliced(begin));
}

// Digits with at most one decimal point between them, 15 digits at most, after an optional
// sign: nearly every number of a results file. Such a mantissa is exact in a double and so
// is a power of ten up to 1e15, so one division gives the correctly rounded value, the same
// as the general reading below, at a fraction of its cost. Nothing for any other text.
std::optional<double> readPlainDecimal(QStringView text)
{
    constexpr double powersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    constexpr qsizetype MaxDigits = 15;
    const char16_t* at = text.utf16();
    const char16_t* const end = at + text.size();
    const bool negative = at != end && *at == u'-';
    if (at != end && (*at == u'-' || *at == u'+'))
        ++at;
    // Wraps rather than overflows past 19 digits; such a text is refused below anyway.
    quint64 mantissa = 0;
    const auto readDigits = [&] {
        const char16_t* const first = at;
        for (; at != end && *at >= u'0' && *at <= u'9'; ++at)
            mantissa = mantissa * 10 + (*at - u'0');
        return at - first;
    };
    const qsizetype whole = readDigits();
    qsizetype decimals = 0;
    if (whole > 0 && at != end && *at == u'.') {
        ++at;
        decimals = readDigits();
        if (decimals == 0)
            return std::nullopt;
    }
    if (whole == 0 || at != end || whole + decimals > MaxDigits)
        return std::nullopt;
    const double value = double(mantissa) / powersOfTen[decimals];
    return negative ? -value : value;
}

// A decimal number in the C format, surrounding blanks allowed; nothing for anything else.
std::optional<double> readNumber(QStringView text)
{
    if (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()))
        text = text.trimmed();
    if (const std::optional<double> plain = readPlainDecimal(text))
        return plain;
    char digits[64];
    if (text.isEmpty() || text.size() > qsizetype(sizeof digits))
        return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].unicode() > 0x7f)
            return std::nullopt;
        digits[i] = char(text[i].unicode());
    }
    const char* begin = digits;
    const char* const end = digits + text.size();
    if (*begin == '+' && end - begin > 1 && begin[1] != '-')
        ++begin;
    double value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Letter case is ignored for the letters a to z only.
bool sameIgnoringAsciiCase(QStringView a, QStringView b)
{
    const auto upper = [](QChar c) {
        const char16_t code = c.unicode();
        return code >= u'a' && code <= u'z' ? char16_t(code - u'a' + u'A') : code;
    };
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i]))
            return false;
    }
    return true;
}

constexpr qsizetype MaxEntryLength = 255;

// Lines written to the dataset in one go; a batch of them is held in memory.
constexpr int BatchLines = 1024;

} // namespace

// One entry of the column map, split once per run.
struct TKestCSV::MapEntry {
    QString text;        // the field name, or on export a literal's text
    bool skip = false;   // import: the column is ignored
    bool named = true;   // export: the entry names a field
    int field = -1;      // the field's index, -1 when the dataset has none of that name
    bool number = false; // the field holds numbers
};

// What one reading of a file carries from line to line.
struct TKestCSV::Run {
    std::vector<MapEntry> entries;
    std::vector<QStringView> columns;
    // The lines of a batch one after the other, without an allocation for each.
    QString batch;
    std::vector<qsizetype> lineEnds;
    TKestCSVErrorResponse response = pgcsvAbort;
    int line = 0; // lines handled so far, refused ones included

    int batchSize() const { return int(lineEnds.size()); }
    QStringView batchLine(int index) const
    {
        const qsizetype begin = index > 0 ? lineEnds[size_t(index) - 1] : 0;
        return QStringView(batch).sliced(begin, lineEnds[size_t(index)] - begin);
    }
};

TKestCSV::TKestCSV(QObject* parent)
    : QObject(parent)
{}

TKestTable& TKestCSV::dataset() const
{
    if (!m_dataset)
        throw TKestError("No dataset is assigned");
    return *m_dataset;
}

void TKestCSV::raise(const TKestCSVNotifyEvent& event)
{
    if (event)
        event(this);
}

void TKestCSV::openDataset()
{
    raise(BeforeOpenTable);
    dataset().Open();
    raise(AfterOpenTable);
}

void TKestCSV::closeDataset()
{
    raise(BeforeCloseTable);
    dataset().Close();
    raise(AfterCloseTable);
}

std::vector<TKestCSV::MapEntry> TKestCSV::splitMap(bool importing) const
{
    std::vector<QStringView> parts;
    splitColumns(m_csvMap, QStringView(&m_seprator, 1), parts);
    std::vector<MapEntry> entries;
    entries.reserve(parts.size());
    for (const QStringView part : parts) {
        MapEntry entry;
        entry.text = part.left(MaxEntryLength).toString();
        const bool marked = entry.text.startsWith(m_fieldIndicator);
        if (marked)
            entry.text.remove(0, 1);
        if (importing)
            entry.skip = sameIgnoringAsciiCase(entry.text, m_ignoreString);
        else
            entry.named = marked;
        entries.push_back(std::move(entry));
    }
    return entries;
}

void TKestCSV::resolveFields(std::vector<MapEntry>& entries) const
{
    const TKestTable& table = dataset();
    for (MapEntry& entry : entries) {
        if (entry.skip || !entry.named)
            continue;
        entry.field = table.FieldIndex(entry.text);
        entry.number =
            entry.field >= 0 && table.schema().fields[entry.field].type == FieldType::Float;
    }
}

void TKestCSV::installDefaultMap()
{
    QStringList entries;
    for (const FieldDef& field : dataset().schema().fields)
        entries << m_fieldIndicator + field.name;
    m_csvMap = entries.join(m_seprator);
}

// ---------------------------------------------------------------------------------------
// Reading a file into the dataset

void TKestCSV::splitLine(QStringView line, std::vector<QStringView>& columns) const
{
    const QChar delimited[] = {m_delimiter, m_seprator, m_delimiter};
    splitColumns(line, m_useDelimiter ? QStringView(delimited, 3) : QStringView(&m_seprator, 1),
                 columns);
    if (m_useDelimiter) {
        if (columns.front().startsWith(m_delimiter))
            columns.front() = columns.front().sliced(1);
        if (columns.back().endsWith(m_delimiter))
            columns.back().chop(1);
    }
}

void TKestCSV::importLine(QStringView line, const std::vector<MapEntry>& entries,
                          std::vector<QStringView>& columns)
{
    TKestTable& table = dataset();
    splitLine(line, columns);
    table.Append();
    try {
        for (size_t k = 0; k < entries.size(); ++k) {
            const MapEntry& entry = entries[k];
            if (entry.skip)
                continue;
            const int field = entry.field >= 0 ? entry.field : table.fieldIndexOrThrow(entry.text);
            const QStringView value = k < columns.size() ? columns[k] : QStringView();
            if (entry.number)
                table.SetField(field, readNumber(value).value_or(double(m_defaultInt)));
            else
                table.SetFieldText(field, (m_trimData ? value.trimmed() : value).toString());
        }
        table.Post();
    } catch (...) {
        // A refused line leaves no record behind.
        table.Cancel();
        throw;
    }
}

// The record importLine would post, straight into a row of the table's layout; the fields
// are known to be writable (canImportInBatches).
void TKestCSV::fillRow(QStringView line, Run& run, TableRow& row) const
{
    const TableSchema& schema = dataset().schema();
    splitLine(line, run.columns);
    for (size_t k = 0; k < run.entries.size(); ++k) {
        const MapEntry& entry = run.entries[k];
        if (entry.skip)
            continue;
        const QStringView value = k < run.columns.size() ? run.columns[k] : QStringView();
        const int slot = schema.slotOf[entry.field];
        if (entry.number) {
            row.numbers[slot] = readNumber(value).value_or(double(m_defaultInt));
            continue;
        }
        // Into the room the row's text kept from the row before.
        const QStringView text = m_trimData ? value.trimmed() : value;
        row.texts[slot].setUnicode(text.data(), text.size());
    }
}

// One line as its own record, with its events. False when the run is to end.
bool TKestCSV::importOne(QStringView text, Run& run)
{
    try {
        importLine(text, run.entries, run.columns);
    } catch (const TKestError& error) {
        if (!m_silentExport)
            throw;
        if (ExportError) {
            ExportError(this, error.message(), run.line, run.response);
            if (run.response == pgcsvAbort)
                return false;
        }
    }
    raise(OnAddRecord);
    if (ExportProgress)
        ExportProgress(this, run.line, m_stopIt);
    ++run.line;
    return true;
}

bool TKestCSV::canImportInBatches(const std::vector<MapEntry>& entries) const
{
    const TKestTable& table = dataset();
    if (ExportProgress || m_silentExport || table.filtered())
        return false;
    // A field the table lacks or assigns itself refuses every line, each on its own.
    return std::all_of(entries.begin(), entries.end(), [&table](const MapEntry& entry) {
        return entry.skip ||
               (entry.field >= 0 && table.schema().fields[entry.field].type != FieldType::AutoInc);
    });
}

// Reads up to BatchLines lines and writes them. A line the reader refuses ends the run after
// the lines before it are written, as line by line. False when the run is to end.
bool TKestCSV::importBatch(LineReader& file, Run& run)
{
    run.batch.truncate(0); // keeps its room for the next batch
    run.lineEnds.clear();
    std::exception_ptr readError;
    try {
        while (run.batchSize() < BatchLines && !file.atEnd()) {
            const qsizetype begin = run.batch.size();
            file.appendLine(run.batch);
            if (!m_skipEmptyLines || run.batch.size() > begin)
                run.lineEnds.push_back(run.batch.size());
        }
    } catch (const TKestError&) {
        readError = std::current_exception();
    }
    if (!writeBatch(run))
        return false;
    if (readError)
        std::rethrow_exception(readError);
    return true;
}

bool TKestCSV::writeBatch(Run& run)
{
    TKestTable& table = dataset();
    if (run.lineEnds.empty())
        return true;
    const bool inTransaction = table.InTransaction();
    try {
        table.appendRows(run.batchSize(), [&](int index, TableRow& row) {
            fillRow(run.batchLine(index), run, row);
        });
    } catch (const TKestError&) {
        // The store undid the caller's whole transaction (a full disk): every record of the
        // run has gone with it, and the error is the one to report.
        if (inTransaction && !table.InTransaction())
            throw;
        // None of the batch was written: line by line, the refused line is found and
        // handled as it would have been alone.
        for (int index = 0; index < run.batchSize(); ++index) {
            if (!importOne(run.batchLine(index), run))
                return false;
        }
        return true;
    }
    // Where posting the last record would have left the cursor.
    table.setPosition(table.RecordCount() - 1);
    for (int index = 0; index < run.batchSize(); ++index) {
        raise(OnAddRecord);
        ++run.line;
    }
    return true;
}

void TKestCSV::CSVToDataset()
{
    TKestTable& table = dataset();
    Run run;
    run.entries = splitMap(true);
    LineReader file(m_csvFile, m_bufferSize);
    if (m_autoOpen)
        openDataset();
    raise(BeforeExport);
    table.DisableControls();
    {
        const auto resume = qScopeGuard([&table] { table.EnableControls(); });
        resolveFields(run.entries);
        const bool inBatches = canImportInBatches(run.entries);
        while (!file.atEnd() && !m_stopIt) {
            if (inBatches) {
                if (!importBatch(file, run))
                    break;
                continue;
            }
            const QString text = file.readLine();
            if (m_skipEmptyLines && text.isEmpty())
                continue;
            if (!importOne(text, run))
                break;
        }
    }
    raise(AfterExport);
    if (m_autoOpen)
        closeDataset();
}

// ---------------------------------------------------------------------------------------
// Writing the dataset to a file

QString TKestCSV::exportLine(const std::vector<MapEntry>& entries) const
{
    const TKestTable& table = dataset();
    QString line;
    for (const MapEntry& entry : entries) {
        QString value = entry.text;
        if (entry.named) {
            const int field = entry.field >= 0 ? entry.field : table.fieldIndexOrThrow(entry.text);
            value = table.AsString(field);
            if (m_trimData)
                value = value.trimmed();
        }
        if (m_useDelimiter)
            line += m_delimiter + value + m_delimiter;
        else
            line += value;
        line += m_seprator;
    }
    line.chop(1);
    return line;
}

void TKestCSV::DatasetToCSV()
{
    TKestTable& table = dataset();
    QIODevice::OpenMode mode = QIODevice::Append;
    if (m_emptyTable) {
        raise(BeforeEmptyTable);
        mode = QIODevice::Truncate;
    } else if (!QFile::exists(m_csvFile)) {
        throw TKestError(QString("Cannot open file %1").arg(nativePath(m_csvFile)));
    }
    LineWriter file(m_csvFile, mode, m_bufferSize);
    if (m_emptyTable)
        raise(AfterEmptyTable);
    if (m_autoOpen)
        openDataset();
    raise(BeforeImport);
    int line = 0;
    table.First();
    if (m_csvMap.trimmed().isEmpty())
        installDefaultMap();
    std::vector<MapEntry> entries = splitMap(false);
    table.DisableControls();
    {
        const auto resume = qScopeGuard([&table] { table.EnableControls(); });
        resolveFields(entries);
        while (!table.Eof() && !m_stopIt) {
            file.writeLine(exportLine(entries));
            table.Next();
            if (ImportProgress)
                ImportProgress(this, line, m_stopIt);
            ++line;
        }
    }
    raise(AfterImport);
    if (m_autoOpen)
        closeDataset();
    file.close();
}
