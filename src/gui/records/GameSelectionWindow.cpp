#include "gui/records/GameSelectionWindow.h"

GameSelectionWindow::GameSelectionWindow(QWidget* parent)
    : TKestDialog({.objectName = "TfrmOpen",
                   .caption = "Open Database",
                   .title = "Open Database",
                   .description = "Open a specific Lottery Database",
                   .centreOnScreen = true},
                  parent)
{
    addPlaceholder();
}
