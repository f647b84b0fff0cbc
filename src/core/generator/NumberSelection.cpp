#include "core/generator/NumberSelection.h"

#include "core/kernel/Numbers.h"
#include "core/kernel/Random.h"

#include <algorithm>
#include <bitset>

namespace {

constexpr int HighestNumber = NumberSlots - 1;

} // namespace

QList<int> HotOrder(const Ranking& ranking)
{
    return QList<int>(ranking.begin() + 1, ranking.end());
}

QList<int> ColdOrder(const Ranking& ranking)
{
    return QList<int>(ranking.rbegin(), ranking.rend() - 1);
}

QList<int> RandomNumbers(int total, const PassEnded& passEnded)
{
    // More than 49 could never become distinct.
    total = std::clamp(total, 0, HighestNumber);
    QList<int> numbers;
    for (int i = 0; i < total; ++i)
        numbers << RandomInRange(1, HighestNumber);
    for (bool replaced = true; replaced;) {
        std::sort(numbers.begin(), numbers.end());
        replaced = false;
        for (int i = 1; i < numbers.size(); ++i) {
            if (numbers[i] == numbers[i - 1]) {
                numbers[i] = RandomInRange(1, HighestNumber);
                replaced = true;
            }
        }
        if (passEnded && passEnded())
            break;
    }
    return numbers;
}

QList<int> PickInOrder(const QList<int>& order, int total)
{
    std::bitset<NumberSlots> picked;
    for (const int number : order) {
        if (!isLottoNumber(number))
            continue;
        if (picked[number])
            picked[number] = false;
        else if (int(picked.count()) < total)
            picked[number] = true;
    }
    QList<int> numbers;
    for (int number = 1; number <= HighestNumber; ++number) {
        if (picked[number])
            numbers << number;
    }
    return numbers;
}
