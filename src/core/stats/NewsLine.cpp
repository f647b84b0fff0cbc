#include "core/stats/NewsLine.h"

#include "core/kernel/Format.h"
#include "core/kernel/KestTable.h"
#include "core/kernel/TableSchema.h"

#include <algorithm>

namespace {

QString jackpotSentence(const NewsFacts& newest)
{
    const int nextDraw = newest.drawCount + 1;
    if (newest.nextEstimatedJackpot != 0)
        return Format("The next estimated jackpot prize for draw number %d is R %n",
                      {nextDraw, newest.nextEstimatedJackpot});
    if (newest.nextGuaranteedJackpot != 0)
        return Format("The next guaranteed jackpot prize for draw number %d is R %n",
                      {nextDraw, newest.nextGuaranteedJackpot});
    return Format(
        "No jackpot detail(s) is availible for draw number %d, please update the database",
        {nextDraw});
}

QString winnerSentence(const NewsFacts& newest)
{
    // A negative winner count is damaged data; it reads as no winner.
    if (newest.jackpotWinners <= 0) {
        if (newest.rolloverCount == 0)
            return Format("The jackpot for %s has not been won by any player", {newest.drawDate});
        return Format("The jackpot has not been won by any player in %.0n consecutive draws",
                      {newest.rolloverCount});
    }
    if (newest.jackpotWinners == 1)
        return Format("There was 1 player winning R %n on %s",
                      {newest.jackpotPrize, newest.drawDate});
    return Format("There was %d players winning R %n each on %s",
                  {newest.jackpotWinners, newest.jackpotPrize, newest.drawDate});
}

} // namespace

NewsFacts readNewsFacts(const TKestTable& results)
{
    NewsFacts facts;
    facts.drawCount = results.RecordCount();
    facts.drawDate = results.AsString(Tables::DrawDate);
    facts.nextEstimatedJackpot = results.AsFloat(Tables::NextEstimatedJackpot);
    facts.nextGuaranteedJackpot = results.AsFloat(Tables::NextGuaranteedJackpot);
    facts.jackpotWinners = results.AsInteger(Tables::Div1NoWin);
    facts.jackpotPrize = results.AsFloat(Tables::Div1);
    facts.rolloverCount = results.AsFloat(Tables::RolloverCount);
    return facts;
}

QString composeNews(const NewsFacts& newest, qint64 winners, qint64 millionaires, int recordCount)
{
    // The totals are over every draw the table shows, so that is the count the line states.
    const QString totals = Format("%.0n Millionaires and %.0n Winners out of %d Lotto Draws",
                                  {millionaires, winners, recordCount});
    return Format("   %s   -   %s   -   %s   -",
                  {jackpotSentence(newest), winnerSentence(newest), totals});
}

QString scrollNews(const QString& text)
{
    // A character outside the basic plane is two code units; it moves whole.
    const qsizetype first = text.size() > 1 && text.front().isHighSurrogate() ? 2 : 1;
    return text.mid(first) + text.left(first);
}
