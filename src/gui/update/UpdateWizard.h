#pragma once

#include "gui/components/KestDialog.h"

// The update wizard: downloads the results files and imports them.
class UpdateWizard : public TKestDialog {
    Q_OBJECT

public:
    explicit UpdateWizard(QWidget* parent = nullptr);
};
