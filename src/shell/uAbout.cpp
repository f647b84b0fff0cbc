#include "shell/uAbout.h"

TfrmAbout::TfrmAbout(QWidget* parent)
    : TKestDialog({.objectName = "TfrmAbout", .caption = "Drawsage", .centreOnScreen = true},
                  parent)
{
    addPlaceholder();
}
