#include "generator/uGenerator.h"

TfrmGenerator::TfrmGenerator(QWidget* parent)
    : TKestDialog({.objectName = "TfrmGenerator",
                   .caption = "Drawsage",
                   .title = "Combination Generator",
                   .description = "Use this feature to calculate / generate combinations",
                   .centreOnScreen = true},
                  parent) {
    addPlaceholder();
}
