#include "core/kernel/KestError.h"
#include "core/kernel/KestFilter.h"
#include "core/kernel/TableSchema.h"

#include <QVariantMap>
#include <QtTest>
#include <cmath>

// Builds a draw record by hand: fields not named stay empty (NaN numbers, null texts).
static TableRow drawRow(const QVariantMap& values)
{
    const TableSchema& schema = Tables::schemaFor(Tables::Lotto);
    TableRow row;
    row.numbers.assign(schema.numberCount, std::nan(""));
    row.texts.resize(schema.textCount);
    for (auto it = values.begin(); it != values.end(); ++it) {
        const int field = schema.indexOf(it.key());
        Q_ASSERT(field >= 0);
        if (schema.fields[field].type == FieldType::Text)
            row.texts[schema.slotOf[field]] = it.value().toString();
        else
            row.numbers[schema.slotOf[field]] = it.value().toDouble();
    }
    return row;
}

// One draw to test expressions against; ROLLOVER and PROVISIONAL are left empty.
static TableRow sampleDraw()
{
    return drawRow({{"BALL1", 5},
                    {"BALL2", 12},
                    {"BALL3", 17},
                    {"BALL4", 20},
                    {"BALL5", 33},
                    {"BALL6", 48},
                    {"BONUSBALL", 7},
                    {"DIV1", 1234.56},
                    {"DRAWMACHINE", "B"},
                    {"DRAWDATE", " 03 January 2004"}});
}

static bool passes(const QString& expression, const TableRow& row)
{
    return TKestFilter::compile(expression, Tables::schemaFor(Tables::Lotto)).matches(row);
}

class TestKestFilter : public QObject {
    Q_OBJECT

private slots:
    void evaluates_data();
    void evaluates();
    void emptyValues_data();
    void emptyValues();
    void refuses_data();
    void refuses();
    void fieldFilterFallsBackToExactMatchOnNumbers();
    void namesOfOtherTables();
    void filtersManyRows();
    void emptyFilterPassesEverything();
};

