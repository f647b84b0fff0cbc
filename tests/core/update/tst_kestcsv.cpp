#include "TestEnvironment.h"
#include "core/kernel/KestError.h"
#include "core/kernel/KestTable.h"
#include "core/kernel/TableSchema.h"
#include "core/update/KestCSV.h"
#include "core/update/LineReader.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// Makes the table file refuse every record whose DRAWDATE is the given text, as a store
// refuses a value it cannot take.
void refuseDrawDate(const QString& path, const QString& drawDate)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "raw");
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY(query.exec(QString("CREATE TRIGGER refuse BEFORE INSERT ON records WHEN "
                                   "NEW.DRAWDATE = '%1' BEGIN SELECT RAISE(ABORT, 'refused'); END")
                               .arg(drawDate)));
    }
    QSqlDatabase::removeDatabase("raw");
}

} // namespace

class TestKestCSV : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TKestTable> m_table;
    std::unique_ptr<TKestCSV> m_csv;

    QString path(const QString& name) const { return m_dir->filePath(name); }

    QString writeFile(const QByteArray& bytes, const QString& name = "in.csv")
    {
        return TestData::writeBytes(path(name), bytes);
    }

    QByteArray readFile(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    void import(const QByteArray& bytes)
    {
        m_csv->setCSVFile(writeFile(bytes));
        m_csv->CSVToDataset();
    }

    // The given fields of every record, as text, '|' between fields.
    QStringList records(const QStringList& fields) const
    {
        QStringList rows;
        for (int i = 0; i < m_table->RecordCount(); ++i) {
            QStringList cells;
            for (const QString& field : fields)
                cells << m_table->textAt(i, m_table->fieldIndexOrThrow(field));
            rows << cells.join('|');
        }
        return rows;
    }

    void appendDraw(const QVariant& key, const QString& date, const QVariant& ball1)
    {
        m_table->Append();
        m_table->SetField("KEY", key);
        m_table->SetField("DRAWDATE", date);
        m_table->SetField("BALL1", ball1);
        m_table->Post();
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_table = TestData::newTable(m_dir->path(), Tables::Lotto);
        m_csv = std::make_unique<TKestCSV>();
        m_csv->setDataset(m_table.get());
        m_csv->setAutoOpen(false);
    }

    void cleanup()
    {
        m_csv.reset();
        m_table.reset();
        m_dir.reset();
    }

    void defaults()
    {
        const TKestCSV csv;
        QCOMPARE(csv.Dataset(), nullptr);
        QCOMPARE(csv.CSVMap(), QString());
        QCOMPARE(csv.CSVFile(), QString());
        QCOMPARE(csv.Seprator(), QChar(','));
        QCOMPARE(csv.FieldIndicator(), QChar('$'));
        QVERIFY(csv.AutoOpen());
        QCOMPARE(csv.IgnoreString(), QString("(ignore)"));
        QCOMPARE(csv.Delimiter(), QChar('"'));
        QVERIFY(!csv.EmptyTable());
        QVERIFY(csv.UseDelimiter());
        QVERIFY(!csv.SilentExport());
        QCOMPARE(csv.DateFormat(), QString("MM/DD/YY"));
        QVERIFY(!csv.TrimData());
        QCOMPARE(csv.DefaultInt(), 0);
        QCOMPARE(csv.BufferSize(), 1024);
    }

    void columnsAgainstTheMap_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("record"); // KEY|DRAWDATE|BALL1|PROVISIONAL

        QTest::newRow("full line")
            << QByteArray("5, 1 June 2000, 12 , N") << "5| 1 June 2000|12| N";
        QTest::newRow("fewer columns") << QByteArray("5, x") << "5| x|-1|";
        QTest::newRow("more columns") << QByteArray("5,a,6,b,extra,7") << "5|a|6|b";
        QTest::newRow("empty line") << QByteArray("") << "-1||-1|";
        QTest::newRow("leading separator") << QByteArray(",a,3") << "-1|a|3|";
        QTest::newRow("one column") << QByteArray("42") << "42||-1|";
        QTest::newRow("header line")
            << QByteArray("Key, DrawDate, Ball1, Provisional") << "-1| DrawDate|-1| Provi";
        QTest::newRow("number forms") << QByteArray("+4,d,-2.5e1,") << "4|d|-25|";
        // Decimals read to the nearest double, as the C library reads them.
        QTest::newRow("decimals") << QByteArray("12345678.90,d,0.1,") << "12345678.9|d|0.1|";
        QTest::newRow("signs and zeros") << QByteArray("-007,d,-0.50,") << "-7|d|-0.5|";
        QTest::newRow("long decimals") << QByteArray("0.30000000000000004,d,9007199254740993,")
                                       << "0.30000000000000004|d|9007199254740992|";
        QTest::newRow("not numbers") << QByteArray("nan,d,inf,") << "-1|d|-1|";
        QTest::newRow("grouped number") << QByteArray("1 000,d,--2,") << "-1|d|-1|";
        QTest::newRow("quotes are text") << QByteArray("\"1\",\"d\",2,x") << "-1|\"d\"|2|x";
    }

    void columnsAgainstTheMap()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, record);
        m_csv->setUseDelimiter(false);
        m_csv->setDefaultInt(-1);
        m_csv->setCSVMap("Key,DrawDate,Ball1,Provisional");
        import(line + "\r\n");
        QCOMPARE(records({"KEY", "DRAWDATE", "BALL1", "PROVISIONAL"}), QStringList{record});
    }

    void delimitedColumns_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("record"); // DRAWDATE|PROVISIONAL|DRAWMACHINE

        QTest::newRow("quoted values") << QByteArray(R"("a","b","c")") << "a|b|c";
        QTest::newRow("comma inside quotes") << QByteArray(R"("a,b","c")") << "a,b|c|";
        QTest::newRow("empty value") << QByteArray(R"("a","","c")") << "a||c";
        QTest::newRow("empty last value") << QByteArray(R"("a","")") << "a||";
        QTest::newRow("unquoted") << QByteArray("a,b,c") << "a,b,c||";
        QTest::newRow("one quoted column") << QByteArray(R"("x")") << "x||";
        QTest::newRow("inner quotes stay") << QByteArray(R"("a"b","c")") << "a\"b|c|";
    }

    void delimitedColumns()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, record);
        m_csv->setCSVMap("$DrawDate,$Provisional,$DrawMachine");
        import(line + "\n");
        QCOMPARE(records({"DRAWDATE", "PROVISIONAL", "DRAWMACHINE"}), QStringList{record});
    }

    void overlappingSeparatorsEachStartAColumn()
    {
        // "," occurs at 2, 4 and 6 of "a",",","c": four columns, the middle two empty.
        m_csv->setCSVMap("DrawDate,(ignore),Provisional,DrawMachine");
        import(R"("a",",","c")");
        QCOMPARE(records({"DRAWDATE", "PROVISIONAL", "DRAWMACHINE"}), QStringList{"a||c"});
    }

    void mapEntries()
    {
        // The indicator is optional on import; the ignore text is compared without regard to
        // the case of a to z; entries are cut to 255 characters.
        m_csv->setUseDelimiter(false);
        m_csv->setCSVMap("$Key,$(IGNORE),(Ignore),drawdate");
        import("1,2,3,d");
        m_csv->setIgnoreString("skip-é" + QString(249, 'x'));
        m_csv->setCSVMap("$Key,SKIP-é" + QString(300, 'X'));
        import("5,6");
        QCOMPARE(records({"KEY", "BALL1", "DRAWDATE"}), (QStringList{"1||d", "5||"}));

        m_csv->setCSVMap("$Key,SKIP-É" + QString(249, 'x'));
        QVERIFY_THROWS_EXCEPTION(TKestError, import("2,3"));
    }

    void lineEndsAndEncoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected"); // KEY|DRAWDATE

        QTest::newRow("CR LF and LF")
            << QByteArray("1,a\r\n2,b\n3,c") << QStringList{"1|a", "2|b", "3|c"};
        QTest::newRow("last line ended") << QByteArray("1,a\r\n") << QStringList{"1|a"};
        QTest::newRow("empty last line") << QByteArray("1,a\r\n\r\n") << QStringList{"1|a", "0|"};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("lone CR is text") << QByteArray("1,a\rb\n") << QStringList{"1|a\rb"};
        QTest::newRow("Ctrl-Z ends the file")
            << QByteArray("1,a\r\n2,b\x1a\r\n3,c\r\n") << QStringList{"1|a", "2|b"};
        QTest::newRow("Ctrl-Z first") << QByteArray("\x1a"
                                                    "1,a")
                                      << QStringList{};
        QTest::newRow("Latin-1") << QByteArray("1,caf\xe9\r\n") << QStringList{"1|café"};
        QTest::newRow("UTF-8") << QByteArray("1,caf\xc3\xa9\r\n") << QStringList{"1|café"};
    }

    void lineEndsAndEncoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        m_csv->setUseDelimiter(false);
        m_csv->setCSVMap("Key,DrawDate");
        // Lines must come out the same whichever way the buffer cuts them.
        for (const int bufferSize : {1, 3, 1024}) {
            m_csv->setBufferSize(bufferSize);
            m_table->Last();
            while (!m_table->IsEmpty())
                m_table->Delete();
            import(bytes);
            QCOMPARE(records({"KEY", "DRAWDATE"}), expected);
        }
    }

    void textValues()
    {
        m_csv->setUseDelimiter(false);
        m_csv->setCSVMap("DrawDate,Provisional,DrawMachine");
        import(" a , b ,c");
        m_csv->setTrimData(true);
        import(" a , b ,c");
        QCOMPARE(records({"DRAWDATE", "PROVISIONAL", "DRAWMACHINE"}),
                 (QStringList{" a | b |c", "a|b|c"}));
    }

    void missingFileLeavesTheDatasetAlone()
    {
        m_table->Close();
        m_csv->setAutoOpen(true);
        bool opened = false;
        m_csv->BeforeOpenTable = [&](TKestCSV*) { opened = true; };
        m_csv->setCSVFile(path("none.csv"));
        try {
            m_csv->CSVToDataset();
            QFAIL("no error");
        } catch (const TKestError& error) {
            QVERIFY2(error.message().startsWith("Cannot open file "), qPrintable(error.message()));
        }
        QVERIFY(!opened);
        QVERIFY(!m_table->Active());

        m_csv->setEmptyTable(false);
        QVERIFY_THROWS_EXCEPTION(TKestError, m_csv->DatasetToCSV());
        QVERIFY(!opened);
        QVERIFY(!QFile::exists(path("none.csv")));
    }

    void eventsOfARun()
    {
        QStringList events;
        const auto note = [&events](const char* name) {
            return [&events, name](TKestCSV*) { events << name; };
        };
        const auto progress = [&events, this](const char* name) {
            return [&events, name, this](TKestCSV* sender, int step, bool&) {
                QCOMPARE(sender, m_csv.get());
                QVERIFY(m_table->ControlsDisabled());
                events << QString("%1 %2").arg(name).arg(step);
            };
        };
        m_csv->BeforeOpenTable = note("BeforeOpenTable");
        m_csv->AfterOpenTable = note("AfterOpenTable");
        m_csv->BeforeCloseTable = note("BeforeCloseTable");
        m_csv->AfterCloseTable = note("AfterCloseTable");
        m_csv->BeforeEmptyTable = note("BeforeEmptyTable");
        m_csv->AfterEmptyTable = note("AfterEmptyTable");
        m_csv->BeforeImport = note("BeforeImport");
        m_csv->AfterImport = note("AfterImport");
        m_csv->BeforeExport = note("BeforeExport");
        m_csv->AfterExport = note("AfterExport");
        m_csv->OnAddRecord = note("OnAddRecord");
        m_csv->ExportProgress = progress("ExportProgress");
        m_csv->ImportProgress = progress("ImportProgress");
        m_csv->setAutoOpen(true);
        m_table->Close();
        m_csv->setCSVMap("$Key");

        import("1\r\n2\r\n");
        QCOMPARE(events,
                 (QStringList{"BeforeOpenTable", "AfterOpenTable", "BeforeExport", "OnAddRecord",
                              "ExportProgress 0", "OnAddRecord", "ExportProgress 1", "AfterExport",
                              "BeforeCloseTable", "AfterCloseTable"}));
        QVERIFY(!m_table->Active());

        events.clear();
        m_csv->setEmptyTable(true);
        m_csv->setCSVFile(path("out.csv"));
        m_csv->DatasetToCSV();
        QCOMPARE(events, (QStringList{"BeforeEmptyTable", "AfterEmptyTable", "BeforeOpenTable",
                                      "AfterOpenTable", "BeforeImport", "ImportProgress 0",
                                      "ImportProgress 1", "AfterImport", "BeforeCloseTable",
                                      "AfterCloseTable"}));
        QVERIFY(!m_table->Active());
        QVERIFY(!m_table->ControlsDisabled());
        QCOMPARE(readFile("out.csv"), QByteArray("\"1\"\r\n\"2\"\r\n"));
    }

    void stopItEndsThisRunAndEveryLaterOne()
    {
        m_csv->setCSVMap("Key");
        int afterExport = 0;
        m_csv->AfterExport = [&](TKestCSV*) { ++afterExport; };
        m_csv->ExportProgress = [](TKestCSV*, int step, bool& stop) { stop = step == 1; };
        import("1\r\n2\r\n3\r\n");
        QCOMPARE(records({"KEY"}), (QStringList{"1", "2"}));
        import("4\r\n");
        QCOMPARE(m_table->RecordCount(), 2);
        QCOMPARE(afterExport, 2);

        m_csv->setEmptyTable(true);
        m_csv->setCSVFile(path("out.csv"));
        m_csv->DatasetToCSV();
        QCOMPARE(readFile("out.csv"), QByteArray());

        TKestCSV writer;
        writer.setDataset(m_table.get());
        writer.setAutoOpen(false);
        writer.setEmptyTable(true);
        writer.setCSVMap("$Key");
        writer.setCSVFile(path("out.csv"));
        writer.ImportProgress = [](TKestCSV*, int, bool& stop) { stop = true; };
        writer.DatasetToCSV();
        QCOMPARE(readFile("out.csv"), QByteArray("\"1\"\r\n"));
    }

    // Long runs are written many lines at a time; what lands is still what writing line by
    // line leaves: the lines before a refused one, the cursor on the last record.
    void longRunsEndAsLineByLine()
    {
        refuseDrawDate(path(Tables::Lotto), "bad");
        m_csv->setUseDelimiter(false);
        m_csv->setCSVMap("Key,DrawDate");
        QByteArray lines;
        for (int key = 1; key <= 3000; ++key)
            lines += QByteArray::number(key) + (key == 2500 ? ",bad\n" : ",ok\n");
        QVERIFY_THROWS_EXCEPTION(TKestError, import(lines));
        QCOMPARE(m_table->RecordCount(), 2499);
        QCOMPARE(m_table->AsString("KEY"), QString("2499"));
        m_table->Close();
        m_table->Open();
        QCOMPARE(m_table->RecordCount(), 2499);

        // A line the reader refuses ends the run after the lines before it.
        try {
            import("1,ok\n2,ok\n" + QByteArray(LineReader::MaxLineLength + 1, 'x'));
            QFAIL("no error");
        } catch (const TKestError& error) {
            QVERIFY2(error.message().contains("longer than"), qPrintable(error.message()));
        }
        QCOMPARE(m_table->RecordCount(), 2501);
    }

    void refusedRecordEndsTheRun()
    {
        refuseDrawDate(path(Tables::Lotto), "bad");
        m_csv->setUseDelimiter(false);
        m_csv->setCSVMap("Key,DrawDate");
        try {
            import("1,ok\r\n2,bad\r\n3,ok\r\n");
            QFAIL("no error");
        } catch (const TKestError& error) {
            QVERIFY2(error.message().contains("refused"), qPrintable(error.message()));
        }
        QCOMPARE(records({"KEY", "DRAWDATE"}), QStringList{"1|ok"});
        QCOMPARE(m_table->state(), TKestTable::State::Browse);
        QVERIFY(!m_table->ControlsDisabled());

        m_csv->setCSVMap("Key,NoSuchField");
        QVERIFY_THROWS_EXCEPTION(TKestError, import("4,x"));
        QCOMPARE(m_table->RecordCount(), 1);
    }

    void silentRunWithoutHandlerSkipsRefusedLines()
    {
        refuseDrawDate(path(Tables::Lotto), "bad");
        m_csv->setUseDelimiter(false);
        m_csv->setSilentExport(true);
        m_csv->setCSVMap("Key,DrawDate");
        int added = 0;
        m_csv->OnAddRecord = [&](TKestCSV*) { ++added; };
        import("1,ok\r\n2,bad\r\n3,ok\r\n");
        QCOMPARE(records({"KEY", "DRAWDATE"}), (QStringList{"1|ok", "3|ok"}));
        QCOMPARE(added, 3);
    }

    void silentRunAsksTheHandler()
    {
        refuseDrawDate(path(Tables::Lotto), "bad");
        m_csv->setUseDelimiter(false);
        m_csv->setSilentExport(true);
        m_csv->setCSVMap("Key,DrawDate");
        QList<int> lines;
        QList<TKestCSVErrorResponse> received;
        bool afterExport = false;
        m_csv->AfterExport = [&](TKestCSV*) { afterExport = true; };
        m_csv->ExportError = [&](TKestCSV*, const QString& message, int recNo,
                                 TKestCSVErrorResponse& response) {
            QVERIFY(message.contains("refused"));
            lines << recNo;
            received << response;
            // Ignore the first error, keep that answer for the second, abort at the third.
            if (received.size() == 1)
                response = pgcsvIgnore;
            else if (received.size() == 3)
                response = pgcsvAbort;
        };
        import("1,ok\r\n2,bad\r\n3,bad\r\n4,ok\r\n5,bad\r\n6,ok\r\n");
        QCOMPARE(lines, (QList<int>{1, 2, 4}));
        QCOMPARE(received, (QList<TKestCSVErrorResponse>{pgcsvAbort, pgcsvIgnore, pgcsvIgnore}));
        QCOMPARE(records({"KEY"}), (QStringList{"1", "4"}));
        QVERIFY(afterExport);

        // The answer starts again from abort in the next run.
        received.clear();
        import("7,bad\r\n8,ok\r\n");
        QCOMPARE(received, QList<TKestCSVErrorResponse>{pgcsvAbort});
        QCOMPARE(m_table->RecordCount(), 3);
    }

    void autoIncFieldsRefuseValues()
    {
        m_table->Close();
        Tables::createTableFile(path(Tables::Favourites), Tables::Favourites);
        m_table->setTableName(Tables::Favourites);
        m_table->Open();
        m_csv->setUseDelimiter(false);
        m_csv->setCSVMap("Key,FavouriteNr");
        QVERIFY_THROWS_EXCEPTION(TKestError, import("1,7"));
        QCOMPARE(m_table->RecordCount(), 0);
        m_csv->setCSVMap("(ignore),FavouriteNr");
        import("1,7\r\n1,9");
        QCOMPARE(records({"FavouriteNr"}), (QStringList{"7", "9"}));
    }

    void exportWithAnEmptyMapWritesEveryField()
    {
        appendDraw(1, " 1 June 2000", 3);
        appendDraw(2, "a,b", QVariant());
        m_csv->setCSVMap("  ");
        m_csv->setEmptyTable(true);
        m_csv->setCSVFile(writeFile("old content\r\n", "out.csv"));
        m_csv->DatasetToCSV();

        QStringList fields;
        for (const FieldDef& field : m_table->schema().fields)
            fields << "$" + field.name;
        QCOMPARE(m_csv->CSVMap(), fields.join(','));
        QStringList first(32, "\"\""), second(32, "\"\"");
        first[0] = "\"1\"", first[1] = "\" 1 June 2000\"", first[2] = "\"3\"";
        second[0] = "\"2\"", second[1] = "\"a,b\"";
        QCOMPARE(readFile("out.csv"),
                 (first.join(',') + "\r\n" + second.join(',') + "\r\n").toUtf8());

        // It reads back, empty numbers as DefaultInt.
        m_table->Last();
        while (!m_table->IsEmpty())
            m_table->Delete();
        m_csv->setCSVFile(path("out.csv"));
        m_csv->CSVToDataset();
        QCOMPARE(records({"KEY", "DRAWDATE", "BALL1", "BALL2"}),
                 (QStringList{"1| 1 June 2000|3|0", "2|a,b|0|0"}));
    }

    void exportLiteralsAndAppending()
    {
        appendDraw(1, " d ", 3);
        m_csv->setUseDelimiter(false);
        m_csv->setCSVMap("$DrawDate,X,$Ball1,$Ball2");
        m_csv->setCSVFile(writeFile("first\r\n", "out.csv"));
        m_csv->DatasetToCSV();
        m_csv->setTrimData(true);
        m_csv->setSeprator(';');
        m_csv->setCSVMap("$DrawDate;lit;$Ball1");
        m_csv->DatasetToCSV();
        QCOMPARE(readFile("out.csv"), QByteArray("first\r\n d ,X,3,\r\nd;lit;3\r\n"));

        m_csv->setCSVMap("$DrawDate;$NoSuchField");
        QVERIFY_THROWS_EXCEPTION(TKestError, m_csv->DatasetToCSV());
        QVERIFY(!m_table->ControlsDisabled());
    }

    void withoutADatasetNothingRuns()
    {
        TKestCSV csv;
        csv.setCSVFile(writeFile("1\r\n"));
        QVERIFY_THROWS_EXCEPTION(TKestError, csv.CSVToDataset());
        QVERIFY_THROWS_EXCEPTION(TKestError, csv.DatasetToCSV());
    }
};

QTEST_GUILESS_MAIN(TestKestCSV)
#include "tst_kestcsv.moc"
