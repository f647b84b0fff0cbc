#pragma once

#include "gui/components/KestDialog.h"

// The ticket checker.
class TicketChecker : public TKestDialog {
    Q_OBJECT

public:
    explicit TicketChecker(QWidget* parent = nullptr);
};
