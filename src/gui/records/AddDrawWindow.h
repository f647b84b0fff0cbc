#pragma once

#include "gui/components/KestDialog.h"

// The window for entering a draw by hand.
class AddDrawWindow : public TKestDialog {
    Q_OBJECT

public:
    explicit AddDrawWindow(QWidget* parent = nullptr);
};
