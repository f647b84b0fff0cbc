#include "core/stats/FrequencyTable.h"

#include "core/kernel/KestTable.h"
#include "core/kernel/Numbers.h"

#include <map>

std::vector<FrequencyRow> ReadFrequencyTable(const TKestTable& table)
{
    if (!table.Active())
        return {};
    const int number = table.fieldIndexOrThrow("BallNr");
    const int total = table.fieldIndexOrThrow("Total");
    std::map<int, double> totals;
    for (int row = 0; row < table.RecordCount(); ++row) {
        const int ball = roundToInt(table.textAt(row, number).toDouble());
        if (isLottoNumber(ball))
            totals[ball] = table.textAt(row, total).toDouble();
    }
    std::vector<FrequencyRow> rows;
    rows.reserve(totals.size());
    for (const auto& [ball, value] : totals)
        rows.push_back({ball, value});
    return rows;
}
