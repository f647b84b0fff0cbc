#pragma once

#include "gui/components/KestDialog.h"

class QListView;
class FrequencyChart;
class TKestTableModel;
class ProgressWindow;

// The frequency history window: the draws of the history table on the left and, for the one
// selected, the running count of every number up to that draw. Showing it rebuilds the
// history first when a statistics rebuild has made it stale, with the progress window showing
// how far the pass has got.
class FrequencyHistoryWindow : public TKestDialog {
    Q_OBJECT

public:
    // The kernel is the program's (TKernel::instance()) and the progress window the sibling
    // ProgressWindow under the same parent, both looked up when the window is shown.
    explicit FrequencyHistoryWindow(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fitScreen();
    void rebuildHistory();
    void showHistoryRow(int row);
    ProgressWindow* progressWindow() const;

    QListView* m_dates;
    TKestTableModel* m_history;
    FrequencyChart* m_chart;
};
