#pragma once

#include "components/KestDialog.h"

// The about box: product name, version and licence agreement.
class TfrmAbout : public TKestDialog {
    Q_OBJECT

public:
    explicit TfrmAbout(QWidget* parent = nullptr);
};
