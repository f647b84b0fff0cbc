#pragma once

#include "components/KestDialog.h"

// The ticket checker.
class TfrmCheck : public TKestDialog {
    Q_OBJECT

public:
    explicit TfrmCheck(QWidget* parent = nullptr);
};
