#include "GuiTest.h"
#include "Screenshots.h"
#include "TestHttpServer.h"
#include "core/kernel/Kernel.h"
#include "core/update/ResultsUpdate.h"
#include "gui/components/KestMessage.h"
#include "gui/shell/MainWindow.h"
#include "gui/update/UpdateErrorList.h"
#include "gui/update/UpdateWizard.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

// The wizard walked through a successful update and a failed one, against a local server.
class TestUpdateWizard : public GuiTest {
    Q_OBJECT

    std::unique_ptr<TestHttpServer> m_server;
    UpdateWizard* m_wizard = nullptr;

    QPushButton* button(const char* name) { return control<QPushButton>(name, m_wizard); }

    void openAt(const QString& server)
    {
        kernel().Settings.write(ResultsUpdate::ServerSetting, server);
        m_wizard = mainWindow().findChild<UpdateWizard*>();
        m_wizard->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_wizard));
        QCOMPARE(m_wizard->page(), UpdateWizard::Step0);
        saveScreenshot(m_wizard, "update_step0");
        button("btnNext")->click();
        QCOMPARE(m_wizard->page(), UpdateWizard::Step1);
        saveScreenshot(m_wizard, "update_step1");
    }

private slots:
    void init()
    {
        startApplication();
        m_server = std::make_unique<TestHttpServer>();
        const QString path = env().path("r.csv");
        TestData::writeSyntheticResults(path, 25);
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QByteArray results = file.readAll();
        m_server->route("/lotto/clientfiles/lotto/lottoresults.csv", {.body = results});
        m_server->route("/lotto/clientfiles/lotto/lottoplusresults.csv",
                        {.status = 500, .body = "down"});
    }

    void cleanup()
    {
        m_server.reset();
        stop();
    }

    void updatesTheGoodGameAndKeepsTheOther()
    {
        const int plusBefore = [&] {
            TKestTable plus;
            plus.setDatabasePath(kernel().GetDataDir());
            plus.setTableName(Tables::LottoPlus);
            plus.Open();
            return plus.RecordCount();
        }();
        openAt(m_server->url());
        QTRY_VERIFY(button("btnNext")->isEnabled());
        QCOMPARE(control<QLabel>("Label4", m_wizard)->text(), "Download completed.");
        QCOMPARE(control<QLabel>("Label8", m_wizard)->text(),
                 "Download failed: Internal Server Error");
        saveScreenshot(m_wizard, "update_step1_ended");
        QVERIFY(
            mainWindow().findChild<UpdateErrorList*>()->text().contains("Internal Server Error"));
        button("btnNext")->click();
        QCOMPARE(m_wizard->page(), UpdateWizard::Step2);
        const QString memo = control<QPlainTextEdit>("Memo1", m_wizard)->toPlainText();
        QVERIFY(memo.contains("The National Lotto Plus Database was kept as it was: Internal "
                              "Server Error"));
        QCOMPARE(button("btnClose")->text(), "&Finnish");
        saveScreenshot(m_wizard, "update_step2");
        button("btnClose")->click();
        QVERIFY(!m_wizard->isVisible());
        QCOMPARE(kernel().ResultsTable.RecordCount(), 25);
        QCOMPARE(kernel().Stats.RecordCount, 25);
        TKestTable plus;
        plus.setDatabasePath(kernel().GetDataDir());
        plus.setTableName(Tables::LottoPlus);
        plus.Open();
        QCOMPARE(plus.RecordCount(), plusBefore);

        // Every opening starts again at the welcome page.
        m_wizard->show();
        QCOMPARE(m_wizard->page(), UpdateWizard::Step0);
        QCOMPARE(control<QLabel>("Label4", m_wizard)->text(), "Waiting for connection...");
        m_wizard->close();
    }

    void unusableServerIsNamedBeforeAnyDownload()
    {
        kernel().Settings.write(ResultsUpdate::ServerSetting, "127.0.0.1:8049");
        m_wizard = mainWindow().findChild<UpdateWizard*>();
        m_wizard->show();
        TKestMessage::clearAnswered();
        TKestMessage::setNextAnswer(QMessageBox::Ok);
        button("btnNext")->click();
        QCOMPARE(m_wizard->page(), UpdateWizard::Step0);
        QVERIFY(TKestMessage::answeredTexts().value(0).contains(
            "\"127.0.0.1:8049\" is not a usable results server"));
        QVERIFY(m_server->requests().isEmpty());
        m_wizard->close();
    }

    void unreachableServerLeadsToFailurePage()
    {
        const int before = kernel().ResultsTable.RecordCount();
        openAt(TestHttpServer::refusingUrl());
        QTRY_COMPARE(m_wizard->page(), UpdateWizard::Step3);
        QVERIFY(!button("btnNext")->isEnabled());
        QCOMPARE(button("btnClose")->text(), "Finnish");
        QVERIFY(button("Button1")->isEnabled());
        saveScreenshot(m_wizard, "update_step3");
        button("Button1")->click();
        auto* list = mainWindow().findChild<UpdateErrorList*>();
        QVERIFY(list->isVisible());
        QVERIFY(list->text().contains("The attempt to connect to the Internet has failed."));
        saveScreenshot(list, "update_errors");
        list->close();
        button("btnClose")->click();
        QCOMPARE(kernel().ResultsTable.RecordCount(), before);
    }
};

QTEST_MAIN(TestUpdateWizard)
#include "tst_updatewizard.moc"