void TestKestFilter::evaluates_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<bool>("expected");

    // The forms the script editor and the ball position list write.
    QTest::newRow("editor >=") << "(BALL1>='40')" << false;
    QTest::newRow("editor and") << "(BALL1<'10') AND (DRAWMACHINE='B')" << true;
    QTest::newRow("editor or not") << "(BALL1='1') OR  NOT (BALL2='2')" << true;
    QTest::newRow("brackets") << "[BALL3]='17' AND [BALL4]='20'" << true;
    QTest::newRow("appended bracket") << "(BALL1='5')AND [BALL3]='17'" << true;
    QTest::newRow("bracket spaces") << "[ BALL3 ] = '17'" << true;

    // Quoted values on number fields compare as numbers, not as text.
    QTest::newRow("num <, text order differs") << "BALL1<'10'" << true;
    QTest::newRow("num >, text order differs") << "BALL2>'9'" << true;
    QTest::newRow("num = leading zero") << "BALL1='05'" << true;
    QTest::newRow("num = decimal") << "BALL1=' 5.0 '" << true;
    QTest::newRow("num <> equal") << "BALL1<>'5'" << false;
    QTest::newRow("num < equal") << "BALL1<'5'" << false;
    QTest::newRow("num <= equal") << "BALL1<='5'" << true;
    QTest::newRow("num > below") << "BALL1>'4'" << true;
    QTest::newRow("num >= above") << "BALL1>='6'" << false;
    QTest::newRow("num fraction") << "DIV1='1234.56'" << true;
    QTest::newRow("unquoted") << "BALL1=5" << true;
    QTest::newRow("unquoted exponent") << "BALL1<1e1" << true;
    QTest::newRow("unquoted signs") << "BALL1>-1 AND BALL1=+5" << true;

    // Names and keywords in any case; whitespace and line breaks between tokens.
    QTest::newRow("lower field") << "ball1='5'" << true;
    QTest::newRow("mixed bracket") << "[Ball1]='5'" << true;
    QTest::newRow("lower keywords") << "BALL1='5' and not ball2='13' Or BALL3='1'" << true;
    QTest::newRow("line breaks") << "(BALL1='5')\r\nAND\n(BALL2='12')\r\n" << true;
    QTest::newRow("no spaces") << "(BALL1='5')AND(BALL2='12')" << true;
    QTest::newRow("padded") << "  BALL1  =  '5'  " << true;
    QTest::newRow("nested parens") << "((((BALL1='5'))))" << true;

    // AND binds tighter than OR, NOT tighter than both; parentheses override.
    QTest::newRow("and before or, left") << "BALL1='1' AND BALL2='2' OR BALL3='17'" << true;
    QTest::newRow("and before or, right") << "BALL3='17' OR BALL1='1' AND BALL2='2'" << true;
    QTest::newRow("grouped or") << "(BALL3='17' OR BALL1='1') AND BALL2='2'" << false;
    QTest::newRow("long and") << "BALL1=5 AND BALL2=12 AND BALL3=17 AND BALL4=21" << false;
    QTest::newRow("long or") << "BALL1=1 OR BALL2=2 OR BALL3=3 OR BALL4=20" << true;
    QTest::newRow("not") << "NOT BALL1='5'" << false;
    QTest::newRow("not not") << "NOT NOT BALL1='5'" << true;
    QTest::newRow("not group") << "NOT (BALL1='5' OR BALL2='1')" << false;
    QTest::newRow("not before and") << "NOT BALL1='5' AND BALL2='99'" << false;
    QTest::newRow("not before or") << "NOT BALL1='6' OR BALL1='5'" << true;

    // Text fields compare as text without regard to case.
    QTest::newRow("text = case") << "DRAWMACHINE='b'" << true;
    QTest::newRow("text <>") << "DRAWMACHINE<>'B'" << false;
    QTest::newRow("text >") << "DRAWMACHINE>'a'" << true;
    QTest::newRow("text <") << "DRAWMACHINE<'C'" << true;
    QTest::newRow("text >= case") << "DRAWMACHINE>='b'" << true;
    QTest::newRow("text unquoted number") << "DRAWDATE<1" << true;
    QTest::newRow("text digits as text") << "DRAWDATE>' 10'" << false;
    // Blanks around a text do not count, on either side; blanks inside it do.
    QTest::newRow("text outer blanks") << "DRAWDATE='03 January 2004 '" << true;
    QTest::newRow("text value blank") << "DRAWMACHINE=' B'" << true;
    QTest::newRow("text inner blanks") << "DRAWDATE='03  January 2004'" << false;
    QTest::newRow("text < outer blanks") << "DRAWMACHINE<' C'" << true;
    QTest::newRow("prefix outer blanks") << "DRAWDATE='03 jan*'" << true;
    QTest::newRow("quoted keywords") << "DRAWDATE=' (AND) [OR] '" << false;

    // A trailing * is a prefix match with = and <> on text fields.
    QTest::newRow("prefix") << "DRAWDATE=' 03*'" << true;
    QTest::newRow("prefix case") << "[DRAWDATE]=' 03 jan*'" << true;
    QTest::newRow("prefix whole") << "DRAWDATE=' 03 January 2004*'" << true;
    QTest::newRow("prefix longer") << "DRAWDATE=' 03 January 20045*'" << false;
    QTest::newRow("prefix other") << "DRAWDATE=' 04*'" << false;
    QTest::newRow("prefix <>") << "DRAWDATE<>' 03*'" << false;
    QTest::newRow("prefix <> other") << "DRAWDATE<>' 04*'" << true;
    QTest::newRow("prefix empty") << "DRAWMACHINE='*'" << true;
    QTest::newRow("inner star literal") << "DRAWDATE=' 03*2004'" << false;
}

void TestKestFilter::evaluates()
{
    QFETCH(QString, expression);
    QFETCH(bool, expected);
    QCOMPARE(passes(expression, sampleDraw()), expected);
}

