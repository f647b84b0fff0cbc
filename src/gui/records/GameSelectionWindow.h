#pragma once

#include "gui/components/KestDialog.h"

// The open database window: chooses the game.
class GameSelectionWindow : public TKestDialog {
    Q_OBJECT

public:
    explicit GameSelectionWindow(QWidget* parent = nullptr);
};
