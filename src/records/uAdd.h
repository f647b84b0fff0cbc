#pragma once

#include "components/KestDialog.h"

// The window for entering a draw by hand.
class TfrmAdd : public TKestDialog {
    Q_OBJECT

public:
    explicit TfrmAdd(QWidget* parent = nullptr);
};
