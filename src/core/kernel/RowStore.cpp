#include "core/kernel/RowStore.h"

#include <algorithm>
#include <cmath>

namespace {

template <typename T> void insertAt(std::vector<T>& values, int at, const T& value)
{
    values.insert(values.begin() + at, value);
}

template <typename T> void eraseAt(std::vector<T>& values, int at)
{
    values.erase(values.begin() + at);
}

} // namespace

// ---------------------------------------------------------------------------------------
// Number columns

void RowStore::NumberColumn::widen()
{
    m_doubles.reserve(m_ints.capacity());
    for (size_t row = 0; row < m_ints.size(); ++row)
        m_doubles.push_back(get(row));
    m_ints = {};
    m_wide = true;
}

void RowStore::NumberColumn::insert(int at, double value)
{
    if (!m_wide && !fits(value))
        widen();
    if (m_wide)
        insertAt(m_doubles, at, value);
    else
        insertAt(m_ints, at, std::isnan(value) ? EmptyInt : qint32(value));
}

void RowStore::NumberColumn::erase(int at)
{
    if (!m_read)
        return; // holds no values
    if (m_wide)
        eraseAt(m_doubles, at);
    else
        eraseAt(m_ints, at);
}

void RowStore::NumberColumn::reset(int rows, bool read, bool wide)
{
    m_read = read;
    m_wide = wide;
    m_doubles = {};
    m_ints = {};
    if (read && wide)
        m_doubles.assign(size_t(rows), std::numeric_limits<double>::quiet_NaN());
    else if (read)
        m_ints.assign(size_t(rows), EmptyInt);
}

// ---------------------------------------------------------------------------------------
// The store

void RowStore::reset(const TableSchema& schema)
{
    clear();
    m_numbers.assign(size_t(schema.numberCount), NumberColumn());
    m_texts.assign(size_t(schema.textCount), TextColumn());
}

void RowStore::clear()
{
    m_rowIds = {};
    m_orders = {};
    for (NumberColumn& column : m_numbers)
        column.reset(0, true);
    for (TextColumn& column : m_texts)
        column = TextColumn();
    m_pool = {};
}

void RowStore::setRows(std::vector<qint64> rowIds, std::vector<qint64> orders)
{
    clear();
    m_rowIds = std::move(rowIds);
    m_orders = std::move(orders);
    for (NumberColumn& column : m_numbers)
        column.reset(0, false);
    for (TextColumn& column : m_texts)
        column.read = false;
}

bool RowStore::allRead() const
{
    return std::all_of(m_numbers.begin(), m_numbers.end(),
                       [](const NumberColumn& column) { return column.isRead(); }) &&
           std::all_of(m_texts.begin(), m_texts.end(),
                       [](const TextColumn& column) { return column.read; });
}

void RowStore::appendUnread(const std::vector<qint64>& rowIds, const std::vector<qint64>& orders)
{
    std::vector<qint64> ids = std::move(m_rowIds);
    std::vector<qint64> allOrders = std::move(m_orders);
    ids.insert(ids.end(), rowIds.begin(), rowIds.end());
    allOrders.insert(allOrders.end(), orders.begin(), orders.end());
    setRows(std::move(ids), std::move(allOrders));
}

void RowStore::startNumbers(int slot, bool wide)
{
    m_numbers[size_t(slot)].reset(size(), true, wide);
}

void RowStore::startTexts(int slot)
{
    TextColumn& column = m_texts[size_t(slot)];
    column.start.assign(size_t(size()), 0);
    column.length.assign(size_t(size()), 0);
    column.read = true;
}

QStringView RowStore::textView(int row, int slot) const
{
    const TextColumn& column = m_texts[size_t(slot)];
    return QStringView(m_pool.data() + column.start[size_t(row)], column.length[size_t(row)]);
}

QString RowStore::text(int row, int slot) const
{
    return textView(row, slot).toString();
}

RowStore::Span RowStore::addText(int slot, int row, const char16_t* text, size_t length)
{
    if (length == 0)
        return {};
    // The row above often holds the same short text (a draw machine, a flag).
    if (row > 0 && row <= size()) {
        const QStringView above = textView(row - 1, slot);
        if (above == QStringView(text, qsizetype(length))) {
            const TextColumn& column = m_texts[size_t(slot)];
            return {column.start[size_t(row - 1)], column.length[size_t(row - 1)]};
        }
    }
    const Span span{quint32(m_pool.size()), quint32(length)};
    m_pool.append(text, length);
    return span;
}

