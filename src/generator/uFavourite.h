#pragma once

#include "components/KestDialog.h"

// The favourite numbers window.
class TfrmFavourite : public TKestDialog {
    Q_OBJECT

public:
    explicit TfrmFavourite(QWidget* parent = nullptr);
};
