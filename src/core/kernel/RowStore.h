#pragma once

#include "core/kernel/TableSchema.h"

#include <QString>
#include <QtGlobal>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

// The rows of an open table, kept by column rather than as one TableRow each: 100,000 draws
// then take a few large allocations instead of half a million small ones, and a number
// column whose values are all whole numbers in 32 bits takes half the room.
//
// A column can be left unread: the rows are known by identity and order, and the table fills
// a field's column when it is first needed. Reading whole rows (row, viewRow, holds) and
// changing rows (insert, assign) need every column read; erase does not.
class RowStore {
public:
    // No rows; every column read.
    void reset(const TableSchema& schema);
    void clear();
    // Replaces the rows by these identities and orders, with every column unread.
    void setRows(std::vector<qint64> rowIds, std::vector<qint64> orders);
    // Adds rows after the last by identity and order; every column becomes unread, to be read
    // from the file, which holds them, when needed.
    void appendUnread(const std::vector<qint64>& rowIds, const std::vector<qint64>& orders);
    const std::vector<qint64>& rowIds() const { return m_rowIds; }
    int size() const { return int(m_rowIds.size()); }

    bool numbersRead(int slot) const { return m_numbers[size_t(slot)].isRead(); }
    bool textsRead(int slot) const { return m_texts[size_t(slot)].read; }
    bool allRead() const;
    // Makes a column of every row empty and read, for the reader to fill: as doubles from the
    // start when `wide`, else as whole numbers until a value needs more.
    void startNumbers(int slot, bool wide);
    void startTexts(int slot);

    qint64 rowId(int row) const { return m_rowIds[size_t(row)]; }
    qint64 order(int row) const { return m_orders[size_t(row)]; }
    void setOrder(int row, qint64 order) { m_orders[size_t(row)] = order; }

    // NaN for an empty value.
    double number(int row, int slot) const { return m_numbers[size_t(slot)].get(size_t(row)); }
    QString text(int row, int slot) const;
    QStringView textView(int row, int slot) const;

    void setNumber(int row, int slot, double value) { m_numbers[size_t(slot)].set(row, value); }
    void setText(int row, int slot, const char* utf8, int bytes);
    void setTextEmpty(int row, int slot) { setSpan(row, slot, Span()); }

    TableRow row(int index) const;
    // Fills `view` with the row without copying its texts: valid until the store changes.
    void viewRow(int index, TableRow& view) const;
    // Whether the stored row equals `row` in order, numbers (empty equals empty) and texts.
    bool holds(int index, const TableRow& row) const;
    void insert(int at, const TableRow& row);
    void assign(int at, const TableRow& row);
    void erase(int at);

private:
    // Whole numbers in 32 bits until a value needs more; then every value as a double.
    class NumberColumn {
    public:
        double get(size_t row) const
        {
            if (m_wide)
                return m_doubles[row];
            const qint32 value = m_ints[row];
            return value == EmptyInt ? std::numeric_limits<double>::quiet_NaN() : double(value);
        }
        void set(int row, double value)
        {
            if (!m_wide && !fits(value))
                widen();
            if (m_wide)
                m_doubles[size_t(row)] = value;
            else
                m_ints[size_t(row)] = value != value ? EmptyInt : qint32(value);
        }
        void insert(int at, double value);
        void erase(int at);
        bool isRead() const { return m_read; }
        // Every value empty: `rows` of them when read, none when not.
        void reset(int rows, bool read, bool wide = false);

        static constexpr qint32 EmptyInt = std::numeric_limits<qint32>::min();

    private:
        // Whether a value goes into 32 bits and back unchanged (-0.0 would come back as 0).
        static bool fits(double value)
        {
            return value != value ||
                   (value > EmptyInt && value <= INT32_MAX && double(qint32(value)) == value &&
                    !(value == 0 && std::signbit(value)));
        }
        void widen();
        bool m_read = true;
        bool m_wide = false;
        std::vector<qint32> m_ints;
        std::vector<double> m_doubles;
    };

    // The texts of a column as spans of one shared pool; a row whose text equals the row
    // above's shares its span.
    struct TextColumn {
        std::vector<quint32> start;
        std::vector<quint32> length;
        bool read = true;
    };

    struct Span {
        quint32 start = 0;
        quint32 length = 0;
    };
    Span addText(int slot, int row, const QString& text);
    Span addText(int slot, int row, const char16_t* text, size_t length);
    void setSpan(int row, int slot, Span span);

    std::vector<qint64> m_rowIds;
    std::vector<qint64> m_orders;
    std::vector<NumberColumn> m_numbers;
    std::vector<TextColumn> m_texts;
    std::u16string m_pool;
};
