#pragma once

#include "gui/components/KestDialog.h"

// The magnifier: an enlarged live copy of the main window under the pointer.
class MagnifierWindow : public TKestDialog {
    Q_OBJECT

public:
    explicit MagnifierWindow(QWidget* parent = nullptr);
};
