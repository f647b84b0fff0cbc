#include "core/records/DrawDetails.h"

#include "core/kernel/Format.h"
#include "core/kernel/KestTable.h"
#include "core/kernel/TableSchema.h"

namespace {

enum class Shown { Text, Integer, Amount, Players, Prize };

struct ReportLine {
    const char* item; // empty: a blank row
    const char* field;
    Shown shown;
    const char* pattern;
};

// clang-format off
const ReportLine Lines[] = {
    {"Draw Machine Used", "DRAWMACHINE", Shown::Text, " Machine %s"},
    {"Ballset Used", "BALLSET", Shown::Integer, " Ballset %.2d"},
    {"Total Sales", "TOTALSALES", Shown::Amount, " R %n"},
    {"Prize Pool", "PRIZEPAYABLE", Shown::Amount, " R %n"},
    {"Rollover Count", "ROLLOVERCOUNT", Shown::Integer, " %.2d / 04"},
    {"Rollover Amount", "ROLLOVER", Shown::Amount, " R %n"},
    {"Next Estimated Jackpot", "NEXTESTIMATEDJACKPOT", Shown::Amount, " R %n"},
    {"Next Guaranteed Jackpot", "NEXTGUARANTEEDJACKPOT", Shown::Amount, " R %n"},
    {"", nullptr, Shown::Text, nullptr},
    {"Div 1 - Match 6", "DIV1NOWIN", Shown::Players, " %.0n Player(s)"},
    {"Div 1 - Total Prize", "DIV1", Shown::Prize, " R %.2n"},
    {"", nullptr, Shown::Text, nullptr},
    {"Div 2 - Match 5 + Bonus", "DIV2NOWIN", Shown::Players, " %.0n Player(s)"},
    {"Div 2 - Total Prize", "DIV2", Shown::Prize, " R %.2n"},
    {"", nullptr, Shown::Text, nullptr},
    {"Div 3 - Match 5", "DIV3NOWIN", Shown::Players, " %.0n Player(s)"},
    {"Div 3 - Total Prize", "DIV3", Shown::Prize, " R %.2n"},
    {"", nullptr, Shown::Text, nullptr},
    {"Div 4 - Match 4 + Bonus", "DIV4NOWIN", Shown::Players, " %.0n Player(s)"},
    {"Div 4 - Total Prize", "DIV4", Shown::Prize, " R %.2n"},
    {"", nullptr, Shown::Text, nullptr},
    {"Div 5 - Match 4", "DIV5NOWIN", Shown::Players, " %.0n Player(s)"},
    {"Div 5 - Total Prize", "DIV5", Shown::Prize, " R %.2n"},
    {"", nullptr, Shown::Text, nullptr},
    {"Div 6 - Match 3 + Bonus", "DIV6NOWIN", Shown::Players, " %.0n Player(s)"},
    {"Div 6 - Total Prize", "DIV6", Shown::Prize, " R %.2n"},
    {"", nullptr, Shown::Text, nullptr},
    {"Div 7 - Match 3", "DIV7NOWIN", Shown::Players, " %.0n Player(s)"},
    {"Div 7 - Total Prize", "DIV7", Shown::Prize, " R %.2n"},
};
// clang-format on

// What follows the row that could not be filled.
const char* const UnknownRows[] = {"Payable Prize",
                                   "Rollover Count",
                                   "Rollover Amount",
                                   "Next Estimated Jackpot",
                                   "Next Guaranteed Jackpot",
                                   "Div 1 - Matching 6",
                                   "Div 2 - Matching 5 + Bonus",
                                   "Div 3 - Matching 5",
                                   "Div 4 - Matching 4 + Bonus",
                                   "Div 5 - Matching 4",
                                   "Div 6 - Matching 3 + Bonus",
                                   "Div 7 - Matching 3"};

QString valueOf(const TKestTable& results, const ReportLine& line)
{
    const QString pattern = line.pattern;
    switch (line.shown) {
    case Shown::Text:
        return Format(pattern, {results.AsString(line.field)});
    case Shown::Integer:
    case Shown::Players:
        return Format(pattern, {results.AsInteger(line.field)});
    case Shown::Amount:
    case Shown::Prize:
        return Format(pattern, {results.AsFloat(line.field)});
    }
    return {};
}

} // namespace

DrawDetails drawDetails(const TKestTable& results)
{
    DrawDetails details;
    if (!results.Active() || results.RecNo() == 0)
        return details;
    for (int i = 0; i < 7; ++i) {
        const int field = Tables::Ball1 + i;
        details.balls << (results.IsNull(field) ? QString("--")
                                                : Format("%.2d", {results.AsInteger(field)}));
    }
    details.date = results.AsString(Tables::DrawDate);
    for (const ReportLine& line : Lines) {
        if (!line.field) {
            details.rows.push_back({QString(), QString()});
            continue;
        }
        if (line.shown != Shown::Text && results.IsNull(line.field)) {
            details.rows.push_back({line.item, DrawDetailsReport::Unknown});
            for (const char* item : UnknownRows)
                details.rows.push_back({item, DrawDetailsReport::Unknown});
            break;
        }
        details.rows.push_back({line.item, valueOf(results, line)});
    }
    return details;
}
