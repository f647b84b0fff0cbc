#include "KernelFixture.h"
#include "core/records/DrawDetails.h"

#include <QLocale>
#include <QtTest>

class TestDrawDetails : public QObject {
    Q_OBJECT

    std::unique_ptr<KernelFixture> m_fixture;
    TKestTable& table() { return m_fixture->kernel->ResultsTable; }

    void addDraw(bool withSales)
    {
        KernelFixture::Draw draw;
        draw.balls = {7, 1, 23, 45, 9, 12};
        draw.bonus = 3;
        draw.prizes = {5000000.25, 80000, 4000, 1500, 90, 45, 20};
        draw.winners = {1, 2, 30, 400, 1234, 56000, 654321};
        m_fixture->add(draw);
        table().Last();
        table().Edit();
        table().SetField("DRAWMACHINE", " B");
        table().SetField("BALLSET", 4);
        if (withSales)
            table().SetField("TOTALSALES", 12345678.5);
        table().SetField("PRIZEPAYABLE", 9000000);
        table().SetField("ROLLOVER", 0);
        table().SetField("ROLLOVERCOUNT", 2);
        table().SetField("NEXTESTIMATEDJACKPOT", 3000000);
        table().SetField("NEXTGUARANTEEDJACKPOT", 0);
        table().Post();
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { m_fixture = std::make_unique<KernelFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void aFullDraw()
    {
        addDraw(true);
        const DrawDetails details = drawDetails(table());
        QCOMPARE(details.balls, QStringList({"07", "01", "23", "45", "09", "12", "03"}));
        QCOMPARE(details.date, QString("Draw 1"));
        QCOMPARE(details.rows.size(), size_t(29));
        const auto row = [&](int i) { return details.rows[i].join('|'); };
        QCOMPARE(row(0), QString("Draw Machine Used| Machine  B"));
        QCOMPARE(row(1), QString("Ballset Used| Ballset 04"));
        QCOMPARE(row(2), QString("Total Sales| R 12,345,678.50"));
        QCOMPARE(row(4), QString("Rollover Count| 02 / 04"));
        QCOMPARE(row(7), QString("Next Guaranteed Jackpot| R 0.00"));
        QCOMPARE(row(8), QString("|"));
        QCOMPARE(row(9), QString("Div 1 - Match 6| 1 Player(s)"));
        QCOMPARE(row(10), QString("Div 1 - Total Prize| R 5,000,000.25"));
        QCOMPARE(row(21), QString("Div 5 - Match 4| 1,234 Player(s)"));
        QCOMPARE(row(27), QString("Div 7 - Match 3| 654,321 Player(s)"));
        QCOMPARE(row(28), QString("Div 7 - Total Prize| R 20.00"));
    }

    void anEmptyFigureEndsTheReport()
    {
        addDraw(false);
        const DrawDetails details = drawDetails(table());
        QCOMPARE(details.rows.size(), size_t(3 + 12));
        QCOMPARE(details.rows[2], QStringList({"Total Sales", " Unknown! Please update Database"}));
        QCOMPARE(details.rows[3].first(), QString("Payable Prize"));
        QCOMPARE(details.rows.back().first(), QString("Div 7 - Matching 3"));
        for (size_t i = 2; i < details.rows.size(); ++i)
            QCOMPARE(details.rows[i].last(), QString(DrawDetailsReport::Unknown));
    }

    void noDrawShowsNothing()
    {
        const DrawDetails details = drawDetails(table());
        QVERIFY(details.balls.isEmpty());
        QVERIFY(details.rows.empty());
    }
};

QTEST_GUILESS_MAIN(TestDrawDetails)
#include "tst_drawdetails.moc"
