#include "core/kernel/Format.h"
#include "core/kernel/KestError.h"

#include <QLocale>
#include <QtTest>

class TestFormat : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void integers_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QVariantList>("args");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "%d" << QVariantList{7} << "7";
        QTest::newRow("no grouping") << "%d" << QVariantList{1234567} << "1234567";
        QTest::newRow("64-bit") << "%d" << QVariantList{qint64(9876543210)} << "9876543210";
        QTest::newRow("two digits") << "%.2d" << QVariantList{7} << "07";
        QTest::newRow("two digits, wider value") << "%.2d" << QVariantList{123} << "123";
        QTest::newRow("three digits") << "%.3d" << QVariantList{42} << "042";
        QTest::newRow("three digits of zero") << "%.3d" << QVariantList{0} << "000";
        QTest::newRow("sign before zeros") << "%.3d" << QVariantList{-7} << "-007";
        QTest::newRow("no digits asked") << "%.0d" << QVariantList{0} << "0";
        QTest::newRow("width") << "%4d" << QVariantList{-7} << "  -7";
        QTest::newRow("lowest 64-bit")
            << "%d" << QVariantList{std::numeric_limits<qint64>::min()} << "-9223372036854775808";
        QTest::newRow("combination")
            << "%.2d - %.2d - %.2d - %.2d - %.2d - %.2d" << QVariantList{3, 11, 19, 27, 38, 45}
            << "03 - 11 - 19 - 27 - 38 - 45";
    }
    void integers()
    {
        QFETCH(QString, pattern);
        QFETCH(QVariantList, args);
        QFETCH(QString, expected);
        QCOMPARE(Format(pattern, args), expected);
    }

    void decimals_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("n has two decimals") << "%n" << QVariant(5000000.0) << "5,000,000.00";
        QTest::newRow("n of an integer") << "%n" << QVariant(1234) << "1,234.00";
        QTest::newRow("n below a thousand") << "%n" << QVariant(999.999) << "1,000.00";
        QTest::newRow(".2n") << "R%.2n" << QVariant(1234567.5) << "R1,234,567.50";
        QTest::newRow(".0n") << "Odds: 1 in %.0n" << QVariant(13997.81) << "Odds: 1 in 13,998";
        QTest::newRow(".0n of a count") << "%.0n" << QVariant(qint64(13983816)) << "13,983,816";
        QTest::newRow("negative n") << "%n" << QVariant(-1234.5) << "-1,234.50";
        QTest::newRow("f width") << "%3.0f" << QVariant(5.0) << "  5";
        QTest::newRow("f full") << "%3.0f" << QVariant(100.0) << "100";
        QTest::newRow("f never grouped") << "%3.0f" << QVariant(12345.4) << "12345";
        QTest::newRow("f decimals") << "%.2f" << QVariant(1234.5) << "1234.50";
        QTest::newRow("f default decimals") << "%f" << QVariant(0.5) << "0.50";
    }
    void decimals()
    {
        QFETCH(QString, pattern);
        QFETCH(QVariant, value);
        QFETCH(QString, expected);
        QCOMPARE(Format(pattern, {value}), expected);
    }

    // Exact halves round away from zero; values just below a half (1.005 is stored as
    // 1.00499...) round down.
    void rounding_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("0.125") << "%.2n" << 0.125 << "0.13";
        QTest::newRow("2.5") << "%.0n" << 2.5 << "3";
        QTest::newRow("0.5") << "%3.0f" << 0.5 << "  1";
        QTest::newRow("-2.5") << "%.0n" << -2.5 << "-3";
        QTest::newRow("1234.5") << "%.0n" << 1234.5 << "1,235";
        QTest::newRow("1.005") << "%.2n" << 1.005 << "1.00";
        QTest::newRow("negative rounding to zero") << "%.2n" << -0.004 << "0.00";
        QTest::newRow("negative zero") << "%3.0f" << -0.0 << "  0";
    }
    void rounding()
    {
        QFETCH(QString, pattern);
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(Format(pattern, {value}), expected);
    }

    void textAndPercent()
    {
        QCOMPARE(Format("The jackpot for %s has not been won", {QString(" 7 June 2025")}),
                 "The jackpot for  7 June 2025 has not been won");
        QCOMPARE(Format("%s", {QString()}), QString());
        QCOMPARE(Format("%.3s|%5s", {QString("abcdef"), QString("ab")}), "abc|   ab");
        QCOMPARE(Format(" Processor : %3.0f%%", {42.4}), " Processor :  42%");
        QCOMPARE(Format("%.2n %%", {9.5}), "9.50 %");
        QCOMPARE(Format("100%%", {}), "100%");
        QCOMPARE(Format("no conversions", {}), "no conversions");
    }

    void mixedPattern()
    {
        QCOMPARE(Format("There was %d players winning R %n each on %s",
                        {3, 1234567.5, QString(" 7 June 2025")}),
                 "There was 3 players winning R 1,234,567.50 each on  7 June 2025");
        QCOMPARE(Format(": %.0d times (%.2n %%)", {1234, 18.8461}), ": 1234 times (18.85 %)");
    }

    void localeSeparators()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(Format("%n", {1234567.5}), "1.234.567,50");
        QCOMPARE(Format("%.1f", {1234.25}), "1234,3");
        // The C locale omits grouping unless told otherwise; the numbers are grouped anyway.
        QLocale::setDefault(QLocale::c());
        QCOMPARE(Format("%.0n", {13983816}), "13,983,816");
    }

    void mismatches_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QVariantList>("args");
        QTest::newRow("too few") << "%d and %d" << QVariantList{1};
        QTest::newRow("too many") << "%d" << QVariantList{1, 2};
        QTest::newRow("none given") << "%s" << QVariantList{};
        QTest::newRow("d of a float") << "%d" << QVariantList{2.5};
        QTest::newRow("d of text") << "%.2d" << QVariantList{QString("7")};
        QTest::newRow("d of a bool") << "%d" << QVariantList{true};
        QTest::newRow("n of text") << "%n" << QVariantList{QString("1")};
        QTest::newRow("f of nothing") << "%f" << QVariantList{QVariant()};
        QTest::newRow("s of a number") << "%s" << QVariantList{12};
        QTest::newRow("unknown type") << "%q" << QVariantList{1};
        QTest::newRow("lone percent") << "50%" << QVariantList{};
        QTest::newRow("unfinished") << "%.2" << QVariantList{1};
    }
    void mismatches()
    {
        QFETCH(QString, pattern);
        QFETCH(QVariantList, args);
        QVERIFY_THROWS_EXCEPTION(TKestError, Format(pattern, args));
    }
};

QTEST_GUILESS_MAIN(TestFormat)
#include "tst_format.moc"
