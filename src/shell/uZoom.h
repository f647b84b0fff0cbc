#pragma once

#include "components/KestDialog.h"

// The magnifier: an enlarged live copy of the main window under the pointer.
class TfrmZoom : public TKestDialog {
    Q_OBJECT

public:
    explicit TfrmZoom(QWidget* parent = nullptr);
};
