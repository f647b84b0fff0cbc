#include "gui/update/UpdateWizard.h"

UpdateWizard::UpdateWizard(QWidget* parent)
    : TKestDialog({.objectName = "TfrmUpdate",
                   .caption = "Drawsage Update",
                   .title = "Drawsage Update",
                   .description = "This system will help you update the database",
                   .hints = Qt::WindowStaysOnTopHint | Qt::WindowMinimizeButtonHint,
                   .centreOnScreen = true},
                  parent)
{
    addPlaceholder();
}
