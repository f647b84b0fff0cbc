#pragma once

#include "components/KestDialog.h"

// The open database window: chooses the game.
class TfrmOpen : public TKestDialog {
    Q_OBJECT

public:
    explicit TfrmOpen(QWidget* parent = nullptr);
};
