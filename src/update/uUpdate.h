#pragma once

#include "components/KestDialog.h"

// The update wizard: downloads the results files and imports them.
class TfrmUpdate : public TKestDialog {
    Q_OBJECT

public:
    explicit TfrmUpdate(QWidget* parent = nullptr);
};
