#include "TestEnvironment.h"
#include "TestHttpServer.h"
#include "core/kernel/KestSettings.h"
#include "core/kernel/KestTable.h"
#include "core/kernel/TableSchema.h"
#include "core/update/KestDownload.h"
#include "core/update/ResultsFile.h"
#include "core/update/ResultsUpdate.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(TestHttpServer::Route)

namespace {
const QByteArray LottoPath = "/lotto/clientfiles/lotto/lottoresults.csv";
const QByteArray PlusPath = "/lotto/clientfiles/lotto/lottoplusresults.csv";

QByteArray resultsFile(int draws, const QString& folder)
{
    const QString path = QDir(folder).filePath(QString("results%1.csv").arg(draws));
    TestData::writeSyntheticResults(path, draws);
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}
} // namespace

// Both downloads against a server on 127.0.0.1 that produces each fault exactly; every case
// looks at the tables afterwards.
class TestResultsUpdate : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TestHttpServer> m_server;
    QByteArray m_lotto;
    QByteArray m_plus;

    QString data() const { return m_dir->filePath("data"); }

    int draws(const QString& tableName) const
    {
        TKestTable table;
        table.setDatabasePath(data());
        table.setTableName(tableName);
        table.Open();
        for (table.First(); !table.Eof(); table.Next())
            if (table.AsString("DRAWDATE").trimmed().toUpper() == "DRAWDATE")
                return -1;
        return table.RecordCount();
    }

    struct Outcome {
        int updated = 0;
        QStringList memo;
        QStringList errors;
    };

    Outcome runUpdate(const QString& server, int timeOut = ResultsUpdate::DefaultTimeOut)
    {
        ResultsUpdate update;
        update.setTimeOut(timeOut);
        QSignalSpy finished(&update, &ResultsUpdate::finished);
        update.start(server, m_dir->path());
        if (finished.isEmpty())
            [&] { QVERIFY(finished.wait(10000)); }();
        Outcome outcome;
        outcome.updated =
            update.install(data(), [&](const QString& line) { outcome.memo << line; });
        outcome.errors = update.errorLines();
        return outcome;
    }

    void serve(const QByteArray& path, const TestHttpServer::Route& route)
    {
        m_server->route(path, route);
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QDir().mkpath(data());
        // The old draws: 5 of each game.
        for (const char* name : {Tables::Lotto, Tables::LottoPlus}) {
            auto table = TestData::newTable(data(), name);
            const QString old = m_dir->filePath("old.csv");
            TestData::writeSyntheticResults(old, 5);
            importResultsFile(*table, old);
        }
        m_lotto = resultsFile(40, m_dir->path());
        m_plus = resultsFile(30, m_dir->path());
        m_server = std::make_unique<TestHttpServer>();
        serve(LottoPath, {.body = m_lotto});
        serve(PlusPath, {.body = m_plus});
    }

    void bothGamesUpdated()
    {
        const Outcome outcome = runUpdate(m_server->url());
        QCOMPARE(outcome.updated, 2);
        QCOMPARE(draws(Tables::Lotto), 40);
        QCOMPARE(draws(Tables::LottoPlus), 30);
        QVERIFY(outcome.errors.isEmpty());
        QCOMPARE(outcome.memo.first(), "Please wait while Drawsage updates the needed file(s)...");
        QVERIFY(outcome.memo.contains("Updating the South African National Lotto Plus Database"));
        QCOMPARE(outcome.memo.count("Verifying new data"), 2);
        QCOMPARE(outcome.memo.last(), "Update has completed...");
        // The request the operator's server sees.
        const QByteArray request = m_server->requests().first().toLower();
        QVERIFY(request.contains("user-agent: mozilla/4.0 (compatible; msie 6.0; win32)"));
        QVERIFY(request.contains("content-type: application/x-www-form-urlencoded"));
    }

    void redirectIsFollowed()
    {
        serve("/moved.csv", {.body = m_lotto});
        serve(LottoPath, {.status = 301, .location = m_server->url().toUtf8() + "/moved.csv"});
        QCOMPARE(runUpdate(m_server->url() + "/").updated, 2);
        QCOMPARE(draws(Tables::Lotto), 40);
    }

    // Each failure of one game keeps that game's draws and updates the other.
    void failedGameKeepsItsDraws_data()
    {
        QTest::addColumn<TestHttpServer::Route>("route");
        QTest::addColumn<QString>("reason");
        QTest::newRow("404") << TestHttpServer::Route{.status = 404, .body = "<html>gone</html>"}
                             << "Not Found";
        QTest::newRow("500") << TestHttpServer::Route{.status = 500, .body = "oops"}
                             << "Internal Server Error";
        QTest::newRow("html with 200")
            << TestHttpServer::Route{.body = "<html><body>Maintenance</body></html>"}
            << "is not a results file";
        QTest::newRow("header only")
            << TestHttpServer::Route{.body = TestData::resultsHeader().toUtf8() + "\r\n"}
            << "is not a results file";
        QTest::newRow("cut short") << TestHttpServer::Route{.mode = TestHttpServer::Route::CutShort}
                                   << "The download has failed (the connection was interrupted).";
        QTest::newRow("silent") << TestHttpServer::Route{.mode = TestHttpServer::Route::Silent}
                                << "The Internet connection has timed out.";
    }

    void failedGameKeepsItsDraws()
    {
        QFETCH(TestHttpServer::Route, route);
        QFETCH(QString, reason);
        if (route.body.isEmpty())
            route.body = m_plus;
        serve(PlusPath, route);
        const Outcome outcome = runUpdate(m_server->url(), 500);
        QCOMPARE(outcome.updated, 1);
        QCOMPARE(draws(Tables::Lotto), 40);
        QCOMPARE(draws(Tables::LottoPlus), 5);
        QCOMPARE(outcome.errors.value(0), ResultsUpdate::ErrorHeading);
        QVERIFY2(outcome.errors.value(1).contains(reason), qPrintable(outcome.errors.join('|')));
        QVERIFY(outcome.memo.contains("The National Lotto Plus Database was kept as it was: " +
                                      outcome.errors.value(1)));
    }

    void refusedConnectionKeepsBoth()
    {
        ResultsUpdate update;
        QSignalSpy finished(&update, &ResultsUpdate::finished);
        update.start(TestHttpServer::refusingUrl(), m_dir->path());
        QVERIFY(finished.wait(10000));
        QVERIFY(!update.anyUsable());
        QCOMPARE(update.errorLines().count("The attempt to connect to the Internet has failed."),
                 2);
        QCOMPARE(update.install(data(), [](const QString&) {}), 0);
        QCOMPARE(draws(Tables::Lotto), 5);
        QCOMPARE(draws(Tables::LottoPlus), 5);
    }

    void cancelDuringTransferKeepsBoth()
    {
        serve(LottoPath, {.mode = TestHttpServer::Route::Silent});
        serve(PlusPath, {.mode = TestHttpServer::Route::Silent});
        ResultsUpdate update;
        QSignalSpy finished(&update, &ResultsUpdate::finished);
        update.start(m_server->url(), m_dir->path());
        QTRY_COMPARE(m_server->requests().size(), 2);
        update.cancel();
        QTRY_COMPARE(finished.size(), 1);
        QCOMPARE(update.errorLines().count("Cancelled ..."), 2);
        QCOMPARE(update.install(data(), [](const QString&) {}), 0);
        QCOMPARE(draws(Tables::Lotto), 5);
    }

    void serverSettingHasDefault()
    {
        TestEnvironment env;
        TKestSettings settings(env.configFile());
        QCOMPARE(ResultsUpdate::server(settings), ResultsUpdate::DefaultServer);
        settings.write(ResultsUpdate::ServerSetting, "http://results.example:81");
        QCOMPARE(ResultsUpdate::server(settings), "http://results.example:81");
    }

    void unusableServersAreNamed()
    {
        for (const char* usable :
             {"http://127.0.0.1:8049", "HTTPS://results.example/", " http://[::1]:8080 "})
            QVERIFY2(ResultsUpdate::serverProblem(usable).isEmpty(), usable);
        // No scheme, another scheme, no host, a path the fixed paths would follow, a bad port.
        for (const char* unusable :
             {"127.0.0.1:8049", "localhost:8049", "ftp://results.example", "http://",
              "http:/results.example", "http://results.example/lotto", "http://host:99999", ""})
            QVERIFY2(ResultsUpdate::serverProblem(unusable).contains("not a usable results server"),
                     unusable);
    }
};

