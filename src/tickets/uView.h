#pragma once

#include "components/KestDialog.h"

// The ticket viewer, whose list is the current ticket.
class TfrmView : public TKestDialog {
    Q_OBJECT

public:
    explicit TfrmView(QWidget* parent = nullptr);
};
