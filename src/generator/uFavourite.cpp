#include "generator/uFavourite.h"

TfrmFavourite::TfrmFavourite(QWidget* parent)
    : TKestDialog({.objectName = "TfrmFavourite",
                   .caption = "Drawsage",
                   .title = "Add Favourite",
                   .description = "Select your favourite numbers"},
                  parent) {
    addPlaceholder();
}
