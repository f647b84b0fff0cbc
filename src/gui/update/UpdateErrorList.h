#pragma once

#include "gui/components/KestDialog.h"

// The list of download errors of the update wizard.
class UpdateErrorList : public TKestDialog {
    Q_OBJECT

public:
    explicit UpdateErrorList(QWidget* parent = nullptr);
};
