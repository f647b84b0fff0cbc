#pragma once

#include "gui/components/KestDialog.h"

class QLabel;
class QProgressBar;

// The progress window of long passes over the draws. It has no behaviour of its own: the pass
// shows it, drives the status line and the bar, and hides it.
class ProgressWindow : public TKestDialog {
    Q_OBJECT

public:
    explicit ProgressWindow(QWidget* parent = nullptr);

    void setStatus(const QString& text);
    // A total of 0 still gives the bar a range, so that it shows empty rather than busy.
    void setProgress(int done, int total);

private:
    QLabel* m_status;
    QProgressBar* m_bar;
};
