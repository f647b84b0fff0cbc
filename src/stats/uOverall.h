#pragma once

#include "components/KestDialog.h"

class QListView;
class TFrequencyChart;
class TKestTableModel;
class TfrmProcess;

// The frequency history window: the draws of the history table on the left and, for the one
// selected, the running count of every number up to that draw. Showing it rebuilds the
// history first when a statistics rebuild has made it stale, with the progress window showing
// how far the pass has got.
class TfrmOverall : public TKestDialog {
    Q_OBJECT

public:
    // The kernel is the program's (TKernel::instance()) and the progress window the sibling
    // TfrmProcess under the same parent, both looked up when the window is shown.
    explicit TfrmOverall(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void rebuildHistory();
    void showHistoryRow(int row);
    TfrmProcess* progressWindow() const;

    QListView* m_dates;
    TKestTableModel* m_history;
    TFrequencyChart* m_chart;
};
