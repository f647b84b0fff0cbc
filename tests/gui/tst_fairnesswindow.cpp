#include "Screenshots.h"
#include "TestEnvironment.h"
#include "core/kernel/Kernel.h"
#include "gui/generator/GeneratorWindow.h"
#include "gui/shell/Application.h"
#include "gui/shell/MainWindow.h"
#include "gui/stats/FairnessWindow.h"
#include "gui/stats/StatisticsPages.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

// The fairness window, the charts' expected line and hot/cold colours, and the Custom page's
// true guarantee, on the sample database.
class TestFairnessWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<Application> m_app;

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        m_env = std::make_unique<TestEnvironment>();
        TestData::installSample();
        m_app = std::make_unique<Application>();
        m_app->main().show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_app->main()));
    }

    void cleanup()
    {
        m_app.reset();
        m_env.reset();
    }

    void toolsMenuOpensTheTestsWithAVerdict()
    {
        MainWindow& main = m_app->main();
        auto* open = main.findChild<QAction*>("actFairness");
        QVERIFY(open);
        QVERIFY(
            main.findChild<QMenuBar*>("tbMenu")->actions().at(2)->menu()->actions().contains(open));
        open->trigger();
        auto* window = main.findChild<FairnessWindow*>("TfrmFairness");
        QVERIFY(QTest::qWaitForWindowExposed(window));

        auto* tests = window->findChild<QTableWidget*>("lvTests");
        QCOMPARE(tests->rowCount(), 8);
        QCOMPARE(tests->item(0, 0)->text(), QString("Main balls"));
        QCOMPARE(tests->item(0, 2)->text(), QString("48"));
        auto* verdict = window->findChild<QLabel*>("lblVerdict");
        QVERIFY(verdict->text().contains("(p = "));
        QCOMPARE(window->findChild<QTableWidget*>("lvNumbers")->rowCount(), 49);

        tests->setCurrentCell(1, 0); // the bonus ball
        QVERIFY(verdict->text().contains("(p = "));
        QTest::qWait(50); // the chart's scene repaints on the next pass of the event loop
        saveScreenshot(window, "fairness-window");
    }

    void chartsDrawTheExpectedLineAndExplainEachBar()
    {
        MainWindow& main = m_app->main();
        auto* chart = main.findChild<StatisticsPages*>()->findChild<FrequencyChart*>("Graph");
        QVERIFY(chart);
        const TStatistics& stats = m_app->kernel().Stats;
        QCOMPARE(chart->expected(), stats.RecordCount * 6.0 / 49);
        auto* bonus = main.findChild<StatisticsPages*>()->findChild<FrequencyChart*>("DBChart1");
        QCOMPARE(bonus->expected(), stats.RecordCount / 49.0);
        int hot = 0;
        int cold = 0;
        for (const FrequencyChart::Bar& bar : chart->bars()) {
            hot += bar.mark == FrequencyChart::Mark::Hot;
            cold += bar.mark == FrequencyChart::Mark::Cold;
        }
        QCOMPARE(hot, 6);
        QCOMPARE(cold, 6);
        const int top = stats.Numbers[1].rankedNumber;
        QVERIFY(chart->barToolTip(top - 1).startsWith(QString::asprintf("Number %.2d\n", top)));
        QVERIFY(chart->barToolTip(top - 1).contains("Last seen: "));
        main.resize(1000, 700);
        saveScreenshot(&main, "main-window-frequency-chart");
    }

    void customPageLoadsAnUpperCaseTemplateAndShowsItsTrueGuarantee()
    {
        const QString folder = m_app->kernel().GetTemplatesDir();
        QFile file(folder + "/Wheel8-3if4.TPL");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("8\r\n2\r\n3\r\n010203040506\r\n030405060708\r\n");
        file.close();

        auto* generator = m_app->main().findChild<GeneratorWindow*>();
        generator->show();
        QVERIFY(QTest::qWaitForWindowExposed(generator));
        generator->findChild<QTabWidget*>("PageControl1")->setCurrentIndex(1);
        auto* list = generator->findChild<QComboBox*>("TempList");
        QStringList names;
        for (int i = 0; i < list->count(); ++i)
            names << list->itemText(i);
        QStringList sorted = names;
        sorted.sort(Qt::CaseInsensitive);
        QCOMPARE(names, sorted);
        list->setCurrentIndex(int(names.indexOf("Wheel8-3if4")));
        QCOMPARE(generator->findChild<QLabel*>("Label14")->text(), QString(": 0 of 8"));
        QCOMPARE(generator->findChild<QLabel*>("lblCoverage")->text(),
                 QString(": 1 if 2, 2 if 3, 2 if 4, 3 if 5, 4 if 6"));
        auto* warning = generator->findChild<QLabel*>("lblOverClaim");
        QVERIFY(warning->isVisible());
        QCOMPARE(warning->text(),
                 QString("The name claims 3 if 4, but the rows only reach 2 if 4."));
        saveScreenshot(generator, "generator-custom-coverage");
    }
};

QTEST_MAIN(TestFairnessWindow)
#include "tst_fairnesswindow.moc"
