#include "core/kernel/Format.h"
#include "core/kernel/LottoMath.h"

#include <QLocale>
#include <QtTest>

class TestLottoMath : public QObject {
    Q_OBJECT

private slots:
    void combinations_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("k");
        QTest::addColumn<double>("expected");
        QTest::newRow("49 of 6") << 49 << 6 << 13983816.0;
        QTest::newRow("49 of 5 (product 1906884.0000000002)") << 49 << 5 << 1906884.0;
        QTest::newRow("49 of 1") << 49 << 1 << 49.0;
        QTest::newRow("6 of 6") << 6 << 6 << 1.0;
        QTest::newRow("10 of 3") << 10 << 3 << 120.0;
        QTest::newRow("k = 0") << 49 << 0 << 1.0;
        QTest::newRow("negative k") << 49 << -3 << 1.0;
    }
    void combinations()
    {
        QFETCH(int, n);
        QFETCH(int, k);
        QFETCH(double, expected);
        // Exact comparison: the result must be the whole number itself.
        QVERIFY2(Combinations(n, k) == expected,
                 qPrintable(QString::number(Combinations(n, k), 'g', 17)));
    }

    void combinationsAreWholeForEveryDrawSize()
    {
        for (int k = 0; k <= 49; ++k) {
            const double c = Combinations(49, k);
            QCOMPARE(c, std::floor(c));
            QCOMPARE(c, Combinations(49, 49 - k));
        }
    }

    void ticketOdds()
    {
        QVERIFY(TicketOdds(1) == 13983816.0);
        QVERIFY(TicketOdds(8) == 1747977.0);
        QCOMPARE(TicketOdds(999), 13983816.0 / 999);
        QVERIFY(TicketOdds(0) == 13983816.0);

        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(Format("Odds: 1 in %.0n", {TicketOdds(999)}), "Odds: 1 in 13,998");
        QCOMPARE(Format("Odds: 1 in %.0n", {TicketOdds(1)}), "Odds: 1 in 13,983,816");
    }

    void divisionName_data()
    {
        QTest::addColumn<int>("matched");
        QTest::addColumn<bool>("bonus");
        QTest::addColumn<QString>("expected");
        QTest::newRow("6") << 6 << false << "Div1";
        QTest::newRow("6 + bonus") << 6 << true << "Div1";
        QTest::newRow("5 + bonus") << 5 << true << "Div2";
        QTest::newRow("5") << 5 << false << "Div3";
        QTest::newRow("4 + bonus") << 4 << true << "Div4";
        QTest::newRow("4") << 4 << false << "Div5";
        QTest::newRow("3 + bonus") << 3 << true << "Div6";
        QTest::newRow("3") << 3 << false << "Div7";
        QTest::newRow("2 + bonus") << 2 << true << "";
        QTest::newRow("0") << 0 << false << "";
        QTest::newRow("out of range") << 7 << true << "";
    }
    void divisionName()
    {
        QFETCH(int, matched);
        QFETCH(bool, bonus);
        QFETCH(QString, expected);
        QCOMPARE(DivisionName(matched, bonus), expected);
    }
};

QTEST_GUILESS_MAIN(TestLottoMath)
#include "tst_lottomath.moc"
