#pragma once

#include "gui/components/KestDialog.h"

// The draw information window: one draw of the results table in full.
class DrawDetailsWindow : public TKestDialog {
    Q_OBJECT

public:
    explicit DrawDetailsWindow(QWidget* parent = nullptr);
};
