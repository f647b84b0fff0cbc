#include "gui/records/AddDrawWindow.h"

AddDrawWindow::AddDrawWindow(QWidget* parent)
    : TKestDialog({.objectName = "TfrmAdd",
                   .caption = "Drawsage",
                   .title = "Add New Record",
                   .description = "Add a new draw manually to the database"},
                  parent)
{
    addPlaceholder();
}
