#include "GuiTest.h"
#include "Screenshots.h"
#include "core/kernel/Kernel.h"
#include "gui/components/FrequencyChart.h"
#include "gui/components/KestGradInfo.h"
#include "gui/components/ProgressWindow.h"
#include "gui/stats/FrequencyHistoryWindow.h"

#include <QLabel>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest>

namespace {

// The window and the progress window as siblings under a main window, over a kernel of the
// sample database the test installs.
class Fixture {
public:
    Fixture()
    {
        kernel = std::make_unique<TKernel>();
        kernel->RecalculateAll();
        process = new ProgressWindow(&main);
        overall = new FrequencyHistoryWindow(&main);
        QObject::connect(progressBar(), &QProgressBar::valueChanged, [this] { ++progressSteps; });
    }

    QProgressBar* progressBar() { return GuiTest::control<QProgressBar>("ProgressBar1", process); }

    std::unique_ptr<TKernel> kernel;
    QWidget main;
    ProgressWindow* process = nullptr;
    FrequencyHistoryWindow* overall = nullptr;
    int progressSteps = 0;
};

} // namespace

class TestOverall : public GuiTest {
    Q_OBJECT

private slots:
    void init() { installSample(); }
    void cleanup() { stop(); }

    void windowHasItsCaptionPageAndButton()
    {
        Fixture f;
        QCOMPARE(f.overall->windowTitle(), QString("Drawsage"));
        auto* banner = f.overall->findChild<TKestGradInfo*>();
        QCOMPARE(banner->title(), QString("Frequency Anylizer"));
        QCOMPARE(banner->description(), QString("This feature will anylize the number "
                                                "frequencies and desplay detailed information"));
        auto* pages = f.overall->findChild<QTabWidget*>();
        QCOMPARE(pages->count(), 1);
        QCOMPARE(pages->tabText(0), QString("Frequency History"));
        QCOMPARE(control<QPushButton>("btnClose", f.overall)->text(), QString("&Close"));
        QVERIFY(f.overall->windowFlags() & Qt::WindowStaysOnTopHint);
    }

    void showingRebuildsAStaleHistoryOnce()
    {
        Fixture f;
        const int draws = f.kernel->ResultsTable.RecordCount();
        QVERIFY(f.kernel->HistoryStale);
        f.overall->show();
        QVERIFY(!f.kernel->HistoryStale);
        QVERIFY(!f.process->isVisible());
        QVERIFY(f.main.isEnabled());
        QCOMPARE(control<QLabel>("Label1", f.process)->text(),
                 QString("Processing Record %1 of %1...").arg(draws));
        QCOMPARE(f.progressBar()->maximum(), draws);

        auto* dates = f.overall->findChild<QListView*>();
        QCOMPARE(dates->model()->rowCount(), draws);
        // The oldest draw first; the newest is selected and charted, and its running counts
        // are the number frequencies.
        f.kernel->ResultsTable.Last();
        QCOMPARE(dates->model()->index(0, 0).data().toString(),
                 f.kernel->ResultsTable.AsString("DRAWDATE"));
        QCOMPARE(dates->currentIndex().row(), draws - 1);
        auto* chart = f.overall->findChild<FrequencyChart*>();
        const auto bars = chart->bars();
        QCOMPARE(int(bars.size()), 49);
        QCOMPARE(bars.front().label, QString("01"));
        QCOMPARE(bars.back().label, QString("49"));
        for (int n = 1; n <= 49; ++n)
            QCOMPARE(bars[n - 1].value, qreal(f.kernel->Stats.Numbers[n].count));

        // Selecting the first draw charts its six numbers, one count each.
        dates->setCurrentIndex(dates->model()->index(0, 0));
        qreal total = 0;
        for (const auto& bar : chart->bars())
            total += bar.value;
        QCOMPARE(total, 6.0);

        // Shown again without a change of data: no second pass.
        f.overall->hide();
        const int steps = f.progressSteps;
        f.overall->show();
        QCOMPARE(f.progressSteps, steps);

        // A rebuild of the statistics makes it stale again.
        f.overall->hide();
        f.kernel->RecalculateAll();
        f.overall->show();
        QVERIFY(f.progressSteps > steps);
        QVERIFY(!f.kernel->HistoryStale);
        QVERIFY(QTest::qWaitForWindowExposed(f.overall));
        saveScreenshot(f.overall, "frequency-history");
    }

    void opensShowingTheWholeChartAndResizesWithIt()
    {
        Fixture f;
        f.overall->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.overall));
        auto* chart = f.overall->findChild<FrequencyChart*>();
        QVERIFY(f.overall->width() >= f.overall->minimumSizeHint().width());
        QVERIFY(f.overall->height() >= f.overall->minimumSizeHint().height());
        QVERIFY(chart->width() >= chart->minimumWidth());
        QVERIFY(f.overall->rect().contains(
            QRect(chart->mapTo(f.overall, QPoint(0, 0)), chart->size())));
        const QSize before = chart->size();
        f.overall->resize(f.overall->size() + QSize(200, 100));
        QCoreApplication::processEvents();
        QCOMPARE(chart->size(), before + QSize(200, 100));
    }

    void aFailedPassIsReportedAndTriedAgain()
    {
        Fixture f;
        f.kernel->HistoryTable.Close();
        QSignalSpy notices(f.kernel.get(), &TKernel::noticeRequested);
        f.overall->show();
        QCOMPARE(notices.count(), 1);
        QCOMPARE(notices.at(0).at(0).toString(),
                 QString("Unable to process the requested information"));
        QVERIFY(f.kernel->HistoryStale);
        QVERIFY(!f.process->isVisible());
        QVERIFY(f.main.isEnabled());
        QCOMPARE(f.overall->findChild<QListView*>()->model()->rowCount(), 0);

        f.overall->hide();
        f.kernel->HistoryTable.Open();
        f.overall->show();
        QVERIFY(!f.kernel->HistoryStale);
        QCOMPARE(f.overall->findChild<QListView*>()->model()->rowCount(),
                 f.kernel->ResultsTable.RecordCount());
    }
};

QTEST_MAIN(TestOverall)
#include "tst_overall.moc"
