#include "core/kernel/KestTable.h"
#include "core/kernel/TableSchema.h"
#include "core/stats/NewsLine.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString date = " 7 June 2025";

NewsFacts facts(double estimated, double guaranteed, int winners, double prize, double rollovers)
{
    NewsFacts f;
    f.drawCount = 2000;
    f.drawDate = date;
    f.nextEstimatedJackpot = estimated;
    f.nextGuaranteedJackpot = guaranteed;
    f.jackpotWinners = winners;
    f.jackpotPrize = prize;
    f.rolloverCount = rollovers;
    return f;
}

// The first two sentences of a news line.
QString firstSentences(const NewsFacts& f)
{
    const QStringList parts = composeNews(f, 0, 0, 1).split("   -   ");
    return parts[0].mid(3) + " | " + parts[1];
}

} // namespace

Q_DECLARE_METATYPE(NewsFacts)

class TestNewsLine : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void wholeLine()
    {
        QCOMPARE(composeNews(facts(5000000, 2000000, 3, 1234567.5, 0), 45678, 12, 100),
                 "   The next estimated jackpot prize for draw number 2001 is R 5,000,000.00"
                 "   -   There was 3 players winning R 1,234,567.50 each on  7 June 2025"
                 "   -   12 Millionaires and 45,678 Winners out of 100 Lotto Draws   -");
    }

    void sentences_data()
    {
        QTest::addColumn<NewsFacts>("newest");
        QTest::addColumn<QString>("expected");
        QTest::newRow("estimated wins over guaranteed")
            << facts(5000000, 2000000, 1, 1000.25, 0)
            << "The next estimated jackpot prize for draw number 2001 is R 5,000,000.00 | "
               "There was 1 player winning R 1,000.25 on  7 June 2025";
        QTest::newRow("guaranteed only")
            << facts(0, 2000000, 2, 0, 0)
            << "The next guaranteed jackpot prize for draw number 2001 is R 2,000,000.00 | "
               "There was 2 players winning R 0.00 each on  7 June 2025";
        QTest::newRow("nothing published, not won")
            << facts(0, 0, 0, 0, 0)
            << "No jackpot detail(s) is availible for draw number 2001, please update the "
               "database | The jackpot for  7 June 2025 has not been won by any player";
        QTest::newRow("rollover")
            << facts(0, 0, 0, 0, 3)
            << "No jackpot detail(s) is availible for draw number 2001, please update the "
               "database | The jackpot has not been won by any player in 3 consecutive draws";
        QTest::newRow("winners with rollover count")
            << facts(0, 0, 1, 12.5, 4)
            << "No jackpot detail(s) is availible for draw number 2001, please update the "
               "database | There was 1 player winning R 12.50 on  7 June 2025";
        QTest::newRow("long rollover is grouped")
            << facts(0, 0, 0, 0, 1234)
            << "No jackpot detail(s) is availible for draw number 2001, please update the "
               "database | The jackpot has not been won by any player in 1,234 consecutive "
               "draws";
        QTest::newRow("negative winner count reads as none")
            << facts(0, 0, -1, 0, 0)
            << "No jackpot detail(s) is availible for draw number 2001, please update the "
               "database | The jackpot for  7 June 2025 has not been won by any player";
        QTest::newRow("negative jackpot counts as published")
            << facts(-1, 0, 0, 0, 0)
            << "The next estimated jackpot prize for draw number 2001 is R -1.00 | "
               "The jackpot for  7 June 2025 has not been won by any player";
    }
    void sentences()
    {
        QFETCH(NewsFacts, newest);
        QFETCH(QString, expected);
        QCOMPARE(firstSentences(newest), expected);
    }

    void totals()
    {
        const NewsFacts newest = facts(0, 0, 0, 0, 0);
        QVERIFY(composeNews(newest, 1234567, 1000, 2001)
                    .endsWith("   -   1,000 Millionaires and 1,234,567 Winners out of 2001 "
                              "Lotto Draws   -"));
        QVERIFY(composeNews(newest, 0, 0, 0)
                    .endsWith("   -   0 Millionaires and 0 Winners out of 0 Lotto Draws   -"));
    }

    void separatorsFollowTheLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QVERIFY(composeNews(facts(5000000, 0, 0, 0, 0), 1234, 0, 1)
                    .contains("draw number 2001 is R 5.000.000,00   -"));
    }

    void readsTheNewestDraw()
    {
        QTemporaryDir dir;
        Tables::createTableFile(dir.filePath(Tables::Lotto), Tables::Lotto);
        TKestTable table;
        table.setDatabasePath(dir.path());
        table.setTableName(Tables::Lotto);
        table.Open();
        table.Append();
        table.SetField("DRAWDATE", date);
        table.SetField("DIV1", 1234567.5);
        table.SetField("DIV1NOWIN", 2.5); // a whole number, ties to even
        table.SetField("ROLLOVERCOUNT", 0.0);
        table.SetField("NEXTESTIMATEDJACKPOT", 0.0);
        table.SetField("NEXTGUARANTEEDJACKPOT", 7500000.0);
        table.Post();
        table.Append();
        table.SetField("DRAWDATE", QString(" 4 June 2025"));
        table.Post();

        table.First();
        const NewsFacts newest = readNewsFacts(table);
        QCOMPARE(newest.drawCount, 2);
        QCOMPARE(newest.drawDate, date);
        QCOMPARE(newest.jackpotWinners, 2);
        QCOMPARE(newest.jackpotPrize, 1234567.5);
        QCOMPARE(newest.rolloverCount, 0.0);
        QCOMPARE(newest.nextEstimatedJackpot, 0.0);
        QCOMPARE(newest.nextGuaranteedJackpot, 7500000.0);

        // Empty fields read 0: the older draw has nothing published.
        table.Next();
        QCOMPARE(firstSentences(readNewsFacts(table)),
                 "No jackpot detail(s) is availible for draw number 3, please update the "
                 "database | The jackpot for  4 June 2025 has not been won by any player");
    }

    void scrolling()
    {
        QCOMPARE(scrollNews("abc"), "bca");
        QCOMPARE(scrollNews(""), "");
        QCOMPARE(scrollNews("x"), "x");

        const QString line = composeNews(facts(0, 0, 0, 0, 0), 5, 1, 10);
        QString text = line;
        for (qsizetype i = 1; i < line.size(); ++i) {
            text = scrollNews(text);
            QVERIFY(text != line);
        }
        QCOMPARE(scrollNews(text), line);

        // A character beyond the basic plane moves as one.
        const QString clover = QString::fromUtf8("\U0001F340");
        QCOMPARE(scrollNews(clover + "ab"), "ab" + clover);
    }
};

QTEST_GUILESS_MAIN(TestNewsLine)
#include "tst_newsline.moc"