void TestKestFilter::emptyValues_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<bool>("expected");

    // An empty number compares as 0.
    QTest::newRow("number = 0") << "ROLLOVER='0'" << true;
    QTest::newRow("number < 1") << "ROLLOVER<'1'" << true;
    QTest::newRow("number > -1") << "ROLLOVER>-1" << true;
    QTest::newRow("number <> 0") << "ROLLOVER<>0" << false;
    QTest::newRow("number > 0") << "ROLLOVER>0" << false;
    // An empty text compares as the empty text.
    QTest::newRow("text = ''") << "PROVISIONAL=''" << true;
    QTest::newRow("text <> ''") << "PROVISIONAL<>''" << false;
    QTest::newRow("text < a") << "PROVISIONAL<'a'" << true;
    QTest::newRow("text prefix any") << "PROVISIONAL='*'" << true;
    QTest::newRow("text prefix a") << "PROVISIONAL='a*'" << false;
}

void TestKestFilter::emptyValues()
{
    QFETCH(QString, expression);
    QFETCH(bool, expected);
    QCOMPARE(passes(expression, drawRow({})), expected);
    // A text set to "" behaves as one never set.
    QCOMPARE(passes(expression, drawRow({{"PROVISIONAL", ""}})), expected);
}

void TestKestFilter::refuses_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("inMessage"); // what the message must name

    QTest::newRow("empty") << ""
                           << "empty";
    QTest::newRow("blank") << " \r\n\t"
                           << "empty";
    QTest::newRow("two comparisons") << "(BALL1='1')(BALL2='2')"
                                     << "position 12";
    QTest::newRow("two bare comparisons") << "BALL1='1' BALL2='2'"
                                          << "position 11";
    QTest::newRow("unknown field") << "BALL1='1' AND FOO='1'"
                                   << "\"FOO\" at position 15";
    QTest::newRow("unknown bracketed") << "[BALL7]='1'"
                                       << "BALL7";
    QTest::newRow("empty brackets") << "[]='1'"
                                    << "Unknown field";
    QTest::newRow("open quote") << "BALL1='1"
                                << "quote at position 7";
    QTest::newRow("stray quote") << "BALL1=1'"
                                 << "quote at position 8";
    QTest::newRow("quote in value") << "(DRAWMACHINE='O'Brien')"
                                    << "quote at position 22";
    QTest::newRow("open paren") << "(BALL1='1'"
                                << "\"(\" at position 1";
    QTest::newRow("open outer paren") << "((BALL1='1')"
                                      << "\"(\" at position 1";
    QTest::newRow("close paren") << "BALL1='1')"
                                 << "\")\" at position 10";
    QTest::newRow("open bracket") << "[BALL1='1'"
                                  << "\"[\" at position 1";
    QTest::newRow("missing operator") << "BALL1 '1'"
                                      << "operator";
    QTest::newRow("operator at end") << "BALL1"
                                     << "end of the expression";
    QTest::newRow("missing value") << "BALL1="
                                   << "value";
    QTest::newRow("double operator") << "BALL1=='1'"
                                     << "position 7";
    QTest::newRow("missing field") << "='1'"
                                   << "field name";
    QTest::newRow("keyword as value") << "BALL1=AND"
                                      << "value";
    QTest::newRow("keyword as field") << "AND BALL1='1'"
                                      << "field name";
    QTest::newRow("dangling and") << "BALL1='1' AND"
                                  << "end of the expression";
    QTest::newRow("dangling not") << "NOT"
                                  << "end of the expression";
    QTest::newRow("empty parens") << "()"
                                  << "position 2";
    QTest::newRow("trailing word") << "BALL1='1' xyz"
                                   << "position 11, found \"xyz\"";
    QTest::newRow("trailing sign") << "BALL1='1' ;"
                                   << "position 11";
    QTest::newRow("bare word value") << "DRAWMACHINE=B"
                                     << "single quotes";
    QTest::newRow("not a number") << "BALL1='abc'"
                                  << "'abc' at position 7 is not a number";
    QTest::newRow("empty number") << "BALL1=''"
                                  << "not a number";
    QTest::newRow("nan") << "BALL1='nan'"
                         << "not a number";
    QTest::newRow("infinity") << "BALL1='inf'"
                              << "not a number";
    QTest::newRow("unquoted nan") << "BALL1=nan"
                                  << "value";
    QTest::newRow("prefix on number") << "BALL1='5*'"
                                      << "text field";
    QTest::newRow("prefix with <") << "DRAWMACHINE<'B*'"
                                   << "= or <>";
    QTest::newRow("too deep") << QString(1000, '(') + "BALL1='5'" + QString(1000, ')') << "deep";
    QTest::newRow("too many nots") << QString("NOT ").repeated(1000) + "BALL1='5'"
                                   << "deep";
}

