#include "GuiTest.h"
#include "Screenshots.h"
#include "core/kernel/Kernel.h"
#include "core/stats/CombinationFrequencies.h"
#include "core/stats/DrawInformation.h"
#include "core/stats/NumberInformation.h"
#include "core/stats/OverallReport.h"
#include "gui/components/KestPictures.h"
#include "gui/components/SortColumnProxy.h"
#include "gui/stats/StatisticsPages.h"

#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QStackedLayout>
#include <QtTest>

namespace {

// The pages over a kernel of the sample database the test installs, rebuilt and filled as the
// main window fills them.
class Fixture {
public:
    Fixture()
    {
        kernel = std::make_unique<TKernel>();
        pages.resize(1024, 700);
        refresh();
    }

    void refresh()
    {
        kernel->RecalculateAll();
        pages.ShowStatistics(*kernel);
        pages.RedrawCharts(*kernel);
        pages.RefreshDrawInformation(*kernel);
    }

    template <class T> T* find(const QString& name) { return GuiTest::control<T>(name, &pages); }

    std::unique_ptr<TKernel> kernel;
    StatisticsPages pages;
};

std::vector<QStringList> shownRows(StatisticsListView* list)
{
    std::vector<QStringList> rows;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        rows.push_back(list->rowAt(row));
    return rows;
}

QStringList columnTexts(QAbstractItemView* list, int column)
{
    QStringList texts;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        texts << list->model()->index(row, column).data().toString();
    return texts;
}

void clickHeader(QTableView* list, int column)
{
    QHeaderView* header = list->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

QStringList sorted(QStringList texts, Qt::SortOrder order)
{
    std::sort(texts.begin(), texts.end());
    if (order == Qt::DescendingOrder)
        std::reverse(texts.begin(), texts.end());
    return texts;
}

} // namespace

class TestStatisticsPages : public GuiTest {
    Q_OBJECT

private slots:
    void init() { installSample(); }
    void cleanup() { stop(); }

    void pagesComeInTheirOrderWithTheirControls()
    {
        Fixture f;
        QCOMPARE(f.pages.objectName(), QString("PageControl1"));
        QStringList names, captions;
        for (int i = 0; i < f.pages.count(); ++i) {
            names << f.pages.widget(i)->objectName();
            captions << f.pages.tabText(i);
        }
        QCOMPARE(names, QStringList({"TabSheet1", "TabSheet2", "TabSheet4", "TabSheet5",
                                     "TabSheet9", "TabSheet3"}));
        QCOMPARE(captions,
                 QStringList({"Number Frequencies", "Bonus Frequencies", "Combination Frequencies",
                              "Number Information", "Draw Information", "Overall Information"}));
        QCOMPARE(f.find<QWidget>("TabSheet1")->toolTip(),
                 QString("This page will display a chart based on the number frequencies."));
        QCOMPARE(f.find<QWidget>("Graph")->toolTip(),
                 QString("This graph displays the number of appearences (excluding bonus counts)"));
        QCOMPARE(f.find<QWidget>("DBChart1")->toolTip(),
                 QString("This graph displays the number of appearences as a bonus ball"));
        QCOMPARE(f.find<QWidget>("CombTable")->toolTip(), CombinationHint);
        QCOMPARE(f.find<QWidget>("BallStat")->toolTip(),
                 QString("Double click to view draws, or right click for menu"));
        QVERIFY(f.find<QTableView>("Report")->horizontalHeader()->isHidden());
        QCOMPARE(f.find<QMenu>("GraphMenu")->actions().value(0)->text(), QString("Show Magnifier"));
    }

    void listsShowTheEngineRows()
    {
        Fixture f;
        const TStatistics& stats = f.kernel->Stats;
        QVERIFY(stats.RecordCount > 100);
        QCOMPARE(shownRows(f.find<StatisticsListView>("CombTable")), CombinationRows(stats));
        QCOMPARE(shownRows(f.find<StatisticsListView>("RankTable")),
                 NumberInformationRows(stats, false));
        QCOMPARE(shownRows(f.find<StatisticsListView>("Report")), OverallReportRows(stats));
        QCOMPARE(shownRows(f.find<StatisticsListView>("BallStat")), DrawInformation(stats, 0).rows);
    }

