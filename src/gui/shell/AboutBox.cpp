#include "gui/shell/AboutBox.h"

AboutBox::AboutBox(QWidget* parent)
    : TKestDialog({.objectName = "TfrmAbout", .caption = "Drawsage", .centreOnScreen = true},
                  parent)
{
    addPlaceholder();
}
