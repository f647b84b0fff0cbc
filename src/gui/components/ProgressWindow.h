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

    QLabel* Label1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
};
