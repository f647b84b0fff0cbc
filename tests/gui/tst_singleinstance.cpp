#include "TestEnvironment.h"
#include "gui/shell/KestInstance.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocalSocket>
#include <QProcess>
#include <QVBoxLayout>
#include <QtTest>

namespace {
constexpr int startTimeOut = 120000; // a loaded build machine starts slowly

// Starts the desktop program over the test's private home, headless, answering its boxes on
// standard error.
std::unique_ptr<QProcess> startDrawsage(const QStringList& extraEnvironment = {})
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("DRAWSAGE_UNATTENDED", "1");
    for (const QString& setting : extraEnvironment)
        environment.insert(setting.section('=', 0, 0), setting.section('=', 1));
    process->setProcessEnvironment(environment);
    process->start(DRAWSAGE_APP, {});
    return process;
}

// Asks a running copy to come to the front, as a second start does; true when it answered.
bool askToRaise(const QString& server)
{
    QLocalSocket socket;
    socket.connectToServer(server);
    if (!socket.waitForConnected(1000))
        return false;
    socket.write("raise\n");
    socket.waitForBytesWritten(1000);
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(startTimeOut))
            return false;
    return socket.readLine() == "raised\n";
}
} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT

private slots:
    void aSecondStartEndsAndRaisesTheFirst()
    {
        TestEnvironment env;
        TestData::installSample();
        const QString runtime = env.path("xdg/runtime/");
        const QString name = QFileInfo(DRAWSAGE_APP).fileName();

        std::unique_ptr<QProcess> first = startDrawsage();
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(runtime + name + ".socket"), startTimeOut);
        QVERIFY(askToRaise(runtime + name + ".socket")); // it runs its event loop now

        std::unique_ptr<QProcess> second = startDrawsage();
        QVERIFY(second->waitForFinished(startTimeOut));
        QCOMPARE(second->exitCode(), 0);
        const QString said = QString::fromLocal8Bit(second->readAllStandardError());
        QVERIFY2(said.contains("Drawsage: Drawsage is already running"), qPrintable(said));
        QVERIFY2(!said.contains("did not answer"), qPrintable(said));
        QCOMPARE(first->state(), QProcess::Running);

        // A copy killed outright leaves its lock behind; the next start takes it over.
        first->kill();
        QVERIFY(first->waitForFinished());
        QVERIFY(QFileInfo::exists(runtime + name + ".lock"));
        std::unique_ptr<QProcess> next = startDrawsage({"DRAWSAGE_STARTUP_TIMING=1"});
        QVERIFY(next->waitForFinished(startTimeOut));
        QCOMPARE(next->exitCode(), 0);
        QVERIFY(QString::fromLocal8Bit(next->readAllStandardOutput()).contains("ready after"));
    }

    void raisingRestoresTheWindowAndItsLastDialog()
    {
        TestEnvironment env;
        TKestInstance instance;
        QVERIFY(instance.isFirst());
        QVERIFY(!TKestInstance(nullptr).isFirst()); // the same program again

        QWidget main;
        instance.setMainWindow(&main);
        main.show();
        QDialog dialog(&main);
        auto* field = new QLineEdit(&dialog);
        (new QVBoxLayout(&dialog))->addWidget(field);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        field->setFocus();
        main.showMinimized();
        dialog.showMinimized();

        emit instance.raiseRequested();
        QVERIFY(!main.isMinimized());
        QVERIFY(!dialog.isMinimized());
        QVERIFY(dialog.isVisible());
    }
};

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
