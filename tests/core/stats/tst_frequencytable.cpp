#include "KernelFixture.h"
#include "core/stats/FrequencyTable.h"

#include <QtTest>

class TestFrequencyTable : public QObject {
    Q_OBJECT

private slots:
    void rowsComeByNumberWithoutMovingTheCursor()
    {
        KernelFixture f;
        TKestTable& table = f.kernel->NumberTable;
        // Out of order, a repeated number, numbers no per-number array holds, a rounded ball.
        for (const auto& [ball, total] : std::initializer_list<std::pair<double, double>>{
                 {12, 5}, {3, 7}, {0, 9}, {50, 9}, {12, 6}, {48.6, 2.5}}) {
            table.Append();
            table.SetField("BallNr", ball);
            table.SetField("Total", total);
            table.Post();
        }
        table.First();
        table.Next();
        const std::vector<FrequencyRow> rows = ReadFrequencyTable(table);
        QCOMPARE(table.RecNo(), 2);
        QCOMPARE(rows.size(), size_t(3));
        QCOMPARE((std::pair(rows[0].number, rows[0].total)), (std::pair(3, 7.0)));
        QCOMPARE((std::pair(rows[1].number, rows[1].total)), (std::pair(12, 6.0)));
        QCOMPARE((std::pair(rows[2].number, rows[2].total)), (std::pair(49, 2.5)));

        table.Close();
        QVERIFY(ReadFrequencyTable(table).empty());
    }
};

QTEST_GUILESS_MAIN(TestFrequencyTable)
#include "tst_frequencytable.moc"
