#pragma once

#include "gui/components/KestDialog.h"

// The about box: product name, version and licence agreement.
class AboutBox : public TKestDialog {
    Q_OBJECT

public:
    explicit AboutBox(QWidget* parent = nullptr);
};
