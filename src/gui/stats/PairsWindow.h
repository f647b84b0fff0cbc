#pragma once

#include "gui/components/KestDialog.h"

class CompanionCounts;
class PairHeatMap;
class QChartView;
class QTableWidget;
class QTabWidget;
class TKernel;
struct Companion;
struct DrawBalls;
using DrawList = std::vector<DrawBalls>;

// "Pairs and Triplets": the pairs and triplets drawn together most often with a heat map of
// every pair, and on a second page how often draws hold consecutive numbers against the odds.
// It reads the draws the running filter lets through, when shown and after each rebuild.
class PairsWindow : public TKestDialog {
    Q_OBJECT

public:
    // Rows of each list: the pairs and triplets drawn together most often.
    static constexpr int TopRows = 100;

    explicit PairsWindow(QWidget* parent = nullptr);

    // Reads the draws again and refills both pages.
    void refresh();
    // Asks whether to filter the draws holding both numbers and, if so, does.
    void offerPairFilter(int first, int second);

signals:
    // The pair filter is running: the statistics want rebuilding.
    void drawFilterChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* pairsPage();
    QWidget* consecutivePage();
    void fillCompanions(QTableWidget* list, const std::vector<Companion>& rows,
                        const DrawList& draws);
    void fillRuns(const DrawList& draws);

    TKernel* m_kernel = nullptr;
    QTabWidget* m_pages;
    QTableWidget* m_pairs;
    QTableWidget* m_triplets;
    PairHeatMap* m_map;
    QTableWidget* m_runs;
    QChartView* m_runChart;
};
