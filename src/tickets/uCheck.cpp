#include "tickets/uCheck.h"

TfrmCheck::TfrmCheck(QWidget* parent)
    : TKestDialog({.objectName = "TfrmCheck",
                   .caption = "Drawsage",
                   .title = "Check Lotto Ticket",
                   .description = "Use this feature to check your Lotto ticket"},
                  parent)
{
    addPlaceholder();
}