    void chartsShowTheFrequencyTables()
    {
        Fixture f;
        const TStatistics& stats = f.kernel->Stats;
        const auto number = f.find<FrequencyChart>("Graph")->bars();
        const auto bonus = f.find<FrequencyChart>("DBChart1")->bars();
        QCOMPARE(int(number.size()), 49);
        QCOMPARE(int(bonus.size()), 49);
        for (int n = 1; n <= 49; ++n) {
            QCOMPARE(number[n - 1].label, QString::number(n));
            QCOMPARE(number[n - 1].value, qreal(stats.Numbers[n].count));
            QCOMPARE(bonus[n - 1].value, qreal(stats.BonusCount[n]));
        }
        QVERIFY(f.find<FrequencyChart>("Graph")->chart()->legend()->isVisible() == false);

        QSignalSpy magnifier(&f.pages, &StatisticsPages::magnifierRequested);
        trigger("TBItem33", &f.pages);
        QCOMPARE(magnifier.count(), 1);
    }

    void headerClicksFlipEachColumnsOwnDirection()
    {
        Fixture f;
        auto* ranks = f.find<StatisticsListView>("RankTable");
        f.pages.setCurrentWidget(f.find<QWidget>("TabSheet5"));
        f.pages.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.pages));
        const QStringList appearances = columnTexts(ranks, 2);

        clickHeader(ranks, 2);
        QCOMPARE(columnTexts(ranks, 2), sorted(appearances, Qt::AscendingOrder));
        clickHeader(ranks, 2);
        QCOMPARE(columnTexts(ranks, 2), sorted(appearances, Qt::DescendingOrder));
        // Rank has its own toggle, still at its first click.
        clickHeader(ranks, 1);
        QCOMPARE(columnTexts(ranks, 1), sorted(columnTexts(ranks, 1), Qt::AscendingOrder));
        QCOMPARE(ranks->horizontalHeader()->sortIndicatorSection(), 1);
        // A sorted row keeps its colours: they follow the row's texts.
        for (int row = 0; row < 49; ++row) {
            const QString status = ranks->model()->index(row, 7).data().toString();
            const QVariant colour = ranks->model()->index(row, 7).data(Qt::ForegroundRole);
            if (status == "Due")
                QCOMPARE(colour.value<QColor>(), QColor(0, 128, 0));
            else if (status == "Overdue")
                QCOMPARE(colour.value<QColor>(), QColor(Qt::red));
            else
                QCOMPARE(colour.value<QColor>(), QColor(Qt::black));
        }

