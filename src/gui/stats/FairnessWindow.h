#pragma once

#include "core/stats/Fairness.h"
#include "gui/components/KestDialog.h"

class QBarSet;
class QBarCategoryAxis;
class QChartView;
class QLabel;
class QTableWidget;
class QValueAxis;

// The hint of the task bar's "Hot and Cold" group, which points here.
inline const QString FairnessHint =
    "Are the hot and cold numbers more than chance? Tools > Fairness Test tells.";

// The fairness test window: chi-square tests of the main balls, the bonus ball and each ball
// position against a fair draw, for the current game and the running filter. A test chosen
// in the list shows its residual per number as a chart and a table, with a plain verdict.
class FairnessWindow : public TKestDialog {
    Q_OBJECT

public:
    explicit FairnessWindow(QWidget* parent = nullptr);

    // Recomputes the tests from the kernel's last rebuild.
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    const FitTest* test(int row) const;
    void showTest(int row);

    FairnessReport m_report;
    QTableWidget* m_tests;
    QLabel* m_verdict;
    QChartView* m_chart;
    QBarSet* m_above;
    QBarSet* m_below;
    QBarCategoryAxis* m_numbersAxis;
    QValueAxis* m_residualAxis;
    QTableWidget* m_numbers;
};
