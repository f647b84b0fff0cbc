#include "core/kernel/Random.h"

#include <QtTest>

class TestRandom : public QObject {
    Q_OBJECT

private slots:
    void seedingWithOneGivesTheKnownState()
    {
        SeedRandom(1);
        const RandomState afterSeeding{0x957CD7F2, 0xB85A708B, 0xD869DA8D, 0x3C092E04, 0x3F068136};
        QCOMPARE(randomState(), afterSeeding);
        QCOMPARE(NextRandom(), 0.18787316512316465);
        QCOMPARE(randomState()[0], 0x301874ACu);
        QCOMPARE(randomState()[1], 0x957CD7F2u);
    }

    void zeroSeedEqualsAllBitsSet()
    {
        SeedRandom(0);
        const RandomState zero = randomState();
        SeedRandom(4294967295u);
        QCOMPARE(randomState(), zero);
        QCOMPARE(lastRandomSeed(), 4294967295u);
    }

    void sameSeedSameSequence()
    {
        QList<double> first, second;
        SeedRandom(123456);
        for (int i = 0; i < 100; ++i)
            first << NextRandom();
        SeedRandom(123456);
        for (int i = 0; i < 100; ++i)
            second << NextRandom();
        QCOMPARE(first, second);
    }

    void rangesAreInclusiveAndTakeOneStep()
    {
        SeedRandom(99);
        RandomState before = randomState();
        QCOMPARE(RandomInRange(7, 7), 7);
        QCOMPARE(randomState()[1], before[0]); // exactly one step
        bool low = false, high = false, top24 = false;
        for (int i = 0; i < 20000; ++i) {
            const int value = RandomInRange(1, 49);
            QVERIFY(value >= 1 && value <= 49);
            low |= value == 1;
            high |= value == 49;
            top24 |= RandomInRange(1, 24) == 24;
        }
        QVERIFY(low && high && top24);
        QCOMPARE(RandomInRange(5, 3) >= 3, true); // reversed bounds stay within them
    }

    void fractionsStayBelowOne()
    {
        SeedRandom(2024);
        for (int i = 0; i < 100000; ++i) {
            const double value = NextRandom();
            QVERIFY(value >= 0.0 && value < 1.0);
            QCOMPARE(std::fmod(value * 4294967296.0, 1.0), 0.0); // a multiple of 2^-32
        }
    }
};

QTEST_APPLESS_MAIN(TestRandom)
#include "tst_random.moc"
