#include "CliRunner.h"
#include "TestEnvironment.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include <signal.h>

// kill -9 during a large import leaves a table that opens, passes SQLite's integrity check
// and holds either the old draws or the new ones. DRAWSAGE_CRASH_KILLS sets how many kills
// (a few by default; the hardening run asks for more).
class TestCrashSafety : public QObject {
    Q_OBJECT

    TestEnvironment m_env;
    QString m_table;

    struct Contents {
        QString integrity;
        int rows = 0;
        qint64 keySum = 0;
    };

    Contents contents() const
    {
        Contents found;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "check");
            db.setDatabaseName(m_table);
            if (db.open()) {
                QSqlQuery query(db);
                if (query.exec("PRAGMA integrity_check") && query.next())
                    found.integrity = query.value(0).toString();
                if (query.exec("SELECT COUNT(*), SUM(KEY) FROM records") && query.next()) {
                    found.rows = query.value(0).toInt();
                    found.keySum = query.value(1).toLongLong();
                }
            }
        }
        QSqlDatabase::removeDatabase("check");
        return found;
    }

    static qint64 keySumOf(int draws) { return qint64(draws) * (draws + 1) / 2; }

private slots:
    void killedImportsLeaveOldOrNew()
    {
        const int oldDraws = 3622;
        const int newDraws = 100000;
        TestData::writeRealHistoryResults(m_env.path("old.csv"));
        TestData::writeSyntheticResults(m_env.path("new.csv"), newDraws);
        QCOMPARE(runCli(m_env, {"import", m_env.path("old.csv")}).status, 0);
        const QSettings settings(m_env.configFile(), QSettings::IniFormat);
        for (const QString& key : settings.allKeys()) {
            if (key.endsWith("DataDir"))
                m_table = settings.value(key).toString() + "/NL00A1.DB";
        }
        QVERIFY(QFileInfo::exists(m_table));

        // How long a whole import takes here, so that the kills fall inside it.
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(runCli(m_env, {"import", m_env.path("new.csv")}).status, 0);
        const int importMs = int(clock.elapsed());
        QCOMPARE(runCli(m_env, {"import", m_env.path("old.csv")}).status, 0);

        const int kills = qEnvironmentVariableIntValue("DRAWSAGE_CRASH_KILLS") > 0
                              ? qEnvironmentVariableIntValue("DRAWSAGE_CRASH_KILLS")
                              : 3;
        for (int i = 0; i < kills; ++i) {
            const Contents before = contents();
            const int delay = QRandomGenerator::global()->bounded(importMs + 1);
            QProcess process;
            process.start(DRAWSAGE_CLI, {"--config", m_env.configFile(), "import",
                                         m_env.path(i % 2 ? "old.csv" : "new.csv")});
            QVERIFY(process.waitForStarted());
            QTest::qWait(delay);
            // processId() is 0 once the import has ended, and kill(0) would hit this group.
            if (const qint64 pid = process.processId(); pid > 0)
                ::kill(pid_t(pid), SIGKILL);
            process.waitForFinished();

            const Contents after = contents();
            const QString moment = QString("kill %1 after %2 ms").arg(i + 1).arg(delay);
            QVERIFY2(after.integrity == "ok", qPrintable(moment + ": " + after.integrity));
            const bool old = after.rows == before.rows && after.keySum == before.keySum;
            const bool replaced =
                after.rows == (i % 2 ? oldDraws : newDraws) && after.keySum == keySumOf(after.rows);
            QVERIFY2(old || replaced, qPrintable(moment + QString(": %1 rows").arg(after.rows)));
        }
        // And the program still works with what is left.
        QCOMPARE(runCli(m_env, {"report"}).status, 0);
    }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crashsafety.moc"
