#include "gui/update/UpdateErrorList.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

UpdateErrorList::UpdateErrorList(QWidget* parent)
    : TKestDialog({.objectName = "TfrmError",
                   .caption = "Drawsage Update",
                   // On top like the update wizard that opens it, or it would open behind it.
                   .hints = Qt::WindowStaysOnTopHint},
                  parent)
    , m_memo(new QPlainTextEdit(this))
{
    m_memo->setObjectName("Memo1");
    m_memo->setReadOnly(true);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setMinimumSize(440, 180);
    contentLayout()->addWidget(m_memo);
    connect(addButton("btnClose", "&Close"), &QPushButton::clicked, this, &QWidget::close);
}

void UpdateErrorList::addLine(const QString& line)
{
    m_memo->appendPlainText(line);
}

void UpdateErrorList::clear()
{
    m_memo->clear();
}

QString UpdateErrorList::text() const
{
    return m_memo->toPlainText();
}
