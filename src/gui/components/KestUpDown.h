#pragma once

#include <QWidget>

class QLineEdit;

// Spin buttons beside a field: an up and a down arrow that step a whole number within a range.
// With an associate field the value is shown there.
class TKestUpDown : public QWidget {
    Q_OBJECT
public:
    TKestUpDown(int minimum, int maximum, QWidget* parent = nullptr);

    void setAssociate(QLineEdit* associate);
    int value() const { return m_value; }
    // Kept within the range; a change shows in the associate and emits valueChanged.
    void setValue(int value);

signals:
    void valueChanged(int value);
    // One of the arrows moved the value (after valueChanged).
    void clicked(int value);

private:
    void step(int delta);

    QLineEdit* m_associate = nullptr;
    int m_minimum;
    int m_maximum;
    int m_value;
};
