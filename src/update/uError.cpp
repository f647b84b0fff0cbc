#include "update/uError.h"

TfrmError::TfrmError(QWidget* parent)
    : TKestDialog({.objectName = "TfrmError",
                   .caption = "Drawsage Update",
                   // On top like the update wizard that opens it, or it would open behind it.
                   .hints = Qt::WindowStaysOnTopHint},
                  parent)
{
    addPlaceholder();
}
