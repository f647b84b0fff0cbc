#include "gui/records/FilterEditor.h"

FilterEditor::FilterEditor(QWidget* parent)
    : TKestDialog({.objectName = "TfrmSearch",
                   .caption = "Drawsage",
                   .title = "Filter Script Editor",
                   .description = "Use this feature to create a cusomized filter",
                   .hints = Qt::WindowStaysOnTopHint | Qt::WindowMinimizeButtonHint},
                  parent)
{
    addPlaceholder();
}
