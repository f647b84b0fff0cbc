#pragma once

#include "components/KestDialog.h"

// The template editor.
class TfrmTemplate : public TKestDialog {
    Q_OBJECT

public:
    explicit TfrmTemplate(QWidget* parent = nullptr);
};
