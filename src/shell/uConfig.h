#pragma once

#include "components/KestDialog.h"

// The preferences window.
class TfrmConfig : public TKestDialog {
    Q_OBJECT

public:
    explicit TfrmConfig(QWidget* parent = nullptr);
};
