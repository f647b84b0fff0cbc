#include "CliRunner.h"
#include "TestEnvironment.h"
#include "core/kernel/Installation.h"

#include <QDir>
#include <QFile>
#include <QtTest>

// The errors the desktop program reports in its error box end the command line program with
// one clear line and a failure status.
class TestCliErrors : public QObject {
    Q_OBJECT

    static void verifyOneLineFailure(const CliResult& result, const QString& expected)
    {
        QCOMPARE(result.status, 1);
        QVERIFY(result.lines.isEmpty());
        const QStringList lines = result.errors.trimmed().split('\n');
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.first().startsWith("drawsage-cli: ") && lines.first().contains(expected),
                 qPrintable(result.errors));
    }

private slots:
    void engineErrorsEndWithOneLine()
    {
        TestEnvironment env;
        QCOMPARE(runCli(env, {"draws"}).status, 0); // installs the data folder

        QVERIFY(QDir().mkpath(env.path("home/folder.dtk")));
        verifyOneLineFailure(runCli(env, {"ticket", "show", env.path("home/folder.dtk")}),
                             "is not a Ticket file");

        QVERIFY(QFile::remove(Installation::defaultRoot() + "/Data/NL00A2.DB"));
        verifyOneLineFailure(runCli(env, {"--game", "plus", "draws"}), "Table does not exist");
    }
};

QTEST_MAIN(TestCliErrors)
#include "tst_clierrors.moc"
