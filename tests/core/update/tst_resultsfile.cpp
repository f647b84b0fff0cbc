#include "TestEnvironment.h"
#include "core/kernel/KestError.h"
#include "core/kernel/KestTable.h"
#include "core/kernel/TableSchema.h"
#include "core/update/ResultsFile.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class TestResultsFile : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TKestTable> m_table;

    QString path(const QString& name) const { return m_dir->filePath(name); }

    QString writeFile(const QByteArray& bytes)
    {
        return TestData::writeBytes(path("update.tmp"), bytes);
    }

    // KEY|DRAWDATE of every record, read through a new handle so that only what reached the
    // file counts.
    QStringList storedDraws() const
    {
        TKestTable table;
        table.setDatabasePath(m_dir->path());
        table.setTableName(Tables::Lotto);
        table.Open();
        QStringList draws;
        for (table.First(); !table.Eof(); table.Next())
            draws << table.AsString("KEY") + "|" + table.AsString("DRAWDATE");
        return draws;
    }

    void fillWithOldDraws()
    {
        for (int key = 3; key >= 1; --key) {
            m_table->Append();
            m_table->SetField("KEY", key);
            m_table->SetField("DRAWDATE", QString(" old %1").arg(key));
            m_table->Post();
        }
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_table = TestData::newTable(m_dir->path(), Tables::Lotto);
        fillWithOldDraws();
    }

    void cleanup()
    {
        m_table.reset();
        m_dir.reset();
    }

    void mapHeadsTheFile()
    {
        QCOMPARE(QString(ResultsFileMap), TestData::resultsHeader().remove(' '));
    }

    void replacesEveryRecordInFileOrder()
    {
        const QString file = path("update.tmp");
        TestData::writeSyntheticResults(file, 5);
        int calls = 0;
        importResultsFile(*m_table, file, [&calls] { ++calls; });

        QStringList keys;
        for (m_table->First(); !m_table->Eof(); m_table->Next())
            keys << m_table->AsString("KEY");
        QCOMPARE(keys, (QStringList{"5", "4", "3", "2", "1"}));
        QCOMPARE(storedDraws().size(), 5);
        QVERIFY(m_table->Active());
        QVERIFY(!m_table->InTransaction());
        QVERIFY(!m_table->ControlsDisabled());
        QVERIFY(calls >= 6); // at least once per line, header included

        // A closed table is opened for the import and closed again.
        m_table->Close();
        TestData::writeSyntheticResults(file, 2);
        importResultsFile(*m_table, file);
        QVERIFY(!m_table->Active());
        QCOMPARE(storedDraws().size(), 2);
    }

    void headerRecordRemovedInAnyLetterCase_data()
    {
        QTest::addColumn<QString>("drawDate");
        QTest::newRow("as delivered") << " DrawDate";
        QTest::newRow("capitals") << " DRAWDATE";
        QTest::newRow("small letters") << " drawdate";
        QTest::newRow("mixed") << " dRaWdAtE";
    }

    void headerRecordRemovedInAnyLetterCase()
    {
        QFETCH(QString, drawDate);
        const QByteArray header = "Key," + drawDate.toLatin1() + ",Ball1\r\n";
        // Two files joined: the second header goes as well.
        importResultsFile(
            *m_table, writeFile(header + "2, 8 May 2001,4\r\n" + header + "1, 5 May 2001,7\r\n"));
        QCOMPARE(storedDraws(), (QStringList{"2| 8 May 2001", "1| 5 May 2001"}));
    }

    void incompleteFileKeepsTheTable_data()
    {
        QTest::addColumn<QByteArray>("content"); // "<missing>": no file, "<folder>": a folder
        QTest::addColumn<QString>("message");

        const QByteArray header = TestData::resultsHeader().toLatin1() + "\r\n";
        QTest::newRow("missing file") << QByteArray("<missing>") << "Cannot open file";
        QTest::newRow("unreadable") << QByteArray("<folder>") << "Cannot";
        QTest::newRow("empty file") << QByteArray() << "is empty";
        QTest::newRow("header only") << header << "holds no draws";
        QTest::newRow("error page") << QByteArray("<html><body>503 Service Unavailable</body>"
                                                  "</html>\r\n")
                                    << "is not a results file";
        QTest::newRow("header not first")
            << QByteArray("1, 5 May 2001, 7\r\n") + header << "is not a results file";
        // Draw lines as wide as the header: a narrower line is a damaged file.
        const QByteArray rest = QByteArray(", 0").repeated(30) + "\r\n";
        QTest::newRow("refused record")
            << header + "2, 8 May 2001" + rest + "1, refused" + rest << "refused";
    }

    void incompleteFileKeepsTheTable()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        // The store refuses a record with this date.
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "raw");
            db.setDatabaseName(path(Tables::Lotto));
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec(
                "CREATE TRIGGER refuse BEFORE INSERT ON records WHEN NEW.DRAWDATE = ' refused' "
                "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        }
        QSqlDatabase::removeDatabase("raw");
        const QString file = content == "<missing>"  ? path("none.tmp")
                             : content == "<folder>" ? m_dir->path()
                                                     : writeFile(content);
        const QStringList before = storedDraws();
        m_table->setPosition(1);

        try {
            importResultsFile(*m_table, file);
            QFAIL("no error");
        } catch (const TKestError& error) {
            QVERIFY2(error.message().contains(message), qPrintable(error.message()));
        }
        QCOMPARE(storedDraws(), before);
        QCOMPARE(m_table->RecordCount(), 3);
        QCOMPARE(m_table->AsString("DRAWDATE"), QString(" old 2")); // the cursor too
        QVERIFY(!m_table->InTransaction());
        QVERIFY(!m_table->ControlsDisabled());

        // The table is still usable.
        m_table->Append();
        m_table->SetField("KEY", 4);
        m_table->Post();
        QCOMPARE(storedDraws().size(), 4);
    }

    void realHistory()
    {
        const QString file = path("update.tmp");
        TestData::writeRealHistoryResults(file);
        m_table->Close();
        importResultsFile(*m_table, file);

        m_table->Open();
        QCOMPARE(m_table->RecordCount(), 3622);
        // Text columns are compared trimmed: the blanks before them are the file's business.
        const auto draw = [this](int position) {
            m_table->setPosition(position);
            QStringList cells{m_table->AsString("KEY"), m_table->AsString("DRAWDATE").trimmed()};
            for (const char* field :
                 {"BALL1", "BALL2", "BALL3", "BALL4", "BALL5", "BALL6", "BONUSBALL"})
                cells << QString::number(m_table->AsInteger(field));
            cells << m_table->AsString("PROVISIONAL").trimmed();
            return cells.join('|');
        };
        QCOMPARE(draw(0), QString("3622|19 November 2025|14|17|28|31|42|48|5|N"));
        QCOMPARE(draw(3622 - 999), QString("999|19 March 1997|12|16|20|22|26|38|36|N"));
        QCOMPARE(draw(3621), QString("1|12 June 1982|3|11|12|14|41|43|13|N"));
    }
};

QTEST_GUILESS_MAIN(TestResultsFile)
#include "tst_resultsfile.moc"
