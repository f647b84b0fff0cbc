#include "gui/records/DrawDetailsWindow.h"

DrawDetailsWindow::DrawDetailsWindow(QWidget* parent)
    : TKestDialog({.objectName = "TfrmInfo",
                   .caption = "Drawsage",
                   .title = "Draw Information",
                   .description = "This feature will display more details on the selected draw",
                   .centreOnScreen = true},
                  parent)
{
    addPlaceholder();
}
