#include "records/uAdd.h"

TfrmAdd::TfrmAdd(QWidget* parent)
    : TKestDialog({.objectName = "TfrmAdd",
                   .caption = "Drawsage",
                   .title = "Add New Record",
                   .description = "Add a new draw manually to the database"},
                  parent)
{
    addPlaceholder();
}
