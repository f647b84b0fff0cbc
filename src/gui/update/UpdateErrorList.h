#pragma once

#include "gui/components/KestDialog.h"

class QPlainTextEdit;

// The list of download errors of the update wizard.
class UpdateErrorList : public TKestDialog {
    Q_OBJECT

public:
    explicit UpdateErrorList(QWidget* parent = nullptr);

    void addLine(const QString& line);
    void clear();
    QString text() const;

private:
    QPlainTextEdit* m_memo;
};
