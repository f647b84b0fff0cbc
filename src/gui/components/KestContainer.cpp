#include "gui/components/KestContainer.h"

#include "gui/components/KestGradInfo.h"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

TKestContainer::TKestContainer(QWidget* parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Plain);

    m_title = new QLabel(this);
    m_title->setObjectName("lblTitle");
    m_title->setTextFormat(Qt::PlainText);
    m_title->setContentsMargins(8, 4, 8, 4);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    QPalette white = m_title->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    m_title->setPalette(white);

    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(1, 1, 1, 1);
    m_layout->setSpacing(0);
    m_layout->addWidget(m_title);
}

QString TKestContainer::title() const
{
    return m_title->text();
}

void TKestContainer::setTitle(const QString& title)
{
    m_title->setText(title);
}

void TKestContainer::setContent(QWidget* content)
{
    delete m_content;
    m_content = content;
    if (content)
        m_layout->addWidget(content, 1);
}

void TKestContainer::paintEvent(QPaintEvent* event)
{
    {
        // The title strip wears the banner gradient of the dialogs.
        QPainter painter(this);
        TKestGradInfo::paintGradient(painter, m_title->geometry());
    }
    QFrame::paintEvent(event);
}
