#include "shell/uZoom.h"

TfrmZoom::TfrmZoom(QWidget* parent)
    : TKestDialog({.objectName = "TfrmZoom",
                   .caption = "Magnifier",
                   .hints = Qt::Tool | Qt::WindowStaysOnTopHint},
                  parent)
{
    addPlaceholder();
}
