#include "core/stats/CombinationList.h"

#include <algorithm>
#include <boost/sort/spreadsort/integer_sort.hpp>
#include <numeric>
#include <optional>

QString CombinationText(const std::array<int, 6>& balls)
{
    if (balls.front() < 0 || balls.back() > 99)
        return QString::asprintf("%.2d - %.2d - %.2d - %.2d - %.2d - %.2d", balls[0], balls[1],
                                 balls[2], balls[3], balls[4], balls[5]);
    // The same text without the format parser, which costs more than the rest of a draw.
    char text[] = "00 - 00 - 00 - 00 - 00 - 00";
    for (int i = 0; i < 6; ++i) {
        text[5 * i] = char('0' + balls[i] / 10);
        text[5 * i + 1] = char('0' + balls[i] % 10);
    }
    return QString::fromLatin1(text, sizeof(text) - 1);
}

quint64 CombinationKey(const std::array<int, 6>& balls)
{
    quint64 key = 1; // a leading bit, so that six zeros are not "unknown"
    for (const int ball : balls) {
        if (ball < 0 || ball > 99)
            return 0;
        key = key << 8 | quint64(ball);
    }
    return key;
}

std::array<int, 6> CombinationBalls(quint64 key)
{
    std::array<int, 6> balls{};
    for (int i = 5; i >= 0; --i, key >>= 8)
        balls[size_t(i)] = int(key & 0xff);
    return balls;
}

namespace {

qint64 ballSum(const std::array<int, 6>& balls)
{
    return std::accumulate(balls.begin(), balls.end(), qint64(0));
}

} // namespace

CombinationList::CombinationList(std::initializer_list<Combination> entries)
{
    m_keys.reserve(entries.size());
    for (const Combination& entry : entries)
        push_back(entry);
}

void CombinationList::push_back(const Combination& entry)
{
    if (entry.key == 0)
        m_withoutKey.emplace(m_keys.size(), WithoutKey{entry.text, entry.sum});
    m_keys.push_back(entry.key);
}

void CombinationList::append(const std::array<int, 6>& balls)
{
    const quint64 key = CombinationKey(balls);
    if (key == 0)
        m_withoutKey.emplace(m_keys.size(), WithoutKey{CombinationText(balls), ballSum(balls)});
    m_keys.push_back(key);
}

qint64 CombinationList::sum(size_t entry) const
{
    if (const quint64 key = m_keys[entry])
        return ballSum(CombinationBalls(key));
    return m_withoutKey.at(entry).sum;
}

QString CombinationList::text(size_t entry) const
{
    const quint64 key = m_keys[entry];
    return key != 0 ? CombinationText(CombinationBalls(key)) : m_withoutKey.at(entry).text;
}

Combination CombinationList::operator[](size_t entry) const
{
    return {text(entry), sum(entry), key(entry)};
}

namespace {

// Counts runs of equal entries in a sorted order.
template <typename Order, typename Same, typename Count>
std::vector<CombinationCount> countRuns(const Order& order, Same same, Count count)
{
    std::vector<CombinationCount> counts;
    counts.reserve(order.size());
    for (size_t first = 0; first < order.size();) {
        size_t end = first + 1;
        while (end < order.size() && same(order[end], order[first]))
            ++end;
        counts.push_back(count(order[first], int(end - first)));
        first = end;
    }
    return counts;
}

// The keys of the first `count` entries, radix sorted, when every one of them has a key: equal
// keys are one combination whatever their entries. Else none.
std::optional<std::vector<quint64>> sortedKeys(const CombinationList& list, size_t count)
{
    std::vector<quint64> keys;
    keys.reserve(count);
    for (size_t entry = 0; entry < count; ++entry) {
        if (list.key(entry) == 0)
            return std::nullopt;
        keys.push_back(list.key(entry));
    }
    boost::sort::spreadsort::integer_sort(keys.begin(), keys.end());
    return keys;
}

} // namespace

std::vector<CombinationCount> CountCombinations(const CombinationList& list, size_t count)
{
    count = std::min(count, list.size());
    if (const auto keys = sortedKeys(list, count)) {
        return countRuns(*keys, std::equal_to<>(), [](quint64 key, int times) {
            return CombinationCount{key, -1, times};
        });
    }

    std::vector<QString> texts;
    texts.reserve(count);
    for (size_t entry = 0; entry < count; ++entry)
        texts.push_back(list.text(entry));
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    const auto text = [&](int entry) -> const QString& { return texts[size_t(entry)]; };
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return text(a).compare(text(b)) < 0; });
    return countRuns(
        order, [&](int a, int b) { return text(a) == text(b); },
        [&](int entry, int times) {
            return CombinationCount{0, entry, times};
        });
}

size_t CountDistinctCombinations(const CombinationList& list, size_t count)
{
    count = std::min(count, list.size());
    if (auto keys = sortedKeys(list, count))
        return size_t(std::unique(keys->begin(), keys->end()) - keys->begin());
    return CountCombinations(list, count).size();
}