// The downloader on its own: resume, refusal and the progress it reports.
class TestKestDownload : public QObject {
    Q_OBJECT

    struct Completion {
        bool done = false;
        bool stream = false;
        QByteArray data;
        qint32 result = 1;
        int responseCode = 0;
    };

    static Completion fetch(TKestDownload& download, const QString& url, const QString& file)
    {
        Completion completion;
        download.OnComplete = [&](TBSCB* sender, QIODevice* stream, qint32 result) {
            completion = {true, stream != nullptr, stream ? stream->readAll() : QByteArray(),
                          result, sender->ResponseCode()};
        };
        download.Download(url, file);
        [&] { QTRY_VERIFY_WITH_TIMEOUT(completion.done, 10000); }();
        return completion;
    }

private slots:
    void resumesWith206AndRestartsOtherwise()
    {
        QTemporaryDir dir;
        TestHttpServer server;
        const QByteArray whole(10000, 'x');
        server.route("/f", {.body = whole, .ranges = true});
        server.route("/g", {.body = whole});
        const QString file = dir.filePath("part");
        for (const QByteArray path : {"/f", "/g"}) {
            QFile part(file);
            part.open(QIODevice::WriteOnly | QIODevice::Truncate);
            part.write(whole.left(4000));
            part.close();
            TKestDownload download;
            quint64 firstProgress = 0;
            download.OnProgress = [&](TBSCB*, quint64 done, quint64, quint32 status, const QString&,
                                      const QString&, const QString& speed, const QString&) {
                if (status == BindStatus::DownloadingData && !firstProgress) {
                    firstProgress = done;
                    QVERIFY(speed.endsWith(" kb/sec"));
                }
            };
            const Completion completion = fetch(download, server.url() + path, file);
            QCOMPARE(completion.result, 0);
            QCOMPARE(completion.data, whole);
            QVERIFY(server.requests().last().contains("Range: bytes=4000-"));
            if (path == "/f")
                QVERIFY(firstProgress > 4000); // the position in the whole file
        }
    }

