#include "stats/uOverall.h"

TfrmOverall::TfrmOverall(QWidget* parent)
    : TKestDialog(
          {.objectName = "TfrmOverall",
           .caption = "Drawsage",
           .title = "Frequency Anylizer",
           .description =
               "This feature will anylize the number frequencies and desplay detailed information",
           .centreOnScreen = true},
          parent) {
    addPlaceholder();
}
