#include "core/kernel/KestTable.h"

#include "core/kernel/KestError.h"
#include "core/kernel/Numbers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>
#include <QUrl>
#include <QUuid>
#include <QVarLengthArray>

#include <sqlite3.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <numeric>

#include <unistd.h>

namespace {

constexpr qint64 OrderGap = 1 << 16;
constexpr double Empty = std::numeric_limits<double>::quiet_NaN();

// Every handle of this process by file, so that exclusive opening can be enforced and a
// write through one handle makes the others read the file again.
QHash<QString, QList<TKestTable*>>& openHandles()
{
    static QHash<QString, QList<TKestTable*>> handles;
    return handles;
}

QString canonicalKey(const QString& path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QFileInfo(path).absoluteFilePath() : canonical;
}

bool isDerived(const QString& tableName)
{
    for (const char* derived : {Tables::Numbers, Tables::Bonus, Tables::History}) {
        if (tableName.compare(QLatin1String(derived), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// Permissions do not stop root, and a read-only mount shows in none of them: asking the
// file system itself is the one sure test.
bool writableByStore(const QString& path)
{
    return access(QFile::encodeName(path).constData(), W_OK) == 0 &&
           access(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), W_OK) == 0;
}

// A table file for reading where nothing can be written: a WAL database is otherwise opened
// only with its -shm file, which a read-only folder cannot hold.
QString immutableUri(const QString& path)
{
    return "file:" + QString::fromUtf8(QUrl::toPercentEncoding(path, "/")) + "?immutable=1";
}

// Copies a table file into an in-memory database through SQLite's backup.
void copyInto(sqlite3* target, const QString& path)
{
    sqlite3* source = nullptr;
    const int opened = sqlite3_open_v2(immutableUri(path).toUtf8().constData(), &source,
                                       SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    sqlite3_backup* backup =
        opened == SQLITE_OK ? sqlite3_backup_init(target, "main", source, "main") : nullptr;
    const int copied = backup ? sqlite3_backup_step(backup, -1) : SQLITE_ERROR;
    if (backup)
        sqlite3_backup_finish(backup);
    const QString error = QString::fromUtf8(sqlite3_errmsg(source ? source : target));
    sqlite3_close(source);
    if (copied != SQLITE_DONE)
        throw TKestError(QString("Cannot read %1: %2").arg(QDir::toNativeSeparators(path), error));
}

void checkField(const TableSchema& schema, int field)
{
    if (field < 0 || field >= int(schema.fields.size()))
        throw TKestError(QString("Field index %1 out of range").arg(field));
}

void throwSqlError(const QString& what, const QSqlError& error)
{
    throw TKestError(QString("%1: %2").arg(what, error.text()));
}

} // namespace

// The connection is opened through Qt Sql; the statements that run once per row use the
// SQLite handle underneath it, because going through QSqlQuery and QVariant for every cell
// makes opening and importing 100,000 draws several times slower.
struct Statements {
    QSqlDatabase db;
    sqlite3* handle = nullptr;
    sqlite3_stmt* insert = nullptr;
    sqlite3_stmt* update = nullptr;
    sqlite3_stmt* remove = nullptr;
    sqlite3_stmt* setOrder = nullptr;
    sqlite3_stmt* selectRow = nullptr;
    sqlite3_stmt* versionQuery = nullptr;
    std::vector<int> writtenFields; // fields the store does not assign itself
    // Called before a failed statement's error is thrown, so that the table can notice a
    // transaction the store has rolled back by itself.
    std::function<void()> onFailure;

    ~Statements()
    {
        for (sqlite3_stmt* statement : {insert, update, remove, setOrder, selectRow, versionQuery})
            sqlite3_finalize(statement);
    }

    QString lastError() const { return QString::fromUtf8(sqlite3_errmsg(handle)); }

    [[noreturn]] void fail(const QString& what)
    {
        const QString error = QString("%1: %2").arg(what, lastError());
        if (onFailure)
            onFailure();
        throw TKestError(error);
    }

    void exec(const QString& sql)
    {
        if (sqlite3_exec(handle, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            fail(sql);
    }

    // The file's change counter as this connection sees it: it moves when another
    // connection, of this process or another, commits a change.
    qint64 dataVersion()
    {
        if (!versionQuery)
            versionQuery = prepare("PRAGMA data_version");
        const qint64 version =
            sqlite3_step(versionQuery) == SQLITE_ROW ? sqlite3_column_int64(versionQuery, 0) : -1;
        sqlite3_reset(versionQuery);
        return version;
    }

    bool inTransaction() const { return sqlite3_get_autocommit(handle) == 0; }

    // A scan of the whole table reads each page once: a small page cache serves it as well
    // as a full one, without taking the fresh memory a full one would, which on a cold start
    // costs more than reading the pages.
    auto scanning()
    {
        exec("PRAGMA cache_size=-128");
        return qScopeGuard([this] {
            sqlite3_exec(handle, "PRAGMA cache_size=-2000", nullptr, nullptr,
                         nullptr); // SQLite's default
        });
    }

    sqlite3_stmt* prepare(const QString& sql)
    {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(handle, sql.toUtf8().constData(), -1, &statement, nullptr) !=
            SQLITE_OK)
            throw TKestError(QString("%1: %2").arg(sql, lastError()));
        return statement;
    }

    // Runs a bound statement once; one statement is atomic on its own. `what` is composed
    // only on failure: the statement may run once per row of a large write.
    template <typename What> void run(sqlite3_stmt* statement, const What& what)
    {
        const int result = sqlite3_step(statement);
        const QString error = result == SQLITE_DONE ? QString() : lastError();
        // Every run binds all of the statement's values first: nothing to clear.
        sqlite3_reset(statement);
        if (result != SQLITE_DONE) {
            if (onFailure)
                onFailure();
            throw TKestError(QString("%1: %2").arg(what(), error));
        }
    }
};

TKestTable::TKestTable(QObject* parent)
    : QObject(parent)
{}

TKestTable::~TKestTable()
{
    Close();
}

void TKestTable::setDatabasePath(const QString& folder)
{
    m_folder = folder;
}

void TKestTable::setTableName(const QString& fileName)
{
    m_tableName = fileName;
}

QString TKestTable::fileName() const
{
    QString folder = m_folder;
    if (!folder.isEmpty() && !folder.endsWith('/') && !folder.endsWith('\\'))
        folder += '/';
    return folder + m_tableName;
}

const TableSchema& TKestTable::schema() const
{
    return m_schema ? *m_schema : Tables::schemaFor(m_tableName);
}

int TKestTable::FieldCount() const
{
    return int(schema().fields.size());
}

int TKestTable::FieldIndex(const QString& name) const
{
    return schema().indexOf(name);
}

int TKestTable::fieldIndexOrThrow(const QString& name) const
{
    const int index = FieldIndex(name);
    if (index < 0)
        throw TKestError(QString("Field '%1' not found").arg(name));
    return index;
}

// ---------------------------------------------------------------------------------------
// Opening and closing

void TKestTable::Open()
{
    if (Active())
        return;
    const TableSchema& tableSchema = Tables::schemaFor(m_tableName);
    const QString path = fileName();
    if (!QFileInfo(path).isFile())
        throw TKestError(QString("Table does not exist: %1").arg(QDir::toNativeSeparators(path)));

    const QString key = canonicalKey(path);
    for (const TKestTable* other : openHandles().value(key)) {
        if (m_exclusive || other->m_exclusive)
            throw TKestError(QString("Table is busy: %1").arg(QDir::toNativeSeparators(path)));
    }

    m_connection = "table-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
    auto sql = std::make_unique<Statements>();
    sql->db = QSqlDatabase::addDatabase("QSQLITE", m_connection);
    sql->db.setDatabaseName(path);
    // SQLite writes a journal beside the file: without a writable folder and file the table
    // can still be read, and writing says why it cannot.
    const bool unwritable = !writableByStore(path);
    // Derived tables are refilled from the draws by every rebuild: where their file cannot
    // be written they are worked on in memory for this run, so that reading still works.
    const bool inMemory = unwritable && isDerived(tableSchema.tableName);
    const bool readOnly = unwritable && !inMemory;
    if (inMemory) {
        sql->db.setDatabaseName(":memory:");
    } else if (readOnly) {
        sql->db.setDatabaseName(immutableUri(path));
        sql->db.setConnectOptions("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI");
    }
    try {
        if (!sql->db.open())
            throwSqlError(QString("Cannot open %1").arg(path), sql->db.lastError());
        const QVariant handle = sql->db.driver()->handle();
        if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
            throw TKestError(QString("Cannot open %1: not an SQLite connection").arg(path));
        sql->handle = *static_cast<sqlite3* const*>(handle.constData());
        if (inMemory)
            copyInto(sql->handle, path);
        sql->exec("PRAGMA busy_timeout=10000");
        if (!readOnly) {
            sql->exec("PRAGMA synchronous=NORMAL");
            // A transaction's changed pages stay in memory up to 64 MB instead of going to the
            // log before its commit: an import of 100,000 draws (14 MB) writes each page once.
            sql->exec("PRAGMA cache_spill=16384");
        }

        // The file must hold this table's fields in this order.
        const QSqlRecord columns = sql->db.record("records");
        bool matches = columns.count() == int(tableSchema.fields.size()) + 1;
        for (int i = 0; matches && i < int(tableSchema.fields.size()); ++i)
            matches =
                columns.fieldName(i).compare(tableSchema.fields[i].name, Qt::CaseInsensitive) == 0;
        if (!matches)
            throw TKestError(
                QString("%1 is not a %2 table").arg(QDir::toNativeSeparators(path), m_tableName));

        QStringList names, placeholders, assignments, allFields;
        for (int i = 0; i < int(tableSchema.fields.size()); ++i) {
            allFields << '"' + tableSchema.fields[i].name + '"';
            if (tableSchema.fields[i].type == FieldType::AutoInc)
                continue;
            sql->writtenFields.push_back(i);
            const QString quoted = '"' + tableSchema.fields[i].name + '"';
            names << quoted;
            placeholders << "?";
            assignments << quoted + "=?";
        }
        sql->insert = sql->prepare(QString("INSERT INTO records (%1, _order) VALUES (%2, ?)")
                                       .arg(names.join(", "), placeholders.join(", ")));
        sql->update = sql->prepare(
            QString("UPDATE records SET %1 WHERE rowid=?").arg(assignments.join(", ")));
        sql->remove = sql->prepare("DELETE FROM records WHERE rowid=?");
        sql->setOrder = sql->prepare("UPDATE records SET _order=? WHERE rowid=?");
        sql->selectRow =
            sql->prepare(QString("SELECT %1 FROM records WHERE rowid=?").arg(allFields.join(", ")));
    } catch (...) {
        sql.reset();
        QSqlDatabase::removeDatabase(m_connection);
        throw;
    }

    m_schema = &tableSchema;
    m_sql = std::move(sql);
    m_sql->onFailure = [this] { recoverFromStoreRollback(); };
    m_readOnly = readOnly;
    m_state = State::Browse;
    m_fileKey = key;
    openHandles()[key].append(this);
    // The rows are read when first asked for: a command that never looks at a table (the
    // history of 100,000 draws, say) does not pay for reading it.
    m_unread = m_stale = true;
    m_rows.reset(tableSchema);
    m_pos = -1;
    m_eof = m_bof = true;
    emit opened();
}

void TKestTable::Close()
{
    if (!Active())
        return;
    // An unfinished transaction is dropped with the connection.
    m_transactionDepth = 0;
    m_state = State::Browse;
    openHandles()[m_fileKey].removeAll(this);
    if (openHandles()[m_fileKey].isEmpty())
        openHandles().remove(m_fileKey);
    m_sql.reset();
    QSqlDatabase::removeDatabase(m_connection);
    m_connection.clear();
    m_state = State::Inactive;
    m_unread = m_stale = false;
    m_rows.clear();
    m_byRowId.clear();
    m_loneRows.clear();
    m_visible.clear();
    m_pos = -1;
    m_eof = m_bof = true;
    m_compiled.reset();
    m_filtered = false;
    emit closed();
}

void TKestTable::reload() const
{
    m_unread = false;
    // The rows and the change counter are read in one transaction, so that a commit of
    // another process falls wholly before or after both.
    const bool ownTransaction = !m_sql->inTransaction();
    if (ownTransaction)
        m_sql->exec("BEGIN");
    const auto end = qScopeGuard([&] {
        if (ownTransaction)
            sqlite3_exec(m_sql->handle, "COMMIT", nullptr, nullptr, nullptr);
    });
    m_dataVersion = m_sql->dataVersion();
    const auto scan = m_sql->scanning();
    // Identities and orders only, from the order index alone; the fields come when needed.
    std::vector<qint64> rowIds, orders;
    // Room for every row at once, without counting them: rowids are handed out in turn, so
    // the highest one bounds the count, and room never written takes no memory.
    sqlite3_stmt* highest = m_sql->prepare("SELECT max(rowid) FROM records");
    if (sqlite3_step(highest) == SQLITE_ROW) {
        const qint64 bound = std::clamp<qint64>(sqlite3_column_int64(highest, 0), 0, 1 << 24);
        rowIds.reserve(size_t(bound));
        orders.reserve(size_t(bound));
    }
    sqlite3_finalize(highest);
    sqlite3_stmt* query =
        m_sql->prepare("SELECT rowid, _order FROM records ORDER BY _order, rowid");
    int result;
    while ((result = sqlite3_step(query)) == SQLITE_ROW) {
        rowIds.push_back(sqlite3_column_int64(query, 0));
        orders.push_back(sqlite3_column_int64(query, 1));
    }
    const QString error = result == SQLITE_DONE ? QString() : m_sql->lastError();
    sqlite3_finalize(query);
    if (!error.isEmpty()) {
        m_rows.reset(*m_schema);
        throw TKestError(QString("Cannot read %1: %2").arg(fileName(), error));
    }
    m_rows.setRows(std::move(rowIds), std::move(orders));
    orderByRowId();
    rebuildVisible();
}

void TKestTable::orderByRowId() const
{
    m_byRowId.clear();
    m_loneRows.clear();
    const std::vector<qint64>& rowIds = m_rows.rowIds();
    if (std::is_sorted(rowIds.begin(), rowIds.end()))
        return;
    m_byRowId.resize(rowIds.size());
    std::iota(m_byRowId.begin(), m_byRowId.end(), 0);
    std::sort(m_byRowId.begin(), m_byRowId.end(),
              [&](int a, int b) { return rowIds[size_t(a)] < rowIds[size_t(b)]; });
}

void TKestTable::readAllFields() const
{
    std::vector<int> fields(m_schema->fields.size());
    std::iota(fields.begin(), fields.end(), 0);
    readFields(fields);
}

void TKestTable::readFields(const std::vector<int>& fields) const
{
    if (!Active())
        return;
    ensureFresh();
    std::vector<int> wanted;
    for (const int field : fields) {
        checkField(*m_schema, field);
        const int slot = m_schema->slotOf[field];
        if (m_schema->fields[field].type == FieldType::Text ? !m_rows.textsRead(slot)
                                                            : !m_rows.numbersRead(slot))
            wanted.push_back(field);
    }
    if (wanted.empty())
        return;

    const Snapshot snapshot(*this);
    const auto scan = m_sql->scanning();
    QStringList names;
    for (const int field : wanted)
        names << '"' + m_schema->fields[field].name + '"';
    // In rowid order, the order a table is stored in: no lookup through the order index.
    sqlite3_stmt* query =
        m_sql->prepare(QString("SELECT rowid, %1 FROM records").arg(names.join(", ")));
    int result = sqlite3_step(query);
    for (int i = 0; i < int(wanted.size()); ++i) {
        const int field = wanted[size_t(i)];
        const int slot = m_schema->slotOf[field];
        if (m_schema->fields[field].type == FieldType::Text) {
            m_rows.startTexts(slot);
            continue;
        }
        // A field whose first value is no whole number (a prize) holds doubles from the start
        // rather than being widened when half read.
        const double first = result == SQLITE_ROW ? sqlite3_column_double(query, i + 1) : 0;
        m_rows.startNumbers(slot, first != std::trunc(first) || std::abs(first) > INT32_MAX);
    }
    const int rows = m_rows.size();
    int scanned = 0;
    QString error;
    for (; result == SQLITE_ROW; result = sqlite3_step(query)) {
        const int row = scanned >= rows ? -1 : m_byRowId.empty() ? scanned : m_byRowId[scanned];
        if (row < 0 || m_rows.rowId(row) != sqlite3_column_int64(query, 0)) {
            error = "its rows changed while they were read";
            break;
        }
        ++scanned;
        for (int i = 0; i < int(wanted.size()); ++i) {
            // One call for the value, then reads of it that take no lock.
            sqlite3_value* value = sqlite3_column_value(query, i + 1);
            if (sqlite3_value_type(value) == SQLITE_NULL)
                continue;
            const int field = wanted[size_t(i)];
            const int slot = m_schema->slotOf[field];
            if (m_schema->fields[field].type == FieldType::Text)
                m_rows.setText(row, slot, reinterpret_cast<const char*>(sqlite3_value_text(value)),
                               sqlite3_value_bytes(value));
            else
                m_rows.setNumber(row, slot, sqlite3_value_double(value));
        }
    }
    if (error.isEmpty() && result != SQLITE_DONE)
        error = m_sql->lastError();
    else if (error.isEmpty() && scanned != rows)
        error = "its rows changed while they were read";
    sqlite3_finalize(query);
    if (!error.isEmpty())
        throwChanged(error);
    if (m_rows.allRead())
        m_loneRows.clear();
}

// The fields of rows read before are read in a transaction of their own, which must see the
// file as it was then: rows that another connection has added, moved or removed since would
// take the wrong fields. Reading again is left to the next step, where no caller holds the
// position of a row.
TKestTable::Snapshot::Snapshot(const TKestTable& table)
    : m_table(table)
    , m_own(!table.m_sql->inTransaction())
{
    if (m_own)
        table.m_sql->exec("BEGIN");
    if (table.m_sql->dataVersion() != table.m_dataVersion) {
        end();
        table.throwChanged("another program changed it since it was read");
    }
}

TKestTable::Snapshot::~Snapshot()
{
    end();
}

void TKestTable::Snapshot::end()
{
    if (std::exchange(m_own, false))
        sqlite3_exec(m_table.m_sql->handle, "COMMIT", nullptr, nullptr, nullptr);
}

void TKestTable::throwChanged(const QString& reason) const
{
    m_stale = true; // read again at the next step
    m_loneRows.clear();
    throw TKestError(QString("Cannot read %1: %2. Try again.")
                         .arg(QDir::toNativeSeparators(fileName()), reason));
}

void TKestTable::ensureFresh() const
{
    if (!m_stale || !Active())
        return;
    m_stale = false;
    if (m_unread) {
        try {
            reload();
        } catch (...) {
            m_unread = m_stale = true;
            throw;
        }
        // As an opening that reads at once leaves it: on the first row.
        const int count = RecordCount();
        m_pos = count == 0 ? -1 : 0;
        m_bof = true;
        m_eof = count == 0;
        return;
    }
    const qint64 current = GetBookmark();
    const int position = m_pos;
    reload();
    placeCursorOn(current, position);
}

void TKestTable::markSiblingsStale()
{
    for (TKestTable* other : openHandles().value(m_fileKey)) {
        if (other == this)
            continue;
        other->m_stale = true;
        other->notifyChanged();
    }
}

// ---------------------------------------------------------------------------------------
// Filtering

void TKestTable::rebuildVisible() const
{
    m_visible.clear();
    if (!m_filtered || !m_compiled)
        return;
    readAllFields();
    TableRow view;
    for (int i = 0; i < m_rows.size(); ++i) {
        m_rows.viewRow(i, view);
        if (m_compiled->matches(view))
            m_visible.push_back(i);
    }
}

void TKestTable::setFilter(const QString& expression)
{
    if (m_filtered) {
        try {
            m_compiled = TKestFilter::compile(expression, schema());
        } catch (const TKestError&) {
            m_filterText = expression;
            setFiltered(false);
            throw;
        }
    }
    m_filterText = expression;
    if (m_filtered && Active()) {
        rebuildVisible();
        First();
        notifyChanged();
    }
}

void TKestTable::setFiltered(bool on)
{
    if (on) {
        // Compiled first, so that an unreadable expression leaves the table as it was.
        TKestFilter compiled;
        try {
            compiled = TKestFilter::compile(m_filterText, schema());
        } catch (const TKestError&) {
            if (m_filtered)
                setFiltered(false);
            throw;
        }
        m_compiled = std::move(compiled);
    } else {
        m_compiled.reset();
    }
    if (on == m_filtered && !on)
        return;
    m_filtered = on;
    if (Active()) {
        ensureFresh();
        rebuildVisible();
        First();
        notifyChanged();
    }
}

// ---------------------------------------------------------------------------------------
// Cursor

int TKestTable::RecordCount() const
{
    if (!Active())
        return 0;
    ensureFresh();
    return m_filtered ? int(m_visible.size()) : m_rows.size();
}

int TKestTable::physicalIndex(int visibleIndex) const
{
    return m_filtered ? m_visible[visibleIndex] : visibleIndex;
}

int TKestTable::RecNo() const
{
    if (!Active())
        return 0;
    ensureFresh();
    if (m_pos < 0 || m_pos >= RecordCount())
        return 0;
    return physicalIndex(m_pos) + 1;
}

void TKestTable::placeCursorOn(qint64 rowId, int fallbackVisible) const
{
    const int count = RecordCount();
    for (int v = 0; rowId != 0 && v < count; ++v) {
        if (m_rows.rowId(physicalIndex(v)) == rowId) {
            m_pos = v;
            m_eof = m_bof = false;
            return;
        }
    }
    m_pos = count == 0 ? -1 : std::clamp(fallbackVisible, 0, count - 1);
    m_eof = m_bof = count == 0;
}

void TKestTable::requireActive() const
{
    if (!Active())
        throw TKestError(
            QString("Cannot perform this operation on a closed dataset (%1)").arg(m_tableName));
}

void TKestTable::requireBrowse() const
{
    requireActive();
    if (m_state != State::Browse)
        throw TKestError("Dataset not in browse mode");
}

// A move while a record is being edited posts it first, as a dataset does.
void TKestTable::leaveEditState()
{
    requireActive();
    if (m_state != State::Browse)
        Post();
}

void TKestTable::First()
{
    leaveEditState();
    const int count = RecordCount();
    m_pos = count == 0 ? -1 : 0;
    m_bof = true;
    m_eof = count == 0;
}

void TKestTable::Last()
{
    leaveEditState();
    const int count = RecordCount();
    m_pos = count - 1;
    m_eof = true;
    m_bof = count == 0;
}

void TKestTable::Next()
{
    leaveEditState();
    const int count = RecordCount();
    m_bof = count == 0;
    if (m_pos < count - 1) {
        ++m_pos;
        m_eof = false;
    } else {
        m_eof = true;
    }
}

void TKestTable::Prior()
{
    leaveEditState();
    m_eof = RecordCount() == 0;
    if (m_pos > 0) {
        --m_pos;
        m_bof = false;
    } else {
        m_bof = true;
    }
}

void TKestTable::setPosition(int visibleIndex)
{
    leaveEditState();
    const int count = RecordCount();
    if (count == 0)
        return;
    m_pos = std::clamp(visibleIndex, 0, count - 1);
    m_eof = m_bof = false;
}

// ---------------------------------------------------------------------------------------
// Reading

int TKestTable::currentRow() const
{
    if (!Active())
        return NoRow;
    if (m_state == State::Insert || m_state == State::Edit)
        return EditRow;
    ensureFresh();
    if (m_pos < 0 || m_pos >= RecordCount())
        return NoRow;
    return physicalIndex(m_pos);
}

double TKestTable::numberIn(int row, int field) const
{
    const int slot = m_schema->slotOf[field];
    if (row == EditRow)
        return m_editRow.numbers[slot];
    if (!m_rows.numbersRead(slot)) {
        if (const TableRow* lone = loneRow(row))
            return lone->numbers[slot];
    }
    return m_rows.number(row, slot);
}

QString TKestTable::textIn(int row, int field) const
{
    QString text;
    appendCellText(text, row, field);
    return text;
}

QVariant TKestTable::cellValue(int row, int field) const
{
    if (m_schema->fields[field].type == FieldType::Text)
        return textIn(row, field);
    const double number = numberIn(row, field);
    return std::isnan(number) ? QVariant() : QVariant(number);
}

const TableRow* TKestTable::loneRow(int row) const
{
    if (const auto known = m_loneRows.constFind(row); known != m_loneRows.constEnd())
        return &*known;
    if (m_loneRows.size() >= LoneRowLimit) {
        readAllFields();
        return nullptr;
    }
    TableRow lone;
    lone.rowId = m_rows.rowId(row);
    lone.order = m_rows.order(row);
    lone.numbers.assign(m_schema->numberCount, Empty);
    lone.texts.assign(m_schema->textCount, QString());
    {
        const Snapshot snapshot(*this);
        sqlite3_stmt* query = m_sql->selectRow;
        sqlite3_bind_int64(query, 1, lone.rowId);
        const int result = sqlite3_step(query);
        for (int field = 0; result == SQLITE_ROW && field < int(m_schema->fields.size()); ++field) {
            sqlite3_value* value = sqlite3_column_value(query, field);
            const int slot = m_schema->slotOf[field];
            if (sqlite3_value_type(value) == SQLITE_NULL)
                continue;
            if (m_schema->fields[field].type == FieldType::Text)
                lone.texts[slot] =
                    QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                                      sqlite3_value_bytes(value));
            else
                lone.numbers[slot] = sqlite3_value_double(value);
        }
        const QString error = result == SQLITE_ROW ? QString()
                              : result == SQLITE_DONE
                                  ? QString("its rows changed since they were read")
                                  : m_sql->lastError();
        sqlite3_reset(query);
        if (!error.isEmpty())
            throwChanged(error);
    }
    return &*m_loneRows.insert(row, std::move(lone));
}

void TKestTable::appendCellText(QString& out, int row, int field) const
{
    const int slot = m_schema->slotOf[field];
    if (m_schema->fields[field].type == FieldType::Text) {
        if (row == EditRow)
            out += m_editRow.texts[slot];
        else if (const TableRow* lone = m_rows.textsRead(slot) ? nullptr : loneRow(row))
            out += lone->texts[slot];
        else
            out += m_rows.textView(row, slot);
        return;
    }
    const double number = numberIn(row, field);
    if (std::isnan(number))
        return;
    // Whole numbers, nearly all of them, without the shortest-form search.
    if (number == std::trunc(number) && std::abs(number) < 1e15 &&
        !(number == 0 && std::signbit(number))) {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof(digits), qint64(number)).ptr;
        out += QLatin1StringView(digits, end - digits);
        return;
    }
    // Fixed notation: a jackpot of 5000000 reads "5000000", not "5e+06".
    out += QString::number(number, 'f', QLocale::FloatingPointShortest);
}

QString TKestTable::cellText(int row, int field) const
{
    QString text;
    appendCellText(text, row, field);
    return text;
}

QVariant TKestTable::FieldValue(int field) const
{
    checkField(schema(), field);
    const int row = currentRow();
    return row != NoRow ? cellValue(row, field) : QVariant();
}

double TKestTable::AsFloat(int field) const
{
    checkField(schema(), field);
    const int row = currentRow();
    return row != NoRow ? floatIn(row, field) : 0.0;
}

double TKestTable::numberAt(int visibleIndex, int field) const
{
    checkField(schema(), field);
    if (visibleIndex < 0 || visibleIndex >= RecordCount())
        return 0.0;
    return floatIn(physicalIndex(visibleIndex), field);
}

TKestTable::NumberField TKestTable::numberField(int field) const
{
    checkField(schema(), field);
    if (m_schema->fields[field].type == FieldType::Text)
        throw TKestError(
            QString("Field '%1' is not a number field").arg(m_schema->fields[field].name));
    readFields({field});
    NumberField numbers;
    numbers.m_rows = &m_rows;
    numbers.m_visible = m_filtered ? &m_visible : nullptr;
    numbers.m_slot = m_schema->slotOf[field];
    return numbers;
}

double TKestTable::floatIn(int row, int field) const
{
    // Numbers straight from the row: the statistics read millions of them.
    if (m_schema->fields[field].type != FieldType::Text) {
        const double number = numberIn(row, field);
        return std::isnan(number) ? 0.0 : number;
    }
    const QString text = textIn(row, field);
    if (text.isEmpty())
        return 0.0;
    bool ok = false;
    const double number = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok)
        throw TKestError(QString("'%1' is not a valid floating point value").arg(text));
    return number;
}

int TKestTable::AsInteger(int field) const
{
    return roundToInt(AsFloat(field));
}

QString TKestTable::AsString(int field) const
{
    checkField(schema(), field);
    const int row = currentRow();
    return row != NoRow ? cellText(row, field) : QString();
}

bool TKestTable::IsNull(int field) const
{
    return FieldValue(field).isNull();
}

QString TKestTable::textAt(int visibleIndex, int field) const
{
    checkField(schema(), field);
    if (visibleIndex < 0 || visibleIndex >= RecordCount())
        return {};
    return cellText(physicalIndex(visibleIndex), field);
}

QString TKestTable::rowText(int visibleIndex, int firstField, QChar separator) const
{
    QString text;
    if (visibleIndex < 0 || visibleIndex >= RecordCount())
        return text;
    const int row = physicalIndex(visibleIndex);
    for (int field = firstField; field < int(m_schema->fields.size()); ++field) {
        if (field > firstField)
            text += separator;
        appendCellText(text, row, field);
    }
    return text;
}

// ---------------------------------------------------------------------------------------
// Editing

void TKestTable::Insert()
{
    requireBrowse();
    ensureFresh();
    m_editRow = TableRow{};
    m_editRow.numbers.assign(m_schema->numberCount, Empty);
    m_editRow.texts.assign(m_schema->textCount, QString());
    m_insertAt = RecordCount() == 0 ? m_rows.size() : physicalIndex(std::max(m_pos, 0));
    m_state = State::Insert;
}

void TKestTable::Append()
{
    requireBrowse();
    ensureFresh();
    m_editRow = TableRow{};
    m_editRow.numbers.assign(m_schema->numberCount, Empty);
    m_editRow.texts.assign(m_schema->textCount, QString());
    m_insertAt = m_rows.size();
    m_state = State::Insert;
}

void TKestTable::appendRows(int count, const std::function<void(int, TableRow&)>& fill)
{
    requireBrowse();
    ensureFresh();
    if (count <= 0)
        return;
    // The new rows are known by identity and order; their fields, and the others', are read
    // from the file when needed: a pass that writes thousands of rows rarely reads them back.
    std::vector<qint64> rowIds, orders;
    rowIds.reserve(size_t(count));
    orders.reserve(size_t(count));
    TableRow row;
    runWrite(
        [&] {
            rowIds.clear();
            orders.clear();
            // After whatever the file holds now, should another program have written it.
            qint64 order = newOrderAt(m_rows.size(), false);
            for (int i = 0; i < count; ++i, order += OrderGap) {
                row.numbers.assign(m_schema->numberCount, Empty);
                // Emptied but kept: a fill that writes into them allocates nothing.
                row.texts.resize(m_schema->textCount);
                for (QString& text : row.texts)
                    text.truncate(0);
                fill(i, row);
                for (int field = 0; field < int(m_schema->fields.size()); ++field) {
                    const FieldDef& def = m_schema->fields[field];
                    if (def.type == FieldType::Text)
                        row.texts[m_schema->slotOf[field]].truncate(def.size);
                }
                row.order = order;
                writeRow(row, false);
                rowIds.push_back(sqlite3_last_insert_rowid(m_sql->handle));
                orders.push_back(order);
            }
        },
        true, [] { return true; });
    m_rows.appendUnread(rowIds, orders);
    orderByRowId();
    rebuildVisible();
    if (m_pos < 0)
        First();
    markSiblingsStale();
    notifyChanged();
}

void TKestTable::Edit()
{
    requireBrowse();
    const int row = currentRow();
    if (row == NoRow)
        throw TKestError("Cannot edit: the table is empty");
    readAllFieldsForWrite();
    m_editRow = m_rows.row(row);
    m_state = State::Edit;
}

void TKestTable::SetField(int field, const QVariant& value)
{
    checkField(schema(), field);
    if (m_state != State::Insert && m_state != State::Edit)
        throw TKestError("Dataset not in edit or insert mode");
    const FieldDef& def = m_schema->fields[field];
    const int slot = m_schema->slotOf[field];
    switch (def.type) {
    case FieldType::AutoInc:
        throw TKestError(QString("Field '%1' cannot be modified").arg(def.name));
    case FieldType::Text:
        m_editRow.texts[slot] = value.isNull() ? QString() : value.toString().left(def.size);
        return;
    case FieldType::Float:
        if (value.isNull() || !value.isValid()) {
            m_editRow.numbers[slot] = Empty;
        } else if (value.typeId() == QMetaType::QString) {
            SetFieldText(field, value.toString());
        } else {
            bool ok = false;
            const double number = value.toDouble(&ok);
            if (!ok)
                throw TKestError(QString("'%1' is not a valid floating point value for field '%2'")
                                     .arg(value.toString(), def.name));
            m_editRow.numbers[slot] = number;
        }
        return;
    }
}

void TKestTable::SetFieldText(int field, const QString& text)
{
    checkField(schema(), field);
    const FieldDef& def = m_schema->fields[field];
    if (def.type != FieldType::Float) {
        SetField(field, text);
        return;
    }
    if (m_state != State::Insert && m_state != State::Edit)
        throw TKestError("Dataset not in edit or insert mode");
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        m_editRow.numbers[m_schema->slotOf[field]] = Empty;
        return;
    }
    bool ok = false;
    const double number = QLocale::c().toDouble(trimmed, &ok);
    if (!ok)
        throw TKestError(
            QString("'%1' is not a valid floating point value for field '%2'").arg(text, def.name));
    m_editRow.numbers[m_schema->slotOf[field]] = number;
}

void TKestTable::writeRow(const TableRow& row, bool update)
{
    sqlite3_stmt* statement = update ? m_sql->update : m_sql->insert;
    // The texts in UTF-8 side by side, bound without SQLite copying them: the buffer outlives
    // the statement's run. A text takes at most three bytes a character.
    qsizetype room = 0;
    for (const QString& text : row.texts)
        room += 3 * text.size();
    QVarLengthArray<char, 1024> utf8(room);
    char* end = utf8.data();
    int index = 1;
    for (int field : m_sql->writtenFields) {
        const int slot = m_schema->slotOf[field];
        if (m_schema->fields[field].type == FieldType::Text) {
            const QString& text = row.texts[slot];
            char* const begin = end;
            // Nearly every text is ASCII: copied without a conversion in between.
            if (std::all_of(text.cbegin(), text.cend(),
                            [](QChar c) { return c.unicode() < 0x80; })) {
                end = std::transform(text.cbegin(), text.cend(), begin,
                                     [](QChar c) { return char(c.unicode()); });
            } else {
                const QByteArray bytes = text.toUtf8();
                end = std::copy(bytes.cbegin(), bytes.cend(), begin);
            }
            sqlite3_bind_text(statement, index++, begin, int(end - begin), SQLITE_STATIC);
        } else if (std::isnan(row.numbers[slot])) {
            sqlite3_bind_null(statement, index++);
        } else {
            sqlite3_bind_double(statement, index++, row.numbers[slot]);
        }
    }
    sqlite3_bind_int64(statement, index, update ? row.rowId : row.order);
    m_sql->run(statement, [this] { return QString("Cannot write to %1").arg(m_tableName); });
}

// Every write takes the file's write lock and first checks that no other connection has
// changed the file since this handle read it: rowids and positions read before would name
// other rows. Inside a transaction the lock is already held and the check was made when it
// began; a write of several statements then runs in a savepoint of its own.
void TKestTable::runWrite(const std::function<void()>& write, bool severalStatements,
                          const std::function<bool()>& stillValid)
{
    refuseWhenReadOnly();
    if (m_transactionDepth > 0) {
        if (!severalStatements) {
            write();
            return;
        }
        m_sql->exec("SAVEPOINT post");
        try {
            write();
            m_sql->exec("RELEASE post");
        } catch (...) {
            if (m_sql->inTransaction()) {
                m_sql->exec("ROLLBACK TO post");
                m_sql->exec("RELEASE post");
            }
            throw;
        }
        return;
    }
    m_sql->exec("BEGIN IMMEDIATE");
    try {
        if (!m_unread && m_sql->dataVersion() != m_dataVersion) {
            reloadKeepingCursor();
            readAllFields();
            if (!stillValid || !stillValid())
                throw TKestError(changedElsewhere());
        }
        write();
        m_sql->exec("COMMIT");
    } catch (...) {
        if (m_sql->inTransaction())
            sqlite3_exec(m_sql->handle, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

QString TKestTable::changedElsewhere() const
{
    return QString("%1 was changed by another program and has been read again; nothing was "
                   "written. Check the record and try again.")
        .arg(QDir::toNativeSeparators(fileName()));
}

// A write changes the rows in memory, which takes all of their fields. Where another program
// has changed the file since the rows were read, the fields missing cannot be read as they
// were: the rows are read again, whole, and the write is refused as runWrite refuses it.
void TKestTable::readAllFieldsForWrite()
{
    if (m_rows.allRead())
        return;
    if (m_sql->dataVersion() != m_dataVersion) {
        reloadKeepingCursor();
        readAllFields();
        throw TKestError(changedElsewhere());
    }
    readAllFields();
}

int TKestTable::indexOfRowId(qint64 rowId) const
{
    for (int i = 0; i < m_rows.size(); ++i) {
        if (m_rows.rowId(i) == rowId)
            return i;
    }
    return NoRow;
}

// Whether the file still holds this row as it was read: same identity, same values. A rowid
// alone is not enough, SQLite hands out the rowids of deleted rows again.
bool TKestTable::stillHolds(const TableRow& row) const
{
    return m_rows.holds(indexOfRowId(row.rowId), row);
}

void TKestTable::refuseWhenReadOnly() const
{
    if (m_readOnly)
        throw TKestError(
            QString("The data folder %1 is read-only, so %2 cannot be changed. Give "
                    "yourself write permission on the folder and its files, or "
                    "choose another data folder, then try again.")
                .arg(QDir::toNativeSeparators(QFileInfo(fileName()).absolutePath()), m_tableName));
}

void TKestTable::reloadKeepingCursor() const
{
    const qint64 current = GetBookmark();
    const int position = m_pos;
    reload();
    placeCursorOn(current, position);
}

// When a statement fails badly enough (a full disk, an I/O error) SQLite rolls the whole
// transaction back by itself. The rows in memory then hold writes the file does not, and
// the savepoints this table counts are gone: the file is the truth again.
void TKestTable::recoverFromStoreRollback()
{
    if (m_transactionDepth == 0 || m_sql->inTransaction())
        return;
    m_transactionDepth = 0;
    m_rolledBackByStore = true;
    m_state = State::Browse;
    try {
        reloadKeepingCursor();
    } catch (const TKestError&) {
        // The error being reported is the first one; the rows are read at the next chance.
        m_stale = true;
    }
    markSiblingsStale();
    notifyChanged();
}

qint64 TKestTable::orderAt(int physical, bool renumbered) const
{
    return renumbered ? qint64(physical + 1) * OrderGap : m_rows.order(physical);
}

bool TKestTable::hasRoomBefore(int physical) const
{
    if (physical <= 0 || physical >= m_rows.size())
        return true;
    return m_rows.order(physical) - m_rows.order(physical - 1) >= 2;
}

qint64 TKestTable::newOrderAt(int physical, bool renumbered) const
{
    const int count = m_rows.size();
    if (count == 0)
        return OrderGap;
    if (physical >= count)
        return orderAt(count - 1, renumbered) + OrderGap;
    const qint64 next = orderAt(physical, renumbered);
    const qint64 previous = physical > 0 ? orderAt(physical - 1, renumbered) : next - 2 * OrderGap;
    return previous + (next - previous) / 2;
}

void TKestTable::renumberOrders()
{
    for (int i = 0; i < m_rows.size(); ++i) {
        sqlite3_bind_int64(m_sql->setOrder, 1, orderAt(i, true));
        sqlite3_bind_int64(m_sql->setOrder, 2, m_rows.rowId(i));
        m_sql->run(m_sql->setOrder, [] { return QString("Cannot reorder the table"); });
    }
}

void TKestTable::postInsert()
{
    readAllFieldsForWrite(); // the row goes into the rows in memory with all of its fields
    TableRow row = m_editRow;
    int at = std::clamp(m_insertAt, 0, m_rows.size());
    const bool appending = at == m_rows.size();
    // Inserting between two rows whose orders touch renumbers the table first.
    bool renumber = !hasRoomBefore(at);
    runWrite(
        [&] {
            if (renumber)
                renumberOrders();
            row.order = newOrderAt(at, renumber);
            writeRow(row, false);
        },
        renumber,
        [&] {
            // An appended row goes after whatever the file holds now; a row meant to go
            // ahead of another cannot be placed when the rows have changed.
            at = m_rows.size();
            renumber = false;
            return appending;
        });
    if (renumber) {
        for (int i = 0; i < m_rows.size(); ++i)
            m_rows.setOrder(i, orderAt(i, true));
    }
    row.rowId = sqlite3_last_insert_rowid(m_sql->handle);
    for (int field = 0; field < int(m_schema->fields.size()); ++field) {
        if (m_schema->fields[field].type == FieldType::AutoInc)
            row.numbers[m_schema->slotOf[field]] = double(row.rowId);
    }
    const qint64 rowId = row.rowId;
    m_rows.insert(at, row);
    m_state = State::Browse;
    if (m_filtered) {
        rebuildVisible();
        placeCursorOn(rowId, m_pos);
    } else {
        m_pos = at;
        m_eof = m_bof = false;
    }
}

void TKestTable::postEdit()
{
    readAllFieldsForWrite(); // the row as read, to tell whether another program changed it
    const TableRow row = m_editRow;
    const int stored = indexOfRowId(row.rowId);
    const TableRow original = stored != NoRow ? m_rows.row(stored) : TableRow{};
    runWrite([&] { writeRow(row, true); }, false, [&] { return stillHolds(original); });
    if (const int kept = indexOfRowId(row.rowId); kept != NoRow)
        m_rows.assign(kept, row);
    m_state = State::Browse;
    rebuildVisible();
    placeCursorOn(row.rowId, m_pos);
}

void TKestTable::Post()
{
    requireActive();
    if (m_state == State::Insert)
        postInsert();
    else if (m_state == State::Edit)
        postEdit();
    else
        return;
    markSiblingsStale();
    notifyChanged();
}

void TKestTable::Cancel()
{
    if (m_state == State::Insert || m_state == State::Edit)
        m_state = State::Browse;
}

void TKestTable::Delete()
{
    requireActive();
    if (m_state == State::Insert) {
        Cancel();
        return;
    }
    if (m_state == State::Edit)
        Cancel();
    const int row = currentRow();
    if (row == NoRow)
        throw TKestError("Cannot delete: the table is empty");
    // Rows in rowid order lose one without their fields being read (the header line of an
    // import); otherwise the order by rowid is made again after, from all of them.
    if (!m_byRowId.empty())
        readAllFieldsForWrite();
    const qint64 rowId = m_rows.rowId(row);
    // The row as read, to tell whether another program changed it; with fields not read,
    // any change by another program refuses the delete.
    const bool whole = m_rows.allRead();
    const TableRow target = whole ? m_rows.row(row) : TableRow{};
    const int position = m_pos;
    runWrite(
        [&] {
            sqlite3_bind_int64(m_sql->remove, 1, rowId);
            m_sql->run(m_sql->remove,
                       [this] { return QString("Cannot delete from %1").arg(m_tableName); });
        },
        false, [&] { return whole && stillHolds(target); });
    m_rows.erase(indexOfRowId(rowId));
    m_loneRows.clear(); // named by position, which has moved
    rebuildVisible();
    const int count = RecordCount();
    m_pos = count == 0 ? -1 : std::min(position, count - 1);
    m_eof = m_bof = count == 0;
    markSiblingsStale();
    notifyChanged();
}

// ---------------------------------------------------------------------------------------
// Transactions

void TKestTable::DeleteAll()
{
    requireBrowse();
    // Emptying needs none of the rows: whatever the file holds goes.
    if (m_unread) {
        m_unread = m_stale = false;
        m_dataVersion = m_sql->dataVersion();
    }
    runWrite([&] { m_sql->exec("DELETE FROM records"); });
    m_rows.clear();
    m_byRowId.clear();
    m_loneRows.clear();
    rebuildVisible();
    m_pos = -1;
    m_eof = m_bof = true;
    markSiblingsStale();
    notifyChanged();
}

// The outermost level takes the write lock at once (an immediate transaction), so that what
// is read after it and what is written under it are the same file; the levels inside it are
// savepoints.
void TKestTable::StartTransaction()
{
    requireActive();
    refuseWhenReadOnly();
    if (m_transactionDepth > 0) {
        m_sql->exec(QString("SAVEPOINT batch%1").arg(m_transactionDepth));
        ++m_transactionDepth;
        return;
    }
    m_sql->exec("BEGIN IMMEDIATE");
    m_transactionDepth = 1;
    m_rolledBackByStore = false;
    // Rows not read yet are read under the lock when first asked for.
    if (!m_unread && m_sql->dataVersion() != m_dataVersion) {
        reloadKeepingCursor();
        notifyChanged();
    }
}

void TKestTable::Commit()
{
    requireActive();
    if (m_transactionDepth == 0)
        throw TKestError("No transaction is active");
    // The depth changes only once the file has: a failed commit leaves the transaction open
    // for the caller's Rollback (unless the store rolled it back itself).
    if (m_transactionDepth == 1)
        m_sql->exec("COMMIT");
    else
        m_sql->exec(QString("RELEASE batch%1").arg(m_transactionDepth - 1));
    --m_transactionDepth;
    markSiblingsStale();
}

void TKestTable::Rollback()
{
    requireActive();
    // The caller's Rollback after a write failed may come after the store undid everything:
    // there is nothing left to do, and the write's error is the one to report.
    if (m_transactionDepth == 0 && std::exchange(m_rolledBackByStore, false))
        return;
    if (m_transactionDepth == 0)
        throw TKestError("No transaction is active");
    if (!m_sql->inTransaction()) {
        // The store has undone everything already.
        m_transactionDepth = 1;
    } else if (m_transactionDepth == 1) {
        m_sql->exec("ROLLBACK");
    } else {
        m_sql->exec(QString("ROLLBACK TO batch%1").arg(m_transactionDepth - 1));
        m_sql->exec(QString("RELEASE batch%1").arg(m_transactionDepth - 1));
    }
    --m_transactionDepth;
    m_state = State::Browse;
    // The rows in memory took the writes; the file is the truth again.
    const int position = m_pos;
    reload();
    placeCursorOn(0, position);
    markSiblingsStale();
    notifyChanged();
}

// ---------------------------------------------------------------------------------------
// Bookmarks and views

TKestTable::Bookmark TKestTable::GetBookmark() const
{
    ensureFresh();
    if (!Active() || m_pos < 0 || m_pos >= (m_filtered ? int(m_visible.size()) : m_rows.size()))
        return 0;
    return m_rows.rowId(physicalIndex(m_pos));
}

bool TKestTable::BookmarkValid(Bookmark bookmark) const
{
    const int count = RecordCount();
    for (int v = 0; bookmark != 0 && v < count; ++v) {
        if (m_rows.rowId(physicalIndex(v)) == bookmark)
            return true;
    }
    return false;
}

void TKestTable::GotoBookmark(Bookmark bookmark)
{
    requireActive();
    if (m_state != State::Browse)
        Post();
    if (!BookmarkValid(bookmark))
        throw TKestError("Record not found");
    placeCursorOn(bookmark, m_pos);
}

void TKestTable::DisableControls()
{
    ++m_disableCount;
}

void TKestTable::EnableControls()
{
    if (m_disableCount == 0)
        return;
    if (--m_disableCount == 0)
        emit dataChanged();
}

void TKestTable::notifyChanged()
{
    if (m_disableCount == 0)
        emit dataChanged();
}