RowStore::Span RowStore::addText(int slot, int row, const QString& text)
{
    return addText(slot, row, reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size()));
}

void RowStore::setSpan(int row, int slot, Span span)
{
    TextColumn& column = m_texts[size_t(slot)];
    column.start[size_t(row)] = span.start;
    column.length[size_t(row)] = span.length;
}

void RowStore::setText(int row, int slot, const char* utf8, int bytes)
{
    // Stored texts are nearly always ASCII: widened in place, without a QString between.
    char16_t ascii[64];
    bool plain = bytes <= int(std::size(ascii));
    for (int i = 0; plain && i < bytes; ++i) {
        plain = static_cast<unsigned char>(utf8[i]) < 0x80;
        ascii[i] = char16_t(utf8[i]);
    }
    setSpan(row, slot,
            plain ? addText(slot, row, ascii, size_t(bytes))
                  : addText(slot, row, QString::fromUtf8(utf8, bytes)));
}

TableRow RowStore::row(int index) const
{
    TableRow result;
    result.rowId = rowId(index);
    result.order = order(index);
    result.numbers.reserve(m_numbers.size());
    for (const NumberColumn& column : m_numbers)
        result.numbers.push_back(column.get(size_t(index)));
    result.texts.reserve(m_texts.size());
    for (int slot = 0; slot < int(m_texts.size()); ++slot)
        result.texts.push_back(text(index, slot));
    return result;
}

void RowStore::viewRow(int index, TableRow& view) const
{
    view.rowId = rowId(index);
    view.order = order(index);
    view.numbers.resize(m_numbers.size());
    for (size_t slot = 0; slot < m_numbers.size(); ++slot)
        view.numbers[slot] = m_numbers[slot].get(size_t(index));
    view.texts.resize(m_texts.size());
    for (int slot = 0; slot < int(m_texts.size()); ++slot) {
        const QStringView text = textView(index, slot);
        view.texts[size_t(slot)].setRawData(text.data(), text.size());
    }
}

bool RowStore::holds(int index, const TableRow& row) const
{
    if (index < 0 || index >= size() || order(index) != row.order)
        return false;
    for (int slot = 0; slot < int(m_texts.size()); ++slot) {
        if (textView(index, slot) != row.texts[size_t(slot)])
            return false;
    }
    for (size_t slot = 0; slot < m_numbers.size(); ++slot) {
        const double a = m_numbers[slot].get(size_t(index));
        const double b = row.numbers[slot];
        if (!(a == b || (std::isnan(a) && std::isnan(b))))
            return false;
    }
    return true;
}

void RowStore::insert(int at, const TableRow& row)
{
    insertAt(m_rowIds, at, row.rowId);
    insertAt(m_orders, at, row.order);
    for (size_t slot = 0; slot < m_numbers.size(); ++slot)
        m_numbers[slot].insert(at, row.numbers[slot]);
    for (int slot = 0; slot < int(m_texts.size()); ++slot) {
        TextColumn& column = m_texts[size_t(slot)];
        insertAt(column.start, at, quint32(0));
        insertAt(column.length, at, quint32(0));
        setSpan(at, slot, addText(slot, at, row.texts[size_t(slot)]));
    }
}

void RowStore::assign(int at, const TableRow& row)
{
    m_rowIds[size_t(at)] = row.rowId;
    m_orders[size_t(at)] = row.order;
    for (size_t slot = 0; slot < m_numbers.size(); ++slot)
        m_numbers[slot].set(at, row.numbers[slot]);
    // An edited text goes to the end of the pool; the old one stays unused until the next
    // reading of the file.
    for (int slot = 0; slot < int(m_texts.size()); ++slot)
        setSpan(at, slot, addText(slot, at, row.texts[size_t(slot)]));
}

void RowStore::erase(int at)
{
    eraseAt(m_rowIds, at);
    eraseAt(m_orders, at);
    for (NumberColumn& column : m_numbers)
        column.erase(at);
    for (TextColumn& column : m_texts) {
        if (!column.read)
            continue;
        eraseAt(column.start, at);
        eraseAt(column.length, at);
    }
}
