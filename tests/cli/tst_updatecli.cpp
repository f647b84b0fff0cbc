#include "CliRunner.h"
#include "TestEnvironment.h"
#include "TestHttpServer.h"

#include <QFile>
#include <QSettings>
#include <QThread>
#include <QtTest>

// drawsage-cli update against a server on 127.0.0.1. The CLI runs to its end while the test
// waits, so the server answers from a thread of its own.
class TestUpdateCli : public QObject {
    Q_OBJECT

    static QByteArray results(const TestEnvironment& env, int draws)
    {
        const QString path = env.path(QString("r%1.csv").arg(draws));
        TestData::writeSyntheticResults(path, draws);
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

private slots:
    void updatesBothGamesOrSaysWhichWasKept()
    {
        TestEnvironment env;
        auto* server = new TestHttpServer;
        server->route("/lotto/clientfiles/lotto/lottoresults.csv", {.body = results(env, 12)});
        server->route("/lotto/clientfiles/lotto/lottoplusresults.csv", {.body = results(env, 9)});
        const QString url = server->url();
        QThread thread;
        server->moveToThread(&thread);
        connect(&thread, &QThread::finished, server, &QObject::deleteLater);
        thread.start();

        const CliResult done = runCli(env, {"update", "--server", url});
        QCOMPARE(done.status, 0);
        QCOMPARE(done.lines.first(), "Please wait while Drawsage updates the needed file(s)...");
        QCOMPARE(done.lines.last(), "Update has completed...");
        QCOMPARE(runCli(env, {"draws"}).lines.size(), 12);
        QCOMPARE(runCli(env, {"--game", "plus", "draws"}).lines.size(), 9);

        // Nothing listens there: both games keep their draws and the run fails.
        const CliResult failed = runCli(env, {"update", "--server", TestHttpServer::refusingUrl()});
        QCOMPARE(failed.status, 1);
        QVERIFY(failed.lines.contains("The attempt to connect to the Internet has failed."));
        QVERIFY(failed.lines.contains(
            "The National Lotto Database was kept as it was: The attempt to connect to the "
            "Internet has failed."));
        QCOMPARE(runCli(env, {"draws"}).lines.size(), 12);

        // An address that is no web address is named, from the option and from the setting.
        const CliResult badOption = runCli(env, {"update", "--server", "127.0.0.1:8049"});
        QCOMPARE(badOption.status, 2);
        QVERIFY(badOption.errors.contains(
            "--server: \"127.0.0.1:8049\" is not a usable results server"));
        QSettings(env.configFile(), QSettings::IniFormat).setValue("ResultsServer", "results");
        const CliResult badSetting = runCli(env, {"update"});
        QCOMPARE(badSetting.status, 1);
        QVERIFY(badSetting.errors.contains("ResultsServer in " + env.configFile()));
        QCOMPARE(runCli(env, {"draws"}).lines.size(), 12);
        thread.quit();
        thread.wait();
    }
};

QTEST_GUILESS_MAIN(TestUpdateCli)
#include "tst_updatecli.moc"
