#pragma once

#include <QDate>
#include <QString>

#include <array>

class TKestTable;

// A draw entered by hand: the texts of the entry boxes, stored as one draw record at the top of
// the results table. The window and drawsage-cli add share it, so both store the same texts and
// refuse the same entries.
struct DrawEntry {
    QDate date;
    std::array<QString, 6> balls;
    QString bonus;
    QString machine;
    QString ballSet;
    QString totalSales;
    QString prizePool;
    QString rollover;
    QString rolloverCount;
    QString nextEstimated;
    QString nextGuaranteed;
    std::array<QString, 7> divisionAmounts;
    std::array<QString, 7> divisionWinners;
};

namespace DrawEntryRules {

inline constexpr auto BallRange = "Please select a valid entry between 1 and 49";
inline constexpr auto BallSetEmpty = "This field may not be empty, please select a valid entry";
inline constexpr auto FieldsMissing =
    "Please make sure all fields are specified before continueing";

// The verdict of a check made while a box is typed in.
enum class Check { Unchanged, Valid, Invalid };

// A ball box: empty or not an integer changes nothing; 1 to 49 is valid; any other integer is not.
Check checkBall(const QString& text);
// The ballset box: only the text "0" is refused; " ---- " and non-integers change nothing.
Check checkBallSet(const QString& text);

// DRAWDATE as manual entry writes it: " dd MMMM yyyy", the month named in the system's language.
QString drawDateText(const QDate& date);

// Why the entry cannot be stored, or an empty text when it can: every numeric box must hold a
// decimal integer, and the seven balls must be seven different numbers from 1 to 49.
QString refusal(const DrawEntry& entry);

// Stores the entry as a new first record, fields in table order; throws TKestError with the
// refusal, or with the fields message when the table refuses the record, which then leaves
// nothing behind. A filtered table keeps its filter; the new record still goes to the top.
void store(TKestTable& results, const DrawEntry& entry);

} // namespace DrawEntryRules
