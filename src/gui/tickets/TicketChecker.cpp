#include "gui/tickets/TicketChecker.h"

TicketChecker::TicketChecker(QWidget* parent)
    : TKestDialog({.objectName = "TfrmCheck",
                   .caption = "Drawsage",
                   .title = "Check Lotto Ticket",
                   .description = "Use this feature to check your Lotto ticket"},
                  parent)
{
    addPlaceholder();
}
