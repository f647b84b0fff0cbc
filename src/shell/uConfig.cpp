#include "shell/uConfig.h"

TfrmConfig::TfrmConfig(QWidget* parent)
    : TKestDialog({.objectName = "TfrmConfig",
                   .caption = "Drawsage",
                   .title = "Preferences",
                   .description = "This feature lets you configure Drawsage",
                   .centreOnScreen = true},
                  parent)
{
    addPlaceholder();
}
