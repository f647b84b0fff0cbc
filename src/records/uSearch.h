#pragma once

#include "components/KestDialog.h"

// The filter script editor.
class TfrmSearch : public TKestDialog {
    Q_OBJECT

public:
    explicit TfrmSearch(QWidget* parent = nullptr);
};
