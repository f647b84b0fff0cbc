#include "gui/components/KestUpDown.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

TKestUpDown::TKestUpDown(int minimum, int maximum, QWidget* parent)
    : QWidget(parent)
    , m_minimum(minimum)
    , m_maximum(maximum)
    , m_value(minimum)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const std::tuple<Qt::ArrowType, const char*, int> arrows[] = {{Qt::UpArrow, "up", 1},
                                                                  {Qt::DownArrow, "down", -1}};
    for (const auto& [arrow, name, delta] : arrows) {
        auto* button = new QToolButton(this);
        button->setObjectName(name);
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(17, 11);
        connect(button, &QToolButton::clicked, this, [this, delta = delta] { step(delta); });
        layout->addWidget(button);
    }
}

void TKestUpDown::setAssociate(QLineEdit* associate)
{
    m_associate = associate;
    if (m_associate)
        m_associate->setText(QString::number(m_value));
}

void TKestUpDown::setValue(int value)
{
    value = std::clamp(value, m_minimum, m_maximum);
    if (value == m_value)
        return;
    m_value = value;
    if (m_associate)
        m_associate->setText(QString::number(m_value));
    emit valueChanged(m_value);
}

void TKestUpDown::step(int delta)
{
    setValue(m_value + delta);
    emit clicked(m_value);
}
