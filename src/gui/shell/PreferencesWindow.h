#pragma once

#include "gui/components/KestDialog.h"

// The preferences window.
class PreferencesWindow : public TKestDialog {
    Q_OBJECT

public:
    explicit PreferencesWindow(QWidget* parent = nullptr);
};
