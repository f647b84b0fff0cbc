#pragma once

#include "components/KestDialog.h"

// The combination generator window.
class TfrmGenerator : public TKestDialog {
    Q_OBJECT

public:
    explicit TfrmGenerator(QWidget* parent = nullptr);
};
