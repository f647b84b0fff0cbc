#pragma once

#include <QString>

class TKestTable;

// What the news line reports about the newest draw of the whole results table.
struct NewsFacts {
    int drawCount = 0; // records of the whole table; the next draw is drawCount + 1
    QString drawDate;  // as stored, leading blank included
    double nextEstimatedJackpot = 0;
    double nextGuaranteedJackpot = 0;
    int jackpotWinners = 0; // read as a whole number
    double jackpotPrize = 0;
    double rolloverCount = 0;
};

// Reads the facts from a results table that is unfiltered and positioned on its first record
// (the newest draw). Empty fields read 0.
NewsFacts readNewsFacts(const TKestTable& results);

// The marquee text: the jackpot and winner sentences of the newest draw, then the totals of
// the scanned draws (`recordCount` is the number of records the table shows, filter or not).
QString composeNews(const NewsFacts& newest, qint64 winners, qint64 millionaires, int recordCount);

// One step of the marquee: the first character moves to the end.
QString scrollNews(const QString& text);
