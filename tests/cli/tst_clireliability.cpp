#include "CliRunner.h"
#include "ReadOnlyFolder.h"
#include "TestEnvironment.h"

#include <QProcess>
#include <QSettings>
#include <QtTest>

// The command line program against hostile input, a second process and a read-only folder.
class TestCliReliability : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;

    QString dataDir() const
    {
        const QSettings settings(m_env->configFile(), QSettings::IniFormat);
        for (const QString& key : settings.allKeys()) {
            if (key.endsWith("DataDir"))
                return settings.value(key).toString();
        }
        return {};
    }

    QProcess* startImport(const QString& file)
    {
        auto* process = new QProcess(this);
        process->start(DRAWSAGE_CLI, {"--config", m_env->configFile(), "import", file});
        return process;
    }

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        TestData::writeSyntheticResults(m_env->path("small.csv"), 3);
        QCOMPARE(runCli(*m_env, {"import", m_env->path("small.csv")}).status, 0);
    }

    void cleanup() { m_env.reset(); }

    // Each import replaces the table whole: the table ends with one file's draws, never a mix.
    void twoImportsAtOnce()
    {
        TestData::writeSyntheticResults(m_env->path("a.csv"), 20000);
        TestData::writeRealHistoryResults(m_env->path("b.csv"));
        QProcess* first = startImport(m_env->path("a.csv"));
        QProcess* second = startImport(m_env->path("b.csv"));
        QVERIFY(first->waitForFinished(120000));
        QVERIFY(second->waitForFinished(120000));
        // One may give up waiting for the other's lock; then it says so.
        for (QProcess* process : {first, second}) {
            if (process->exitCode() != 0)
                QVERIFY(!process->readAllStandardError().isEmpty());
        }
        QVERIFY(first->exitCode() == 0 || second->exitCode() == 0);
        const CliResult draws = runCli(*m_env, {"draws"});
        QCOMPARE(draws.status, 0);
        QVERIFY2(draws.lines.size() == 20000 || draws.lines.size() == 3622,
                 qPrintable(QString::number(draws.lines.size())));
        QCOMPARE(draws.lines.first().section('\t', 0, 0), QString::number(draws.lines.size()));
        QCOMPARE(draws.lines.last().section('\t', 0, 0), QString("1"));
    }

    void hugeBallsDoNotOverflowTheSum()
    {
        QFile file(m_env->path("huge.csv"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QString rest = QString(", 0").repeated(17) + ", N, 0, A, 1, 0, 0\r\n";
        file.write((TestData::resultsHeader() + "\r\n" +
                    "2, 01 May 2001, 2147483647, 2147483647, 2147483647, 1e10, 5, 6, 7" + rest +
                    "1, 01 April 2001, 1, 2, 3, 4, 5, 6, 7" + rest)
                       .toUtf8());
        file.close();
        QCOMPARE(runCli(*m_env, {"import", file.fileName()}).status, 0);
        const CliResult report = runCli(*m_env, {"report"});
        QCOMPARE(report.status, 0);
        const QString line = report.lines.filter("Expected Combination Sum").value(0);
        // (4 * 2147483647 + 11 + 21) / 2 - 1
        QCOMPARE(line.section(": ", 1), QString::number((4 * 2147483647LL + 32) / 2 - 1));
    }

    void endlessInputIsRefused()
    {
        if (!QFileInfo::exists("/dev/zero"))
            QSKIP("no /dev/zero here");
        for (const QStringList& command :
             {QStringList{"import", "/dev/zero"}, QStringList{"ticket", "show", "/dev/zero"}}) {
            const CliResult result = runCli(*m_env, command);
            QCOMPARE(result.status, 1);
            QVERIFY2(result.errors.startsWith("drawsage-cli: "), qPrintable(result.errors));
        }
    }

    void readOnlyFolderCanBeRead()
    {
        const QString folder = dataDir();
        QVERIFY(!folder.isEmpty());
        const QStringList before = runCli(*m_env, {"draws"}).lines;
        const ReadOnlyFolder readOnly(folder);
        if (!readOnly.usable())
            QSKIP("cannot make a read-only folder here");

        const CliResult draws = runCli(*m_env, {"draws"});
        QVERIFY2(draws.status == 0, qPrintable(draws.errors));
        QCOMPARE(draws.lines, before);
        const CliResult report = runCli(*m_env, {"report"});
        QVERIFY2(report.status == 0, qPrintable(report.errors));
        const CliResult import = runCli(*m_env, {"import", m_env->path("small.csv")});
        QCOMPARE(import.status, 1);
        QVERIFY2(import.errors.contains("read-only") && import.errors.contains(folder),
                 qPrintable(import.errors));
    }
};

QTEST_GUILESS_MAIN(TestCliReliability)
#include "tst_clireliability.moc"
