#pragma once

#include "gui/components/KestDialog.h"

// The filter script editor.
class FilterEditor : public TKestDialog {
    Q_OBJECT

public:
    explicit FilterEditor(QWidget* parent = nullptr);
};
