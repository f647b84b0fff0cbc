#pragma once

#include <QString>
#include <QtGlobal>
#include <array>
#include <initializer_list>
#include <iterator>
#include <unordered_map>
#include <vector>

// One draw's six main balls as the statistics pages know them.
struct Combination {
    QString text;    // the six main balls ascending, "03 - 11 - 19 - 27 - 38 - 45"
    qint64 sum = 0;  // 64 bits: a stored ball may be any number up to the largest int
    quint64 key = 0; // see CombinationKey; 0 when unknown
};

// Six numbers as a combination is written, in the order given: "03 - 11 - 19 - 27 - 38 - 45".
QString CombinationText(const std::array<int, 6>& balls);
// The six numbers packed in one integer that orders as their texts do, so that sorting and
// counting combinations compares numbers; 0 when a number lies outside 0 to 99.
quint64 CombinationKey(const std::array<int, 6>& balls);
// The six numbers of a key, ascending.
std::array<int, 6> CombinationBalls(quint64 key);

// The combinations of the scanned draws, one entry a draw. An entry with a key is kept as its
// key alone, and its text and sum are worked out when the entry is read: a text per draw would
// cost more than the rest of the statistics pass. Only an entry without a key keeps its own.
class CombinationList {
public:
    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Combination;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = Combination;

        const_iterator() = default;
        const_iterator(const CombinationList* list, size_t entry)
            : m_list(list)
            , m_entry(entry)
        {}
        Combination operator*() const { return (*m_list)[m_entry]; }
        const_iterator& operator++()
        {
            ++m_entry;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++m_entry;
            return before;
        }
        bool operator==(const const_iterator& other) const { return m_entry == other.m_entry; }

    private:
        const CombinationList* m_list = nullptr;
        size_t m_entry = 0;
    };

    CombinationList() = default;
    CombinationList(std::initializer_list<Combination> entries);

    void reserve(size_t count) { m_keys.reserve(count); }
    void push_back(const Combination& entry);
    // A draw's six balls, ascending: the pass's way in, which makes no text.
    void append(const std::array<int, 6>& balls);

    size_t size() const { return m_keys.size(); }
    bool empty() const { return m_keys.empty(); }
    Combination operator[](size_t entry) const;
    quint64 key(size_t entry) const { return m_keys[entry]; }
    qint64 sum(size_t entry) const;
    QString text(size_t entry) const;

    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

private:
    struct WithoutKey {
        QString text;
        qint64 sum = 0;
    };
    std::vector<quint64> m_keys;                         // 0: see m_withoutKey
    std::unordered_map<size_t, WithoutKey> m_withoutKey; // by entry
};

// One distinct combination among the entries of a list.
struct CombinationCount {
    quint64 key = 0; // 0 for a list with entries without keys
    int entry = -1;  // without a key: the first drawn of its entries, which gives its text
    int times = 0;   // how many of the entries have it
};
// The distinct combinations among the first `count` entries of a list, in the order of their
// texts. When every entry has a key they are counted by key, with no text compared or needed.
std::vector<CombinationCount> CountCombinations(const CombinationList& list, size_t count);
// How many of them there are, without listing them.
size_t CountDistinctCombinations(const CombinationList& list, size_t count);
