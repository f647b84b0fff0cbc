#include "tickets/uView.h"

TfrmView::TfrmView(QWidget* parent)
    : TKestDialog({.objectName = "TfrmView",
                   .caption = "Drawsage",
                   .title = "View ticket information",
                   .description = "Use this feature to view your saved Lotto ticket"},
                  parent) {
    addPlaceholder();
}
