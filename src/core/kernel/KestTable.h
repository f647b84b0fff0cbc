#pragma once

#include "core/kernel/KestFilter.h"
#include "core/kernel/RowStore.h"
#include "core/kernel/TableSchema.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// A cursor over the rows of one table file. The rows are held in memory in table order;
// every write (insert, append, post, delete) goes to the SQLite file at once, inside a
// transaction, so a failed write leaves neither the file nor the rows changed.
//
// The cursor follows the usual dataset rules: positions count from 0 over the rows that pass
// the filter; Eof and Bof are set by a move that runs past either end. RecNo is the 1-based
// position of the current row in the whole table, filter or not.
class TKestTable : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Insert, Edit };
    using Bookmark = qint64; // the row's identity in the store

    explicit TKestTable(QObject* parent = nullptr);
    ~TKestTable() override;

    // Where the table lives. Changing either closes nothing: set them while closed.
    void setDatabasePath(const QString& folder);
    void setTableName(const QString& fileName);
    QString tableName() const { return m_tableName; }
    // The data folder, a separator if it lacks one, then the table's file name.
    QString fileName() const;

    // An exclusive table cannot be opened while another handle of this process has the file
    // open, and blocks shared handles while it is open.
    void setExclusive(bool exclusive) { m_exclusive = exclusive; }

    // Throws TKestError when the file is missing or is not a table of that name.
    void Open();
    void Close();
    bool Active() const { return m_state != State::Inactive; }
    State state() const { return m_state; }

    const TableSchema& schema() const;
    int FieldCount() const;
    int FieldIndex(const QString& name) const; // -1 when there is none, case ignored
    int fieldIndexOrThrow(const QString& name) const;

    // Cursor.
    void First();
    void Last();
    void Next();
    void Prior();
    bool Eof() const
    {
        ensureFresh();
        return m_eof;
    }
    bool Bof() const
    {
        ensureFresh();
        return m_bof;
    }
    bool IsEmpty() const { return RecordCount() == 0; }
    int RecordCount() const;
    int RecNo() const; // 0 when there is no current row
    // The current row among the rows that pass the filter; -1 when there is none.
    int position() const { return RecNo() > 0 ? m_pos : -1; }
    void setPosition(int visibleIndex);

    // Fields of the current row (or of the row being edited).
    QVariant FieldValue(int field) const; // QVariant() for an empty value
    double AsFloat(int field) const;      // empty reads 0
    int AsInteger(int field) const;       // rounded to nearest, ties to even
    QString AsString(int field) const;    // numbers in their shortest text form
    bool IsNull(int field) const;
    bool IsNull(const QString& name) const { return IsNull(fieldIndexOrThrow(name)); }
    QVariant FieldValue(const QString& name) const { return FieldValue(fieldIndexOrThrow(name)); }
    double AsFloat(const QString& name) const { return AsFloat(fieldIndexOrThrow(name)); }
    int AsInteger(const QString& name) const { return AsInteger(fieldIndexOrThrow(name)); }
    QString AsString(const QString& name) const { return AsString(fieldIndexOrThrow(name)); }

    // Reads these fields of every row now, in one pass over the file, where not read yet. The
    // rows are read by identity and order at first; a pass that needs a few fields of many
    // rows names them first, and a field read without being named brings in all the others.
    void readFields(const std::vector<int>& fields) const;

    // A number field of the rows that pass the filter, for a pass over all of them: read by
    // position as numberAt reads it (empty reads 0), without its checks on every call.
    // Valid while the table does not change.
    class NumberField {
    public:
        double at(int visibleIndex) const
        {
            const int row = m_visible ? (*m_visible)[size_t(visibleIndex)] : visibleIndex;
            const double number = m_rows->number(row, m_slot);
            return number == number ? number : 0.0;
        }

    private:
        friend class TKestTable;
        const RowStore* m_rows = nullptr;
        const std::vector<int>* m_visible = nullptr;
        int m_slot = 0;
    };
    // Throws TKestError for a text field.
    NumberField numberField(int field) const;

    // Reading a row that passes the filter without moving the cursor (for views).
    QString textAt(int visibleIndex, int field) const;
    double numberAt(int visibleIndex, int field) const; // as AsFloat reads it
    // The fields from firstField on of such a row, each as AsString gives it, between
    // separators: for printing tables of thousands of rows.
    QString rowText(int visibleIndex, int firstField, QChar separator) const;

    // Editing. Insert puts the new row ahead of the current one, Append at the end. Post
    // writes it; Cancel drops it. SetField throws TKestError for a value the field refuses
    // (text that is not a number for a number field, any value for an AutoInc field).
    void Insert();
    void Append();
    void Edit();
    void SetField(int field, const QVariant& value);
    void SetField(const QString& name, const QVariant& value)
    {
        SetField(fieldIndexOrThrow(name), value);
    }
    void SetFieldText(int field, const QString& text);
    void Post();
    // Appends `count` rows in one write, for passes that write thousands: `fill` gets the
    // index of each new row and the row with every field empty, by TableSchema slot. All or
    // nothing; a text longer than its field is cut as SetField cuts it.
    void appendRows(int count, const std::function<void(int index, TableRow& row)>& fill);
    void Cancel();
    void Delete(); // the next row becomes current
    // Deletes every row the file holds, including rows another process wrote since this
    // handle last read it.
    void DeleteAll();

    // Writes within one transaction: either all land or, after Rollback, none. When a write
    // fails in a way that makes the store undo the whole transaction (a full disk), the table
    // reloads the file and InTransaction() is false at once; a Rollback then does nothing.
    void StartTransaction();
    void Commit();
    void Rollback();
    bool InTransaction() const { return m_transactionDepth > 0; }
    // Opened without write access (a read-only data folder or file): every write is refused
    // with a message that names the folder.
    bool ReadOnly() const { return m_readOnly; }

    Bookmark GetBookmark() const; // 0 without a current row
    bool BookmarkValid(Bookmark bookmark) const;
    void GotoBookmark(Bookmark bookmark); // throws TKestError for a deleted row

    // While disabled, views are not told about single changes; enabling tells them once.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return m_disableCount > 0; }

    // The filter text is compiled when filtering is on. An expression that cannot be read
    // throws TKestError and leaves the table unfiltered.
    void setFilter(const QString& expression);
    QString filter() const { return m_filterText; }
    void setFiltered(bool on);
    bool filtered() const { return m_filtered; }

