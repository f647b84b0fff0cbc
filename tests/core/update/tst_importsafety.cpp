#include "TestEnvironment.h"
#include "core/kernel/KestError.h"
#include "core/kernel/KestTable.h"
#include "core/kernel/TableSchema.h"
#include "core/update/LineReader.h"
#include "core/update/ResultsFile.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// A results import replaces a game's draws only with a whole, readable file, against what
// the file holds at that moment, and leaves the table consistent when the store fails.
class TestImportSafety : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TKestTable> m_table;
    QTemporaryDir m_scratch; // for the files the data functions make

    QString path(const QString& name) const { return m_dir->filePath(name); }

    QString writeFile(const QByteArray& bytes)
    {
        return TestData::writeBytes(path("update.tmp"), bytes);
    }

    QByteArray synthetic(int count)
    {
        const QString name = m_scratch.filePath("synthetic.csv");
        TestData::writeSyntheticResults(name, count);
        QFile file(name);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

    // KEY of every record as the file holds it, through a connection of its own.
    QStringList storedKeys() const
    {
        QStringList keys;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "check");
            db.setDatabaseName(path(Tables::Lotto));
            db.open();
            QSqlQuery query("SELECT KEY FROM records ORDER BY _order, rowid", db);
            while (query.next())
                keys << query.value(0).toString();
        }
        QSqlDatabase::removeDatabase("check");
        return keys;
    }

    QStringList tableKeys() const
    {
        QStringList keys;
        for (int i = 0; i < m_table->RecordCount(); ++i)
            keys << m_table->textAt(i, Tables::Key);
        return keys;
    }

    // Runs SQL on the table file through another connection, as another process would.
    void otherWriter(const QStringList& statements)
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "other");
            db.setDatabaseName(path(Tables::Lotto));
            QVERIFY(db.open());
            for (const QString& sql : statements)
                QVERIFY2(QSqlQuery(db).exec(sql), qPrintable(sql));
        }
        QSqlDatabase::removeDatabase("other");
    }

    void expectRefused(const QString& file, const QString& message)
    {
        const QStringList before = storedKeys();
        try {
            importResultsFile(*m_table, file);
            QFAIL("no error");
        } catch (const TKestError& error) {
            QVERIFY2(error.message().contains(message), qPrintable(error.message()));
        }
        QCOMPARE(storedKeys(), before);
        QCOMPARE(tableKeys(), before);
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_table = TestData::newTable(m_dir->path(), Tables::Lotto);
        importResultsFile(*m_table, writeFile(synthetic(3)));
    }

    void cleanup()
    {
        m_table.reset();
        m_dir.reset();
    }

    void emptyLinesAreNoDraws()
    {
        importResultsFile(*m_table, writeFile(synthetic(2) + "\r\n\r\n"));
        QCOMPARE(storedKeys(), (QStringList{"2", "1"}));
        QCOMPARE(tableKeys(), storedKeys());
    }

    void damagedFilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        const QByteArray whole = synthetic(5);
        const QByteArray header = TestData::resultsHeader().toLatin1() + "\r\n";
        QTest::newRow("header and an empty line") << header + "\r\n"
                                                  << "holds no draws";
        QTest::newRow("cut inside a line") << whole.left(header.size() + 80) << "line 2 has";
        QTest::newRow("cut inside the last field")
            << whole.left(whole.size() - 3) << "line 6 is cut short";
        QTest::newRow("a line of another width")
            << header + whole.mid(header.size()).replace("1990", "1990, extra") << "columns";
        QTest::newRow("a line without end")
            << header + QByteArray(LineReader::MaxLineLength + 10, 'x') << "longer than";
    }

    void damagedFilesAreRefused()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        expectRefused(writeFile(content), message);
    }

    void devicesAreRefused()
    {
        if (!QFileInfo::exists("/dev/zero"))
            QSKIP("no /dev/zero here");
        expectRefused("/dev/zero", "not a regular file");
    }

    // A whole file without its last line end is a whole file.
    void lastLineWithoutEndIsKept()
    {
        importResultsFile(*m_table, writeFile(synthetic(4).chopped(2)));
        QCOMPARE(storedKeys(), (QStringList{"4", "3", "2", "1"}));
    }

    // Another process replaced the draws after this handle read them.
    void importReplacesWhatIsOnDiskNow()
    {
        otherWriter(
            {"DELETE FROM records",
             "INSERT INTO records (KEY, _order) VALUES (91, 1), (92, 2), (93, 3), (94, 4)"});
        importResultsFile(*m_table, writeFile(synthetic(2)));
        QCOMPARE(storedKeys(), (QStringList{"2", "1"}));
        QCOMPARE(tableKeys(), storedKeys());
    }

    void aStaleRowIsNotDeleted()
    {
        m_table->setPosition(1); // key 2, as this handle read it
        otherWriter({"DELETE FROM records", "INSERT INTO records (KEY, _order) VALUES (7, 1), "
                                            "(8, 2), (9, 3)"});
        QVERIFY_THROWS_EXCEPTION(TKestError, m_table->Delete());
        QCOMPARE(storedKeys(), (QStringList{"7", "8", "9"}));
        QCOMPARE(tableKeys(), storedKeys()); // read again
        m_table->setPosition(1);
        m_table->Delete();
        QCOMPARE(storedKeys(), (QStringList{"7", "9"}));
    }

    void fullDiskKeepsTableAndFileAlike()
    {
        importResultsFile(*m_table, writeFile(synthetic(3)));
        // The store's page limit stands in for a full disk: SQLite fails the same way.
        for (const QString& name : QSqlDatabase::connectionNames()) {
            QSqlDatabase db = QSqlDatabase::database(name);
            if (db.databaseName() == path(Tables::Lotto))
                QVERIFY(QSqlQuery(db).exec("PRAGMA max_page_count=8"));
        }
        try {
            importResultsFile(*m_table, writeFile(synthetic(3000)));
            QFAIL("no error");
        } catch (const TKestError& error) {
            QVERIFY2(error.message().contains("database or disk is full"),
                     qPrintable(error.message()));
        }
        QVERIFY(!m_table->InTransaction());
        QCOMPARE(storedKeys(), (QStringList{"3", "2", "1"}));
        QCOMPARE(tableKeys(), storedKeys());
        m_table->setPosition(1);
        m_table->Delete();
        QCOMPARE(storedKeys(), (QStringList{"3", "1"}));
    }
};

QTEST_GUILESS_MAIN(TestImportSafety)
#include "tst_importsafety.moc"