    void resumeAnswerTwoSendsNothing()
    {
        QTemporaryDir dir;
        TestHttpServer server;
        QFile existing(dir.filePath("f"));
        existing.open(QIODevice::WriteOnly);
        existing.close();
        TKestDownload download;
        download.OnResume = [](TBSCB*, const QString&, quint32& action) {
            action = ResumeAction::Skip;
        };
        bool completed = false;
        download.OnComplete = [&](TBSCB*, QIODevice*, qint32) { completed = true; };
        download.Download(server.url() + "/f", existing.fileName());
        QTest::qWait(200);
        QVERIFY(!completed);
        QVERIFY(server.requests().isEmpty());
    }

    void clientErrorAndEmptyBodyHaveNoStream()
    {
        TestHttpServer server;
        server.route("/empty", {});
        TKestDownload download;
        Completion missing = fetch(download, server.url() + "/missing", {});
        QCOMPARE(missing.result, DownloadResult::Aborted);
        QCOMPARE(missing.responseCode, 404);
        QVERIFY(!missing.stream);
        Completion empty = fetch(download, server.url() + "/empty", {});
        QCOMPARE(empty.result, 0);
        QVERIFY(!empty.stream);
        // Into memory, with the server's error page as the data.
        server.route("/broken", {.status = 503, .body = "busy"});
        Completion broken = fetch(download, server.url() + "/broken", {});
        QCOMPARE(broken.result, 0);
        QCOMPARE(broken.data, "busy");
        QCOMPARE(broken.responseCode, 503);
        QCOMPARE(fetch(download, "ftp://127.0.0.1/f", {}).result, DownloadResult::InvalidUrl);
    }

    void textsOfCodes()
    {
        QCOMPARE(ResultText(DownloadResult::TimedOut), "The Internet connection has timed out.");
        QCOMPARE(ResultText(-5), "Error: -5");
        QCOMPARE(HttpStatusText(299), "Unknown Response");
        QCOMPARE(BindStatusText(99), "Bindstatus Unknown");
    }
};

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    int status = 0;
    TestResultsUpdate update;
    status |= QTest::qExec(&update, argc, argv);
    TestKestDownload download;
    status |= QTest::qExec(&download, argc, argv);
    return status;
}

#include "tst_resultsupdate.moc"
