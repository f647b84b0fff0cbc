#pragma once

#include "components/KestDialog.h"

// The frequency history window.
class TfrmOverall : public TKestDialog {
    Q_OBJECT

public:
    explicit TfrmOverall(QWidget* parent = nullptr);
};
