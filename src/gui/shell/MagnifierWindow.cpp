#include "gui/shell/MagnifierWindow.h"

MagnifierWindow::MagnifierWindow(QWidget* parent)
    : TKestDialog({.objectName = "TfrmZoom",
                   .caption = "Magnifier",
                   .hints = Qt::Tool | Qt::WindowStaysOnTopHint},
                  parent)
{
    addPlaceholder();
}
