#include "gui/update/UpdateErrorList.h"

UpdateErrorList::UpdateErrorList(QWidget* parent)
    : TKestDialog({.objectName = "TfrmError",
                   .caption = "Drawsage Update",
                   // On top like the update wizard that opens it, or it would open behind it.
                   .hints = Qt::WindowStaysOnTopHint},
                  parent)
{
    addPlaceholder();
}