signals:
    // Views reset themselves on this; it is not emitted while controls are disabled.
    void dataChanged();
    void opened();
    void closed();

private:
    void ensureFresh() const;
    void reload() const;
    void orderByRowId() const;
    void readAllFields() const;
    void readAllFieldsForWrite();
    QString changedElsewhere() const;
    // The fields not read yet of one row: read on their own for the first rows asked for (the
    // rows a view shows or measures its columns by, the newest draw's jackpot); past those,
    // every field not read yet is read for all rows, and there is none.
    const TableRow* loneRow(int row) const;
    static constexpr int LoneRowLimit = 2048;
    // A read transaction that sees the file as the rows in memory were read from it.
    class Snapshot {
    public:
        explicit Snapshot(const TKestTable& table);
        ~Snapshot();
        Snapshot(const Snapshot&) = delete;
        Snapshot& operator=(const Snapshot&) = delete;

    private:
        void end();
        const TKestTable& m_table;
        bool m_own;
    };
    [[noreturn]] void throwChanged(const QString& reason) const;
    void rebuildVisible() const;
    void requireActive() const;
    void requireBrowse() const;
    // Rows are named by their physical index; these two name none and the row being edited.
    static constexpr int NoRow = -1;
    static constexpr int EditRow = -2;
    int currentRow() const;
    double numberIn(int row, int field) const;
    double floatIn(int row, int field) const;
    QString textIn(int row, int field) const;
    QVariant cellValue(int row, int field) const;
    QString cellText(int row, int field) const;
    void appendCellText(QString& out, int row, int field) const;
    int physicalIndex(int visibleIndex) const;
    void notifyChanged();
    void markSiblingsStale();
    void postInsert();
    void postEdit();
    void leaveEditState();
    qint64 orderAt(int physical, bool renumbered) const;
    bool hasRoomBefore(int physical) const;
    qint64 newOrderAt(int physical, bool renumbered) const;
    void renumberOrders();
    void runWrite(const std::function<void()>& write, bool severalStatements = false,
                  const std::function<bool()>& stillValid = {});
    int indexOfRowId(qint64 rowId) const;
    bool stillHolds(const TableRow& row) const;
    void refuseWhenReadOnly() const;
    void reloadKeepingCursor() const;
    void recoverFromStoreRollback();
    void placeCursorOn(qint64 rowId, int fallbackVisible) const;
    void writeRow(const TableRow& row, bool update);

    QString m_folder;
    QString m_tableName;
    bool m_exclusive = false;
    State m_state = State::Inactive;
    QString m_connection;
    QString m_fileKey; // the file's canonical path while open
    const TableSchema* m_schema = nullptr;
    std::unique_ptr<struct Statements> m_sql;

    mutable RowStore m_rows;
    // The physical indexes of the rows by ascending rowid, the order the file gives them in
    // fastest; empty when that is table order.
    mutable std::vector<int> m_byRowId;
    mutable QHash<int, TableRow> m_loneRows; // by physical index
    mutable std::vector<int> m_visible;      // physical indexes of the rows that pass the filter
    mutable bool m_stale = false;
    mutable bool m_unread = false; // opened, rows not read yet (m_stale is set too)
    mutable int m_pos = -1;
    mutable bool m_eof = true;
    mutable bool m_bof = true;

    TableRow m_editRow;
    int m_insertAt = -1; // physical index the inserted row goes to

    int m_transactionDepth = 0;
    bool m_readOnly = false;
    bool m_rolledBackByStore = false;  // the last transaction ended with a failed write
    mutable qint64 m_dataVersion = -1; // the file's change counter when the rows were read
    int m_disableCount = 0;

    QString m_filterText;
    bool m_filtered = false;
    std::optional<TKestFilter> m_compiled;
};
