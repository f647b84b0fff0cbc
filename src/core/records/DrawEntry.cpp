#include "core/records/DrawEntry.h"

#include "core/kernel/KestError.h"
#include "core/kernel/KestTable.h"
#include "core/kernel/TableSchema.h"

#include <QLocale>
#include <QSet>

#include <optional>

namespace DrawEntryRules {

namespace {

std::optional<qint64> integerOf(const QString& text)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok, 10);
    return ok ? std::optional(value) : std::nullopt;
}

// The numeric boxes in the order their fields are stored, each with its field.
std::vector<std::pair<const QString*, QString>> numericBoxes(const DrawEntry& entry)
{
    std::vector<std::pair<const QString*, QString>> boxes;
    for (int i = 0; i < 6; ++i)
        boxes.emplace_back(&entry.balls[i], QString("BALL%1").arg(i + 1));
    boxes.emplace_back(&entry.bonus, "BONUSBALL");
    boxes.emplace_back(&entry.ballSet, "BALLSET");
    boxes.emplace_back(&entry.totalSales, "TOTALSALES");
    boxes.emplace_back(&entry.prizePool, "PRIZEPAYABLE");
    boxes.emplace_back(&entry.rollover, "ROLLOVER");
    boxes.emplace_back(&entry.rolloverCount, "ROLLOVERCOUNT");
    boxes.emplace_back(&entry.nextEstimated, "NEXTESTIMATEDJACKPOT");
    boxes.emplace_back(&entry.nextGuaranteed, "NEXTGUARANTEEDJACKPOT");
    for (int i = 0; i < 7; ++i) {
        boxes.emplace_back(&entry.divisionAmounts[i], QString("DIV%1").arg(i + 1));
        boxes.emplace_back(&entry.divisionWinners[i], QString("DIV%1NOWIN").arg(i + 1));
    }
    return boxes;
}

} // namespace

Check checkBall(const QString& text)
{
    const std::optional<qint64> value = integerOf(text);
    if (!value)
        return Check::Unchanged;
    return *value >= 1 && *value <= 49 ? Check::Valid : Check::Invalid;
}

Check checkBallSet(const QString& text)
{
    if (text == " ---- " || !integerOf(text))
        return Check::Unchanged;
    return text == "0" ? Check::Invalid : Check::Valid;
}

QString drawDateText(const QDate& date)
{
    return QLocale().toString(date, " dd MMMM yyyy");
}

QString refusal(const DrawEntry& entry)
{
    for (const auto& [box, field] : numericBoxes(entry)) {
        if (!integerOf(*box))
            return FieldsMissing;
    }
    // A 6-from-49 draw has seven different balls from 1 to 49; the statistics count on it.
    QSet<qint64> seen;
    for (int i = 0; i < 7; ++i) {
        const qint64 ball = *integerOf(i < 6 ? entry.balls[i] : entry.bonus);
        const QString name = i < 6 ? QString("Ball %1").arg(i + 1) : QString("The bonus ball");
        if (ball < 1 || ball > 49)
            return QString("%1 is %2: every ball must be between 1 and 49").arg(name).arg(ball);
        if (seen.contains(ball))
            return QString("%1 repeats %2: the seven balls of a draw must all be different")
                .arg(name)
                .arg(ball, 2, 10, QChar('0'));
        seen.insert(ball);
    }
    return {};
}

void store(TKestTable& results, const DrawEntry& entry)
{
    const QString refused = refusal(entry);
    if (!refused.isEmpty())
        throw TKestError(refused);
    // The new draw goes ahead of the newest one, also when a filter hides that one.
    const bool filtered = results.filtered();
    try {
        if (filtered)
            results.setFiltered(false);
        results.First();
        results.Insert();
        results.SetField(Tables::DrawDate, drawDateText(entry.date));
        const auto boxes = numericBoxes(entry);
        for (int i = 0; i < 7; ++i) // the balls, then DRAWMACHINE before the other numbers
            results.SetField(boxes[i].second, double(*integerOf(*boxes[i].first)));
        results.SetField(Tables::DrawMachine, entry.machine);
        for (size_t i = 7; i < boxes.size(); ++i)
            results.SetField(boxes[i].second, double(*integerOf(*boxes[i].first)));
        results.Post();
    } catch (const TKestError&) {
        if (results.Active())
            results.Cancel();
        if (filtered)
            results.setFiltered(true);
        throw TKestError(FieldsMissing);
    }
    if (filtered)
        results.setFiltered(true);
    results.First();
}

} // namespace DrawEntryRules
