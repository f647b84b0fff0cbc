#include "generator/uTemplate.h"

TfrmTemplate::TfrmTemplate(QWidget* parent)
    : TKestDialog({.objectName = "TfrmTemplate",
                   .caption = "Drawsage",
                   .title = "Template Editor",
                   .description = "Use this feature to create custom combinations"},
                  parent) {
    addPlaceholder();
}