void TestKestFilter::refuses()
{
    QFETCH(QString, expression);
    QFETCH(QString, inMessage);
    try {
        TKestFilter::compile(expression, Tables::schemaFor(Tables::Lotto));
        QFAIL("the expression was accepted");
    } catch (const TKestError& error) {
        QVERIFY2(error.message().contains(inMessage), qPrintable(error.message()));
    }
}

void TestKestFilter::fieldFilterFallsBackToExactMatchOnNumbers()
{
    // The kernel's field filter tries the prefix form first and the exact form when the
    // prefix form is refused: that must leave a number field with an exact match.
    const TableSchema& schema = Tables::schemaFor(Tables::Lotto);
    QVERIFY_THROWS_EXCEPTION(TKestError, TKestFilter::compile("[BALL1]='5*'", schema));
    const TKestFilter exact = TKestFilter::compile("[BALL1]='5'", schema);
    QVERIFY(exact.matches(sampleDraw()));
    QVERIFY(!exact.matches(drawRow({{"BALL1", 50}})));
    QVERIFY(TKestFilter::compile("[DRAWMACHINE]='B*'", schema).matches(sampleDraw()));
}

void TestKestFilter::namesOfOtherTables()
{
    // The history table names its columns "01" to "49"; they read as names, not numbers.
    const TableSchema& history = Tables::schemaFor(Tables::History);
    TableRow row;
    row.numbers.assign(history.numberCount, 0);
    row.texts.resize(history.textCount);
    row.numbers[history.slotOf[history.indexOf("07")]] = 4;
    QVERIFY(TKestFilter::compile("[07]>'3' AND 07<5 AND 08=0", history).matches(row));
    QVERIFY_THROWS_EXCEPTION(TKestError, TKestFilter::compile("BALL1='1'", history));
}

void TestKestFilter::filtersManyRows()
{
    const TKestFilter filter =
        TKestFilter::compile("(BALL1<'10') AND (DRAWMACHINE='B') OR NOT (BONUSBALL<>'7')",
                             Tables::schemaFor(Tables::Lotto));
    int passed = 0;
    for (int i = 0; i < 1000; ++i) {
        const TableRow row = drawRow(
            {{"BALL1", i % 20 + 1}, {"BONUSBALL", i % 49 + 1}, {"DRAWMACHINE", i % 2 ? "b" : "A"}});
        passed += filter.matches(row) ? 1 : 0;
    }
    // Balls 1-9 of machine B: 9 of every 40 rows; plus bonus ball 7 outside those rows.
    int expected = 0;
    for (int i = 0; i < 1000; ++i) {
        const bool first = i % 20 + 1 < 10 && i % 2;
        expected += first || i % 49 + 1 == 7 ? 1 : 0;
    }
    QCOMPARE(passed, expected);
}

void TestKestFilter::emptyFilterPassesEverything()
{
    TKestFilter filter;
    QVERIFY(filter.matches(sampleDraw()));
    filter = TKestFilter::compile("BALL1='6'", Tables::schemaFor(Tables::Lotto));
    QVERIFY(!filter.matches(sampleDraw()));
}

QTEST_APPLESS_MAIN(TestKestFilter)
#include "tst_kestfilter.moc"
