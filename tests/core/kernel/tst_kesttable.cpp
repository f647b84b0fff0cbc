#include "core/kernel/Kernel.h"
#include "core/kernel/KestError.h"
#include "core/kernel/KestTable.h"
#include "core/kernel/TableSchema.h"

#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A draw with the given date and first ball; the other fields stay empty.
void appendDraw(TKestTable& table, const QString& date, int ball1, bool insert = false)
{
    if (insert)
        table.Insert();
    else
        table.Append();
    table.SetField("DrawDate", date);
    table.SetField("Ball1", ball1);
    table.SetField("DrawMachine", ball1 % 2 ? " A" : " B");
    table.Post();
}

QStringList dates(TKestTable& table)
{
    QStringList result;
    for (table.First(); !table.Eof(); table.Next())
        result << table.AsString("DRAWDATE");
    return result;
}

void runSql(const QString& path, const QString& sql)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "raw");
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY2(query.exec(sql), qPrintable(sql));
    }
    QSqlDatabase::removeDatabase("raw");
}

} // namespace

class TestKestTable : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    TKestTable m_table;

    void openFresh(TKestTable& table, const QString& name = Tables::Lotto)
    {
        table.setDatabasePath(m_dir.path());
        table.setTableName(name);
        table.Open();
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        for (const QString& name : Tables::allTableNames()) {
            for (const char* suffix : {"", "-wal", "-shm"})
                QFile::remove(m_dir.filePath(name + suffix));
            Tables::createTableFile(m_dir.filePath(name), name);
        }
        openFresh(m_table);
    }

    void cleanup() { m_table.Close(); }

    void openingRefusesMissingAndForeignFiles()
    {
        TKestTable table;
        table.setDatabasePath(m_dir.path() + "/missing");
        table.setTableName(Tables::Lotto);
        QVERIFY_THROWS_EXCEPTION(TKestError, table.Open());
        QVERIFY(!table.Active());

        // A frequency table's file under a game table's name has the wrong fields.
        QFile::copy(m_dir.filePath(Tables::Numbers), m_dir.filePath("foreign/NL00A1.DB"));
        QDir(m_dir.path()).mkpath("foreign");
        QVERIFY(QFile::copy(m_dir.filePath(Tables::Numbers), m_dir.filePath("foreign/NL00A1.DB")));
        table.setDatabasePath(m_dir.path() + "/foreign/");
        QVERIFY_THROWS_EXCEPTION(TKestError, table.Open());
        QCOMPARE(table.fileName(), m_dir.path() + "/foreign/NL00A1.DB");
    }

    void numbersKeepTheirValuesWhateverTheirSize()
    {
        // Whole numbers are kept small until a value needs more; none may change on the way.
        const QList<QVariant> values{7, QVariant(), 0.5, 3e9, -2147483648.0, 1e300};
        for (const QVariant& value : values) {
            m_table.Append();
            m_table.SetField("KEY", value);
            m_table.Post();
        }
        for (int pass = 0; pass < 2; ++pass) {
            m_table.First();
            for (const QVariant& value : values) {
                QCOMPARE(m_table.FieldValue("KEY").isNull(), value.isNull());
                const double number = m_table.AsFloat("KEY");
                QCOMPARE(number, value.toDouble());
                m_table.Next();
            }
            m_table.Close();
            m_table.Open();
        }
        m_table.First();
        QCOMPARE(m_table.AsString("KEY"), QString("7"));
        m_table.setPosition(2);
        QCOMPARE(m_table.AsString("KEY"), QString("0.5"));
    }

    void emptyTableCursor()
    {
        QVERIFY(m_table.IsEmpty());
        m_table.First();
        QVERIFY(m_table.Eof());
        QVERIFY(m_table.Bof());
        QCOMPARE(m_table.RecNo(), 0);
        QCOMPARE(m_table.AsString("DRAWDATE"), QString());
        QCOMPARE(m_table.AsInteger("BALL1"), 0);
        m_table.Next();
        m_table.Prior();
        QVERIFY(m_table.Eof() && m_table.Bof());
        QVERIFY_THROWS_EXCEPTION(TKestError, m_table.Delete());
        QCOMPARE(m_table.GetBookmark(), TKestTable::Bookmark(0));
    }

    void cursorMovesAndFieldReads()
    {
        appendDraw(m_table, " 03 January 2024", 3);
        appendDraw(m_table, " 06 January 2024", 6);
        appendDraw(m_table, " 10 January 2024", 10);
        QCOMPARE(m_table.RecordCount(), 3);
        QCOMPARE(m_table.RecNo(), 3); // the appended row is current

        m_table.First();
        QVERIFY(m_table.Bof());
        QVERIFY(!m_table.Eof());
        m_table.Next();
        QCOMPARE(m_table.RecNo(), 2);
        m_table.Next();
        m_table.Next();
        QVERIFY(m_table.Eof());
        QCOMPARE(m_table.RecNo(), 3); // running past the end stays on the last row
        m_table.Last();
        QCOMPARE(m_table.AsInteger(2), 10);                 // by position: BALL1
        QCOMPARE(m_table.AsString("ball1"), QString("10")); // names ignore case
        QVERIFY(m_table.IsNull("BALL2"));
        QCOMPARE(m_table.AsFloat("BALL2"), 0.0);
        QVERIFY_THROWS_EXCEPTION(TKestError, m_table.AsString("NOSUCHFIELD"));
    }

    void numbersRoundToEven()
    {
        m_table.Append();
        m_table.SetField("BALL1", 2.5);
        m_table.SetField("BALL2", 3.5);
        m_table.SetField("BALL3", -2.5);
        m_table.SetField("BALL4", "  7 ");
        m_table.SetField("NEXTESTIMATEDJACKPOT", 5000000);
        m_table.SetField("DIV1", 1234567.5);
        m_table.Post();
        QCOMPARE(m_table.AsString("NEXTESTIMATEDJACKPOT"), QString("5000000"));
        QCOMPARE(m_table.AsString("DIV1"), QString("1234567.5"));
        QCOMPARE(m_table.AsInteger("BALL1"), 2);
        QCOMPARE(m_table.AsInteger("BALL2"), 4);
        QCOMPARE(m_table.AsInteger("BALL3"), -2);
        QCOMPARE(m_table.AsInteger("BALL4"), 7);
    }

    void fieldsRefuseBadValues()
    {
        m_table.Append();
        QVERIFY_THROWS_EXCEPTION(TKestError, m_table.SetField("BALL1", "seven"));
        m_table.SetField("DRAWMACHINE", "ABC"); // longer than the field: cut
        m_table.Post();
        QCOMPARE(m_table.AsString("DRAWMACHINE"), QString("AB"));

        TKestTable favourites;
        openFresh(favourites, Tables::Favourites);
        favourites.Append();
        QVERIFY_THROWS_EXCEPTION(TKestError, favourites.SetField("Key", 5));
        favourites.SetField("FavouriteNr", 7);
        favourites.Post();
        favourites.Append();
        favourites.SetField("FavouriteNr", 9);
        favourites.Post();
        QCOMPARE(favourites.AsInteger("Key"), 2); // assigned by the store
        QVERIFY_THROWS_EXCEPTION(TKestError, favourites.SetField("FavouriteNr", 1)); // browsing
    }

    void insertGoesAheadOfCurrentAndSurvivesReopening()
    {
        appendDraw(m_table, "B", 2);
        appendDraw(m_table, "D", 4);
        m_table.First();
        appendDraw(m_table, "A", 1, true); // ahead of the first row
        QCOMPARE(m_table.RecNo(), 1);
        m_table.Last();
        appendDraw(m_table, "C", 3, true); // ahead of the last row
        QCOMPARE(m_table.RecNo(), 3);
        QCOMPARE(dates(m_table), QStringList({"A", "B", "C", "D"}));

        m_table.Close();
        m_table.Open();
        QCOMPARE(dates(m_table), QStringList({"A", "B", "C", "D"}));
    }

    void manyInsertsAtOnePlaceKeepTheOrder()
    {
        // Each insert halves the room between two rows until they are renumbered.
        appendDraw(m_table, "first", 1);
        appendDraw(m_table, "last", 2);
        QStringList expected{"first"};
        for (int i = 0; i < 40; ++i) {
            m_table.Last();
            appendDraw(m_table, QString::number(i), 5, true);
            expected << QString::number(i);
        }
        expected << "last";
        QCOMPARE(dates(m_table), expected);
        m_table.Close();
        m_table.Open();
        QCOMPARE(dates(m_table), expected);
    }

    void deleteMovesToTheNextRow()
    {
        for (const char* date : {"A", "B", "C"})
            appendDraw(m_table, date, 1);
        m_table.First();
        m_table.Delete();
        QCOMPARE(m_table.AsString("DRAWDATE"), QString("B"));
        m_table.Last();
        m_table.Delete(); // the last row: its predecessor becomes current
        QCOMPARE(m_table.AsString("DRAWDATE"), QString("B"));
        m_table.Delete();
        QVERIFY(m_table.IsEmpty());
        QVERIFY(m_table.Eof());
        m_table.Close();
        m_table.Open();
        QVERIFY(m_table.IsEmpty());
    }

    void failedPostLeavesNothingBehind()
    {
        runSql(m_dir.filePath(Tables::Lotto),
               "CREATE TRIGGER refuse BEFORE INSERT ON records WHEN NEW.BALL1 = 99 "
               "BEGIN SELECT RAISE(ABORT, 'refused'); END");
        m_table.Close();
        m_table.Open();
        appendDraw(m_table, "A", 1);
        appendDraw(m_table, "B", 2);
        m_table.First();
        m_table.Insert();
        m_table.SetField("BALL1", 99);
        QVERIFY_THROWS_EXCEPTION(TKestError, m_table.Post());
        QCOMPARE(m_table.state(), TKestTable::State::Insert); // the user may correct it
        m_table.Cancel();
        QCOMPARE(m_table.RecordCount(), 2);
        QCOMPARE(dates(m_table), QStringList({"A", "B"}));
        m_table.Close();
        m_table.Open();
        QCOMPARE(dates(m_table), QStringList({"A", "B"}));
    }

    void editAndCancel()
    {
        appendDraw(m_table, "A", 1);
        m_table.Edit();
        m_table.SetField("BALL1", 12);
        QCOMPARE(m_table.AsInteger("BALL1"), 12); // the edit buffer is what is read
        m_table.Cancel();
        QCOMPARE(m_table.AsInteger("BALL1"), 1);
        m_table.Edit();
        m_table.SetField("BALL1", 13);
        m_table.First(); // moving posts
        m_table.Close();
        m_table.Open();
        QCOMPARE(m_table.AsInteger("BALL1"), 13);
    }

    void filterCountsAndRecNo()
    {
        for (int ball = 1; ball <= 10; ++ball)
            appendDraw(m_table, QString::number(ball), ball);
        m_table.setFilter("(BALL1>'7') OR (BALL1='2')");
        QCOMPARE(m_table.RecordCount(), 10); // not yet on
        m_table.setFiltered(true);
        QCOMPARE(m_table.RecordCount(), 4);
        m_table.First();
        QCOMPARE(m_table.RecNo(), 2);
        m_table.Next();
        QCOMPARE(m_table.RecNo(), 8);
        QCOMPARE(m_table.textAt(3, 1), QString("10"));

        // A new row that does not pass is written but not shown.
        appendDraw(m_table, "11", 1);
        QCOMPARE(m_table.RecordCount(), 4);
        m_table.setFiltered(false);
        QCOMPARE(m_table.RecordCount(), 11);
        QCOMPARE(m_table.filter(), QString("(BALL1>'7') OR (BALL1='2')"));
    }

    void unreadableFilterLeavesTheTableUnfiltered()
    {
        for (int ball = 1; ball <= 3; ++ball)
            appendDraw(m_table, QString::number(ball), ball);
        m_table.setFilter("(BALL1='1')(BALL2='2')");
        QVERIFY_THROWS_EXCEPTION(TKestError, m_table.setFiltered(true));
        QVERIFY(!m_table.filtered());
        QCOMPARE(m_table.RecordCount(), 3);

        m_table.setFilter("(BALL1='1')");
        m_table.setFiltered(true);
        QCOMPARE(m_table.RecordCount(), 1);
        QVERIFY_THROWS_EXCEPTION(TKestError, m_table.setFilter("(NOFIELD='1')"));
        QVERIFY(!m_table.filtered());
        QCOMPARE(m_table.RecordCount(), 3);
    }

    void bookmarksSurviveDeletesOfOtherRows()
    {
        for (const char* date : {"A", "B", "C", "D"})
            appendDraw(m_table, date, 1);
        m_table.First();
        m_table.Next();
        m_table.Next();
        const TKestTable::Bookmark c = m_table.GetBookmark();
        m_table.First();
        m_table.Delete(); // A
        m_table.GotoBookmark(c);
        QCOMPARE(m_table.AsString("DRAWDATE"), QString("C"));
        QCOMPARE(m_table.RecNo(), 2);
        m_table.Delete(); // C itself
        QVERIFY(!m_table.BookmarkValid(c));
        QVERIFY_THROWS_EXCEPTION(TKestError, m_table.GotoBookmark(c));
    }

    void transactionsRollBackMemoryAndFile()
    {
        appendDraw(m_table, "kept", 1);
        m_table.StartTransaction();
        appendDraw(m_table, "dropped", 2);
        m_table.First();
        m_table.Delete();
        QCOMPARE(dates(m_table), QStringList({"dropped"}));
        m_table.Rollback();
        QCOMPARE(dates(m_table), QStringList({"kept"}));

        m_table.StartTransaction();
        appendDraw(m_table, "added", 2);
        m_table.Commit();
        m_table.Close();
        m_table.Open();
        QCOMPARE(dates(m_table), QStringList({"kept", "added"}));
    }

    void twoHandlesSeeEachOthersCommittedChanges()
    {
        TKestTable other;
        openFresh(other); // both shared
        appendDraw(m_table, "A", 1);
        QCOMPARE(other.RecordCount(), 1);
        other.First();
        QCOMPARE(other.AsString("DRAWDATE"), QString("A"));

        QSignalSpy changed(&m_table, &TKestTable::dataChanged);
        other.StartTransaction();
        appendDraw(other, "B", 2);
        other.Commit();
        QVERIFY(!changed.isEmpty());
        QCOMPARE(dates(m_table), QStringList({"A", "B"}));
        other.First();
        other.Delete();
        QCOMPARE(dates(m_table), QStringList({"B"}));
    }

    // The rows are known at once, their fields read when first needed: by then another program
    // may have changed the file. Nothing may then come from a row other than the one asked for.
    void fieldsReadLaterComeFromTheFileAsItWasRead()
    {
        appendDraw(m_table, "A", 1);
        appendDraw(m_table, "B", 2);
        m_table.Close();
        m_table.Open();
        QCOMPARE(m_table.RecordCount(), 2);
        runSql(m_table.fileName(), "DELETE FROM records WHERE DrawDate='A'");
        QVERIFY_THROWS_EXCEPTION(TKestError, m_table.textAt(0, Tables::DrawDate));
        QCOMPARE(m_table.RecordCount(), 1); // read again at the next step
        QCOMPARE(m_table.textAt(0, Tables::DrawDate), QString("B"));

        runSql(m_table.fileName(), "UPDATE records SET Ball1=9");
        m_table.First();
        try {
            m_table.Delete();
            QFAIL("a row changed by another program was deleted");
        } catch (const TKestError& error) {
            QVERIFY(error.message().contains("changed by another program"));
        }
        QCOMPARE(m_table.RecordCount(), 1);
        QCOMPARE(m_table.AsInteger("Ball1"), 9);
    }

    // A view reads its few rows one by one; past those, the fields come for every row at once.
    void rowsReadOneByOneAndThenAllAgree()
    {
        const TableSchema& schema = m_table.schema();
        const int rows = 3000;
        m_table.appendRows(rows, [&](int i, TableRow& row) {
            row.texts[schema.slotOf[Tables::DrawDate]] = QString::number(i);
            row.numbers[schema.slotOf[Tables::Ball1]] = i % 49 + 1;
        });
        m_table.Close();
        m_table.Open();
        for (int i = rows - 1; i >= 0; --i) {
            QCOMPARE(m_table.textAt(i, Tables::DrawDate), QString::number(i));
            QCOMPARE(m_table.numberAt(i, Tables::Ball1), double(i % 49 + 1));
        }
    }

    void exclusiveOpeningBlocksOtherHandles()
    {
        TKestTable first, second;
        first.setExclusive(true);
        openFresh(first, Tables::Numbers);
        second.setDatabasePath(m_dir.path());
        second.setTableName(Tables::Numbers);
        QVERIFY_THROWS_EXCEPTION(TKestError, second.Open());
        first.Close();
        second.Open();
        QVERIFY(second.Active());
    }

    void controlsDisabledDeferTheViewUpdate()
    {
        QSignalSpy changed(&m_table, &TKestTable::dataChanged);
        m_table.DisableControls();
        m_table.DisableControls();
        for (int i = 0; i < 5; ++i)
            appendDraw(m_table, "x", i + 1);
        m_table.EnableControls();
        QCOMPARE(changed.count(), 0);
        QVERIFY(m_table.ControlsDisabled());
        m_table.EnableControls();
        QCOMPARE(changed.count(), 1);
        appendDraw(m_table, "y", 1);
        QCOMPARE(changed.count(), 2);
    }

    void emptyTableRemovesEveryRowWhateverTheCount_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("open");
        QTest::newRow("none, open") << 0 << true;
        QTest::newRow("one, open") << 1 << true;
        QTest::newRow("many, closed") << 25 << false;
    }

    void emptyTableRemovesEveryRowWhateverTheCount()
    {
        QFETCH(int, rows);
        QFETCH(bool, open);
        for (int i = 0; i < rows; ++i)
            appendDraw(m_table, QString::number(i), 1);
        if (!open)
            m_table.Close();
        TKernel::EmptyTable(m_table);
        QCOMPARE(m_table.Active(), open);
        m_table.Open();
        QVERIFY(m_table.IsEmpty());
    }

    void applyFieldFilter()
    {
        for (const char* machine : {" A", " B", " B"}) {
            m_table.Append();
            m_table.SetField("DRAWMACHINE", machine);
            m_table.SetField("BALL3", 17);
            m_table.Post();
        }
        TKernel::ApplyFieldFilter(m_table, "DRAWMACHINE", "=", " B", true);
        QCOMPARE(m_table.filter(), QString("[DRAWMACHINE]=' B*'"));
        QCOMPARE(m_table.RecordCount(), 2);

        // A prefix match makes no sense for a number: the exact match is used.
        TKernel::ApplyFieldFilter(m_table, "BALL3", "=", "17", true);
        QCOMPARE(m_table.filter(), QString("[BALL3]='17'"));
        QCOMPARE(m_table.RecordCount(), 3);

        // Empty field and value only switch filtering off.
        TKernel::ApplyFieldFilter(m_table, "", ">", "", true);
        QVERIFY(!m_table.filtered());
        QCOMPARE(m_table.filter(), QString("[BALL3]='17'"));

        TKernel::ApplyFieldFilter(m_table, "NOFIELD", "=", "1", true);
        QVERIFY(!m_table.filtered());
        QCOMPARE(m_table.RecordCount(), 3);
    }
};

QTEST_GUILESS_MAIN(TestKestTable)
#include "tst_kesttable.moc"
