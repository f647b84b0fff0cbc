#include "Screenshots.h"
#include "TestEnvironment.h"
#include "core/kernel/Installation.h"
#include "core/kernel/Kernel.h"
#include "gui/components/KestMessage.h"
#include "gui/components/KestPopup.h"
#include "gui/shell/Application.h"
#include "gui/shell/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QProcess>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void windowsAreCreatedOnceInTheirOrder()
    {
        TestEnvironment env;
        TestData::installSample();
        Application app;
        QCOMPARE(app.creationOrder(),
                 QStringList({"TfrmMain",   "TKernel",      "TfrmProcess",   "TfrmAbout",
                              "TfrmSearch", "TfrmInfo",     "TfrmAdd",       "TfrmGenerator",
                              "TfrmUpdate", "TfrmError",    "TfrmFavourite", "TfrmOverall",
                              "TfrmOpen",   "TfrmTemplate", "TfrmCheck",     "TfrmView",
                              "TfrmConfig", "TfrmZoom",     "TfrmPairs",     "TfrmFairness",
                              "TfrmHelp"}));
        for (const QString& name : app.creationOrder().mid(2))
            QVERIFY2(!app.main().findChild<QWidget*>(name)->isVisible(), qPrintable(name));
    }

    void mainWindowShowsTheDrawsOfTheCurrentGame()
    {
        TestEnvironment env;
        TestData::installSample();
        Application app;
        MainWindow& main = app.main();
        QSignalSpy ready(&main, &MainWindow::ready);
        main.showMaximized();
        QVERIFY(ready.count() == 1 || ready.wait());
        QCOMPARE(main.windowTitle(), QString("Drawsage - South African Edition"));
        QVERIFY(main.isMaximized());

        auto* grid = main.findChild<QTableView*>("LottoGrid");
        QVERIFY(grid);
        QCOMPARE(grid->model()->rowCount(), app.kernel().ResultsTable.RecordCount());
        QStringList titles;
        for (int column = 0; column < grid->model()->columnCount(); ++column)
            titles << grid->model()->headerData(column, Qt::Horizontal).toString();
        QCOMPARE(titles, QStringList({"Draw Date", "Draw Machine", "Ballset", "Ball 1", "Ball 2",
                                      "Ball 3", "Ball4 ", "Ball 5", "Ball 6", "Bonus Ball"}));
        // The newest draw comes first; moving in the grid moves the results table.
        TKestTable& results = app.kernel().ResultsTable;
        QCOMPARE(grid->model()->index(0, 0).data().toString(), QString(" 05 December 2026"));
        grid->setCurrentIndex(grid->model()->index(3, 0));
        QCOMPARE(results.RecNo(), 4);
        QCOMPARE(results.AsString("DRAWDATE"), grid->model()->index(3, 0).data().toString());

        // A draw written elsewhere appears in the grid.
        const int before = grid->model()->rowCount();
        results.Append();
        results.SetField("DRAWDATE", " 09 December 2026");
        results.Post();
        QCOMPARE(grid->model()->rowCount(), before + 1);
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        saveScreenshot(&main, "main-window");
    }

    void noticesOfTheKernelReachThePopup()
    {
        TestEnvironment env;
        // Settings that cannot be opened: the kernel's creation reports it.
        QDir().mkpath(env.configFile());
        TKestMessage::setNextAnswer(QMessageBox::Ok); // the tables cannot be opened either
        Application app;
        QTRY_COMPARE(app.popup().lastText(),
                     QString("Unable to find required registry information."));
        app.kernel().ShowNotice("Second notice");
        QCOMPARE(app.popup().lastText(), QString("Second notice"));
        QCOMPARE(app.popup().openCount(), 1);
        QCOMPARE(TKestMessage::answeredTexts().size(), 1);
    }

    void aDataFolderWithoutTablesIsReportedAndTheWindowStillWorks()
    {
        TestEnvironment env;
        TestData::installSample();
        TKestSettings().write("DataDir", env.path("empty"));
        QDir().mkpath(env.path("empty"));
        TKestMessage::clearAnswered();
        TKestMessage::setNextAnswer(QMessageBox::Ok);
        Application app;
        MainWindow& main = app.main();
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QTRY_COMPARE(TKestMessage::answeredTexts().size(), 1);
        QVERIFY(TKestMessage::answeredTexts().first().contains("NL00A1.DB"));
        QCOMPARE(main.findChild<QTableView*>("LottoGrid")->model()->rowCount(), 0);
        QCOMPARE(app.kernel().Stats.RecordCount, 0);
        main.findChild<QAction*>("btnExecute")->trigger(); // nothing to filter: no crash, no filter
        QVERIFY(!app.kernel().ResultsTable.filtered());
    }

    void aMarqueeSettingThatIsNotANumberIsReportedAndTheStartGoesOn()
    {
        TestEnvironment env;
        TestData::installSample();
        TKestSettings().write("Marquee", "fast");
        TKestMessage::clearAnswered();
        TKestMessage::setNextAnswer(QMessageBox::Ok);
        Application app;
        MainWindow& main = app.main();
        QSignalSpy ready(&main, &MainWindow::ready);
        main.show();
        QVERIFY(ready.count() == 1 || ready.wait());
        QCOMPARE(TKestMessage::answeredTexts(), QStringList("Setting 'Marquee' is not a number"));
        QCOMPARE(app.kernel().ScrollTimer.interval(), 200);
        QVERIFY(app.kernel().Stats.RecordCount > 0);
        main.findChild<QAction*>("TBItem7")->trigger();
        QVERIFY(main.findChild<QWidget*>("TfrmAbout")->isVisible());
    }

    void programStartsOnTheOffscreenPlatform()
    {
        TestEnvironment env;
        QProcess drawsage;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        drawsage.setProcessEnvironment(environment);
        drawsage.start(DRAWSAGE_APP, {});
        QVERIFY(drawsage.waitForStarted());
        // It installs itself and keeps running until it is closed.
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(Installation::defaultRoot() + "/Data/NL00A1.DB"),
                                 20000);
        QVERIFY(!drawsage.waitForFinished(1000));
        drawsage.terminate();
        QVERIFY(drawsage.waitForFinished(10000));

        // Started again with a speed that is not a number: the error box waits for the user
        // and the program keeps running.
        TKestSettings().write("Marquee", "fast");
        drawsage.start(DRAWSAGE_APP, {});
        QVERIFY(drawsage.waitForStarted());
        QVERIFY(!drawsage.waitForFinished(5000));
        drawsage.terminate();
        QVERIFY(drawsage.waitForFinished(10000));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
