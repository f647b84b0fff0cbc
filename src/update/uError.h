#pragma once

#include "components/KestDialog.h"

// The list of download errors of the update wizard.
class TfrmError : public TKestDialog {
    Q_OBJECT

public:
    explicit TfrmError(QWidget* parent = nullptr);
};
