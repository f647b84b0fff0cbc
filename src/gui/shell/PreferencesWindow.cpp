#include "gui/shell/PreferencesWindow.h"

PreferencesWindow::PreferencesWindow(QWidget* parent)
    : TKestDialog({.objectName = "TfrmConfig",
                   .caption = "Drawsage",
                   .title = "Preferences",
                   .description = "This feature lets you configure Drawsage",
                   .centreOnScreen = true},
                  parent)
{
    addPlaceholder();
}
