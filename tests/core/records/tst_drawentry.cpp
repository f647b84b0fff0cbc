#include "KernelFixture.h"
#include "core/kernel/KestError.h"
#include "core/records/DrawDates.h"
#include "core/records/DrawEntry.h"
#include "core/records/FilterScripts.h"

#include <QFile>
#include <QLocale>
#include <QtTest>

using namespace DrawEntryRules;

namespace {

DrawEntry validEntry()
{
    DrawEntry entry;
    entry.date = QDate(2008, 3, 5);
    entry.balls = {"3", "14", "15", "26", "35", "49"};
    entry.bonus = "9";
    entry.machine = "B";
    entry.ballSet = "4";
    entry.totalSales = "1000";
    entry.prizePool = "2000";
    entry.rollover = "3000";
    entry.rolloverCount = "1";
    entry.nextEstimated = "4000";
    entry.nextGuaranteed = "5000";
    for (int i = 0; i < 7; ++i) {
        entry.divisionAmounts[i] = QString::number(100 * (i + 1));
        entry.divisionWinners[i] = QString::number(i + 10);
    }
    return entry;
}

QString refusedWith(TKestTable& table, const DrawEntry& entry)
{
    try {
        store(table, entry);
    } catch (const TKestError& error) {
        return error.message();
    }
    return {};
}

} // namespace

class TestDrawEntry : public QObject {
    Q_OBJECT

    std::unique_ptr<KernelFixture> m_fixture;
    TKestTable& table() { return m_fixture->kernel->ResultsTable; }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init()
    {
        m_fixture = std::make_unique<KernelFixture>();
        m_fixture->add({1, 2, 3, 4, 5, 6}, 7, 3);
    }
    void cleanup() { m_fixture.reset(); }

    void typingChecks()
    {
        for (const char* text : {"1", "49", " 7"})
            QCOMPARE(checkBall(text), Check::Valid);
        for (const char* text : {"0", "50", "99", "-3"})
            QCOMPARE(checkBall(text), Check::Invalid);
        for (const char* text : {"", "x", "1.5"})
            QCOMPARE(checkBall(text), Check::Unchanged);
        QCOMPARE(checkBallSet("0"), Check::Invalid);
        QCOMPARE(checkBallSet("00"), Check::Valid);
        QCOMPARE(checkBallSet(" ---- "), Check::Unchanged);
        QCOMPARE(checkBallSet(""), Check::Unchanged);
    }

    void storesAtTheTopInFieldOrder()
    {
        store(table(), validEntry());
        QCOMPARE(table().RecordCount(), 4);
        QCOMPARE(table().RecNo(), 1);
        QCOMPARE(table().AsString("DRAWDATE"), QString(" 05 March 2008"));
        QVERIFY(table().IsNull("KEY"));
        QVERIFY(table().AsString("PROVISIONAL").isEmpty());
        QCOMPARE(table().AsString("DRAWMACHINE"), QString("B"));
        QStringList stored;
        for (int field = 2; field < table().FieldCount(); ++field)
            stored << table().AsString(field);
        QCOMPARE(stored.join(' '),
                 QString("3 14 15 26 35 49 9 100 200 300 400 500 600 700 10 11 12 "
                         "13 14 15 16 2000 3000 1  1000 B 4 4000 5000"));
        table().Next();
        QCOMPARE(table().AsString("DRAWDATE"), QString("Draw 1"));
        QVERIFY(DrawDates::findNewest(table(), "5 March 2008"));
        QCOMPARE(table().RecNo(), 1);
        QVERIFY(!DrawDates::findNewest(table(), "6 March 2008"));
    }

    void refusesWhatIsNoDrawAndTakesTheCorrection()
    {
        DrawEntry entry = validEntry();
        entry.divisionWinners[6].clear();
        QCOMPARE(refusedWith(table(), entry), QString(FieldsMissing));
        entry.divisionWinners[6] = "12x";
        QCOMPARE(refusedWith(table(), entry), QString(FieldsMissing));
        entry.divisionWinners[6] = "12";
        entry.balls[2] = "50";
        QCOMPARE(refusedWith(table(), entry),
                 QString("Ball 3 is 50: every ball must be between 1 and 49"));
        entry.balls[2] = "14";
        QCOMPARE(refusedWith(table(), entry),
                 QString("Ball 3 repeats 14: the seven balls of a draw must all be different"));
        entry.balls[2] = "15";
        entry.bonus = "49";
        QVERIFY(refusedWith(table(), entry).startsWith("The bonus ball repeats 49"));
        QCOMPARE(table().RecordCount(), 3);
        QCOMPARE(table().state(), TKestTable::State::Browse);

        entry.bonus = "9";
        QCOMPARE(refusedWith(table(), entry), QString());
        QCOMPARE(table().RecordCount(), 4);
    }

    void aFilteredTableTakesTheDrawAtTheTop()
    {
        table().setFilter("(BALL1='3')");
        table().setFiltered(true);
        QVERIFY(table().IsEmpty());
        store(table(), validEntry());
        QVERIFY(table().filtered());
        QCOMPARE(table().RecordCount(), 1);
        QCOMPARE(table().RecNo(), 1);
    }

    void aClosedTableRefusesWithTheFieldsMessage()
    {
        table().Close();
        QCOMPARE(refusedWith(table(), validEntry()), QString(FieldsMissing));
        table().Open();
        QCOMPARE(table().RecordCount(), 3);
    }

    void scriptFilesKeepTheirLines()
    {
        const QString path = m_fixture->env.path("two.flt");
        FilterScripts::save(path, "(BALL1<'10') AND\n(DRAWMACHINE='B')");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("(BALL1<'10') AND\r\n(DRAWMACHINE='B')\r\n"));
        QCOMPARE(FilterScripts::load(path), QString("(BALL1<'10') AND\r\n(DRAWMACHINE='B')"));
        QVERIFY_THROWS_EXCEPTION(TKestError,
                                 FilterScripts::save(m_fixture->env.path("none/x.flt"), "x"));
    }
};

QTEST_GUILESS_MAIN(TestDrawEntry)
#include "tst_drawentry.moc"