        // A refill shows the rows in number order again.
        f.pages.ShowStatistics(*f.kernel);
        QCOMPARE(shownRows(ranks), NumberInformationRows(f.kernel->Stats, false));
        QCOMPARE(ranks->horizontalHeader()->sortIndicatorSection(), -1);
    }

    // The combination list writes its rows out only when read: sorting, a refill and the
    // fixed rows of another list still see them all.
    void combinationListSortsTheRowsItWritesWhenRead()
    {
        Fixture f;
        auto* combinations = f.find<StatisticsListView>("CombTable");
        f.pages.setCurrentWidget(f.find<QWidget>("TabSheet4"));
        f.pages.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.pages));
        const QStringList sums = columnTexts(combinations, 2);
        QVERIFY(sums.size() > 1);
        clickHeader(combinations, 2);
        QCOMPARE(columnTexts(combinations, 2), sorted(sums, Qt::AscendingOrder));

        f.pages.ShowStatistics(*f.kernel);
        QCOMPARE(shownRows(combinations), CombinationRows(f.kernel->Stats));
        combinations->setRows({{"Stored"}});
        QCOMPARE(shownRows(combinations), (std::vector<QStringList>{{"Stored"}}));
    }

    void sortingComparesTextsWithoutRegardToCase()
    {
        TextRowsModel rows({"Text"});
        rows.setRows({{"beta"}, {"Alpha"}, {"gamma"}, {"ALPHA"}, {"Beta"}});
        SortColumnProxy proxy;
        proxy.setSourceModel(&rows);
        QCOMPARE(proxy.SortColumnClick(0), Qt::AscendingOrder);
        QStringList texts;
        for (int row = 0; row < proxy.rowCount(); ++row)
            texts << proxy.index(row, 0).data().toString().toLower();
        QCOMPARE(texts, QStringList({"alpha", "alpha", "beta", "beta", "gamma"}));
        QCOMPARE(proxy.SortColumnClick(0), Qt::DescendingOrder);
        QCOMPARE(proxy.index(0, 0).data().toString(), QString("gamma"));
        proxy.showSourceOrder();
        QCOMPARE(proxy.index(0, 0).data().toString(), QString("beta"));
    }

    void combinationListDrawsItsOwnRowsInFixedColumns()
    {
        Fixture f;
        auto* combinations = f.find<StatisticsListView>("CombTable");
        QHeaderView* header = combinations->horizontalHeader();
        for (int column = 0; column < 4; ++column)
            QCOMPARE(header->sectionResizeMode(column), QHeaderView::Fixed);
        QCOMPARE(header->sectionSize(0), 170);
        QCOMPARE(header->sectionSize(1), 150);
        QCOMPARE(header->sectionSize(2), 120);
        QVERIFY(qobject_cast<CombinationDelegate*>(combinations->itemDelegate()));

        // The rating column shows the picture of the row's rating, 5 pixels in, not its text.
        f.pages.setCurrentWidget(f.find<QWidget>("TabSheet4"));
        f.pages.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.pages));
        const QModelIndex rating = combinations->model()->index(0, 3);
        const QRect cell = combinations->visualRect(rating);
        const QSize size = CombinationDelegate::RatingPictureSize;
        const QRect picture(
            QPoint(cell.left() + 5, cell.top() + (cell.height() - size.height()) / 2), size);
        const QImage shown = combinations->viewport()->grab(picture).toImage();
        const int stars = 5 - RatingPicture(rating.data().toString());
        QCOMPARE(shown.convertToFormat(QImage::Format_RGB32),
                 ratingPicture(stars, size).toImage().convertToFormat(QImage::Format_RGB32));

        // Empty, the list gives way to the waiting text behind it.
        auto* calculating = f.find<QLabel>("lblCalculating");
        auto* stack = qobject_cast<QStackedLayout*>(f.find<QWidget>("TabSheet4")->layout());
        QCOMPARE(stack->currentWidget(), combinations);
        QCOMPARE(calculating->text(), CalculatingText);
        StatisticsPages fresh;
        QCOMPARE(qobject_cast<QStackedLayout*>(fresh.findChild<QWidget*>("TabSheet4")->layout())
                     ->currentWidget(),
                 fresh.findChild<QLabel*>("lblCalculating"));
    }

    void filteredNumberInformationHasNeitherStatusNorColour()
    {
        Fixture f;
        f.kernel->ResultsTable.setFilter("[BALL1]='01'");
        f.kernel->ResultsTable.setFiltered(true);
        f.refresh();
        auto* ranks = f.find<StatisticsListView>("RankTable");
        QCOMPARE(shownRows(ranks), NumberInformationRows(f.kernel->Stats, true));
        for (int row = 0; row < 49; ++row) {
            QCOMPARE(ranks->model()->index(row, 4).data().toString(),
                     QString("Filter script running"));
            for (int column = 0; column < 8; ++column)
                QVERIFY(!ranks->model()->index(row, column).data(Qt::ForegroundRole).isValid());
        }
    }

    void drawInformationFollowsThePositionAndFiltersByNumber()
    {
        Fixture f;
        auto* positions = f.find<QListWidget>("ListBox1");
        auto* ballStat = f.find<StatisticsListView>("BallStat");
        QCOMPARE(positions->count(), 7);
        QCOMPARE(positions->item(6)->text(), QString("Bonus Ball"));

        positions->setCurrentRow(BonusPosition);
        const DrawInformationPage bonus = DrawInformation(f.kernel->Stats, BonusPosition);
        QCOMPARE(shownRows(ballStat), bonus.rows);
        QCOMPARE(f.find<QLabel>("lblMostFrequent")->text(), bonus.summary[0][1]);
        QCOMPARE(f.find<QLabel>("lblLowest")->text(), bonus.summary[3][1]);

        // Showing the page starts again at the first ball.
        f.pages.setCurrentWidget(f.find<QWidget>("TabSheet9"));
        QCOMPARE(positions->currentRow(), 0);
        QCOMPARE(shownRows(ballStat), DrawInformation(f.kernel->Stats, 0).rows);

        // Double click on a number drawn first: the draws narrow to those, the window refills.
        positions->setCurrentRow(2);
        clickHeader(ballStat, 0);
        clickHeader(ballStat, 0); // descending: row 0 is 49
        QCOMPARE(ballStat->rowAt(0).value(0), QString("49"));
        QSignalSpy changed(&f.pages, &StatisticsPages::drawFilterChanged);
        const int drawn = [&] {
            for (int n = 49; n >= 1; --n)
                if (f.kernel->Stats.Positions[2].frequency[n] > 0)
                    return n;
            return 0;
        }();
        QVERIFY(drawn > 0);
        ballStat->setCurrentIndex(ballStat->model()->index(49 - drawn, 0));
        emit ballStat->doubleClicked(ballStat->currentIndex());
        QCOMPARE(changed.count(), 1);
        QVERIFY(f.kernel->ResultsTable.filtered());
        QCOMPARE(f.kernel->ResultsTable.filter(),
                 QString("[BALL3]='%1'").arg(drawn, 2, 10, QChar('0')));
        QCOMPARE(f.kernel->ResultsTable.RecordCount(),
                 f.kernel->Stats.Positions[2].frequency[drawn]);

        // A number never drawn at the position is refused with a notice.
        f.refresh();
        QSignalSpy notices(f.kernel.get(), &TKernel::noticeRequested);
        ballStat->setCurrentIndex(ballStat->model()->index(0, 0));
        QVERIFY(ballStat->rowAt(0).value(0).toInt() != drawn);
        auto* menu = f.find<QMenu>("TBPopupMenu1");
        trigger("FilterNumber", menu);
        QCOMPARE(notices.count(), 1);
        QCOMPARE(notices.at(0).at(0).toString(), QString(NumberNotFound));
        QCOMPARE(changed.count(), 1);

        emit menu->aboutToShow();
        QVERIFY(control<QAction>("StopFilter", menu)->isEnabled());
        trigger("StopFilter", menu);
        QCOMPARE(changed.count(), 2);
        QVERIFY(!f.kernel->ResultsTable.filtered());
        QVERIFY(f.kernel->ResultsTable.filter().isEmpty());
    }

    void everyPageIsReadable_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("800x600") << QSize(800, 600);
        QTest::newRow("1280x800") << QSize(1280, 800);
    }

    void everyPageIsReadable()
    {
        QFETCH(QSize, size);
        Fixture f;
        f.pages.resize(size.width(), size.height() / 2);
        f.pages.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.pages));
        for (int i = 0; i < f.pages.count(); ++i) {
            f.pages.setCurrentIndex(i);
            auto* combinations = f.find<QTableView>("CombTable");
            combinations->setCurrentIndex(combinations->model()->index(1, 0));
            QCoreApplication::processEvents();
            saveScreenshot(&f.pages, QString("statistics-%1-%2x%3")
                                         .arg(f.pages.widget(i)->objectName())
                                         .arg(size.width())
                                         .arg(size.height()));
        }
    }
};

QTEST_MAIN(TestStatisticsPages)
#include "tst_statisticspages.moc"
