#include "KernelFixture.h"
#include "Screenshots.h"
#include "TestEnvironment.h"
#include "core/kernel/Kernel.h"
#include "core/stats/Companions.h"
#include "gui/components/KestMessage.h"
#include "gui/stats/PairHeatMap.h"
#include "gui/stats/PairsWindow.h"
#include "gui/stats/SkipChart.h"
#include "gui/stats/StatisticsPages.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

class TestPairsWindow : public QObject {
    Q_OBJECT

private slots:
    void pagesShowTheDrawsThroughTheFilter()
    {
        KernelFixture f;
        f.add({1, 2, 3, 10, 20, 30}, 49);
        f.add({1, 2, 11, 21, 31, 41}, 49);
        f.add({5, 6, 7, 8, 40, 45}, 49);
        PairsWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        auto* pairs = window.findChild<QTableWidget*>("lvPairs");
        QCOMPARE(pairs->rowCount(), PairsWindow::TopRows);
        QCOMPARE(pairs->item(0, 0)->text(), QString("01 - 02"));
        QCOMPARE(pairs->item(0, 1)->text(), QString("2"));
        QCOMPARE(pairs->item(0, 3)->text(), QString("0"));
        // Sorting by count puts the rarest first, numerically rather than as text.
        pairs->sortItems(1, Qt::AscendingOrder);
        QCOMPARE(pairs->item(0, 1)->text(), QString("0"));
        QCOMPARE(window.findChild<QTableWidget*>("lvTriplets")->item(0, 0)->text(),
                 QString("01 - 02 - 03"));
        auto* map = window.findChild<PairHeatMap*>("PairMap");
        QCOMPARE(map->count(2, 1), 2);
        QCOMPARE(map->count(40, 45), 1);

        auto* runs = window.findChild<QTableWidget*>("lvRuns");
        QCOMPARE(runs->item(0, 1)->text(), QString("0")); // every draw holds a run
        QCOMPARE(runs->item(1, 1)->text(), QString("1"));
        QCOMPARE(runs->item(2, 1)->text(), QString("1"));
        QCOMPARE(runs->item(3, 1)->text(), QString("1"));
        QCOMPARE(runs->item(0, 3)->text(), QString("50.48 %"));

        // A click on a pair, answered yes, filters the draws holding both.
        QSignalSpy changed(&window, &PairsWindow::drawFilterChanged);
        TKestMessage::setNextAnswer(QMessageBox::Yes);
        QTest::mouseClick(map, Qt::LeftButton, {}, map->cellRect(1, 2).center());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(TKestMessage::answeredTexts().last(),
                 QString("Filter the draws holding both 01 and 02?"));
        QCOMPARE(f.kernel->ResultsTable.RecordCount(), 2);
        f.kernel->RecalculateAll();
        QCOMPARE(map->count(40, 45), 0);

        // A pair never drawn together is not offered; a "no" leaves the filter alone.
        window.offerPairFilter(40, 41);
        TKestMessage::setNextAnswer(QMessageBox::No);
        window.offerPairFilter(1, 3);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(f.kernel->ResultsTable.RecordCount(), 2);
    }

    void skipHistoryOpensFromTheNumberInformationMenu()
    {
        KernelFixture f;
        f.add({7, 8, 9, 10, 11, 12}, 49);
        f.add({1, 2, 3, 4, 5, 6}, 49);
        f.add({7, 20, 21, 22, 23, 24}, 49);
        f.kernel->RecalculateAll();
        StatisticsPages pages;
        pages.ShowStatistics(*f.kernel);
        pages.show();
        auto* numbers = pages.findChild<StatisticsListView*>("RankTable");
        pages.setCurrentWidget(numbers->parentWidget());
        QVERIFY(QTest::qWaitForWindowExposed(&pages));
        numbers->setCurrentIndex(numbers->model()->index(6, 0)); // 07
        QCOMPARE(numbers->rowAt(6).value(0), QString("07"));

        // The menu key opens the list's menu; its entry shows the chart of the selected number.
        QTimer::singleShot(0, this, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QCOMPARE(menu->actions().value(0)->text(), QString("Skip History\u2026"));
            menu->setActiveAction(menu->actions().value(0));
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(10, 10),
                              numbers->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(numbers, &key);
        auto* chart = pages.findChild<SkipChart*>();
        QTRY_VERIFY(chart->isVisible());
        QCOMPARE(chart->windowTitle(), QString("Skip History of 07"));
        QCOMPARE(
            chart->findChild<QLabel*>("lblSkipSummary")->text(),
            QString("Appearances: 2    Longest skip: 1    Average skip: 1.0    Current skip: 0"));
    }

    void screenshots()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        TestEnvironment env;
        TestData::installSample();
        TKernel kernel;
        PairsWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        saveScreenshot(&window, "pairs-and-triplets");
        auto* pages = window.findChild<QTabWidget*>("PageControl1");
        pages->setCurrentIndex(1);
        QTest::qWait(50);
        saveScreenshot(&window, "consecutive-numbers");

        // 07 was drawn in two of the three newest draws: skips 0 and 1, the current one 0.
        SkipChart skips;
        DrawList draws{DrawBalls("New", {7, 8, 9, 10, 11, 12}),
                       DrawBalls("Mid", {1, 2, 3, 4, 5, 6}),
                       DrawBalls("Old", {7, 20, 21, 22, 23, 24})};
        skips.showNumber(draws, 7);
        QCOMPARE(skips.windowTitle(), QString("Skip History of 07"));
        QCOMPARE(
            skips.findChild<QLabel*>("lblSkipSummary")->text(),
            QString("Appearances: 2    Longest skip: 1    Average skip: 1.0    Current skip: 0"));
        skips.showNumber(ReadDraws(kernel.ResultsTable), 7);
        QVERIFY(QTest::qWaitForWindowExposed(&skips));
        saveScreenshot(&skips, "skip-history");
    }
};

QTEST_MAIN(TestPairsWindow)
#include "tst_pairswindow.moc"
