#pragma once

#include "components/KestDialog.h"

// The draw information window: one draw of the results table in full.
class TfrmInfo : public TKestDialog {
    Q_OBJECT

public:
    explicit TfrmInfo(QWidget* parent = nullptr);
};
