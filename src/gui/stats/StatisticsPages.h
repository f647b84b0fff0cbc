#pragma once

#include "core/kernel/PrintDocument.h"
#include "gui/components/CombinationDelegate.h"
#include "gui/components/FrequencyChart.h"
#include "gui/components/StatisticsListView.h"

#include <QTabWidget>
#include <vector>

class CombinationTable;
class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QStackedLayout;
class TKernel;
struct TStatistics;
class TKestTable;

// The main window's statistics pages: the two frequency charts, combinations, number
// information, draw information by ball position and the overall report. The pages act on
// the kernel they were last filled from.
class StatisticsPages : public QTabWidget {
    Q_OBJECT
public:
    explicit StatisticsPages(QWidget* parent = nullptr);

    // Refills the combination, overall and number information pages from the kernel's last
    // rebuild (the caller runs TKernel::RecalculateAll first).
    void ShowStatistics(TKernel& kernel);
    // Redraws both frequency charts from the number and bonus tables.
    void RedrawCharts(TKernel& kernel);
    // Refills the draw information page for the ball position selected in its list box.
    void RefreshDrawInformation(TKernel& kernel);
    // The "Overall Information" report as printed.
    PrintDocument reportDocument() const;

signals:
    // The charts' "Show Magnifier".
    void magnifierRequested();
    // "Filter Number" or "Stop Filter" changed the results table's filter: every page needs
    // a rebuild and refill.
    void drawFilterChanged();

private:
    QWidget* chartPage(const QString& name, const QString& hint, FrequencyChart* chart);
    QWidget* combinationPage();
    QWidget* drawInformationPage();
    void showCombinations(CombinationTable rows);
    void drawPageShown();
    void filterSelectedNumber();
    void stopFilter();

    TKernel* m_kernel = nullptr;
    QMenu* m_graphMenu;
    FrequencyChart* m_graph;
    FrequencyChart* m_bonusGraph;
    StatisticsListView* m_combTable;
    QStackedLayout* m_combStack = nullptr;
    QLabel* m_calculating = nullptr;
    StatisticsListView* m_rankTable;
    QListWidget* m_positions = nullptr;
    StatisticsListView* m_ballStat = nullptr;
    std::vector<QLabel*> m_summaryValues;
    QMenu* m_ballStatMenu = nullptr;
    QAction* m_stopFilter = nullptr;
    StatisticsListView* m_report;
};

// Reads a frequency table's rows (BallNr, Total) ascending by BallNr, as bars.
std::vector<FrequencyChart::Bar> frequencyBars(const TKestTable& table);
// Marks the task bar's six hot and six cold numbers and gives each bar its tool tip: number,
// count, expected count and when the number was last seen.
void describeBars(std::vector<FrequencyChart::Bar>& bars, const TStatistics& stats, bool filtered);
