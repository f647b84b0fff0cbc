#include "gui/components/ProgressWindow.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>

namespace {
constexpr int textWidth = 380;
}

ProgressWindow::ProgressWindow(QWidget* parent)
    : TKestDialog(
          {.objectName = "TfrmProcess",
           .caption = "Drawsage",
           .hints = Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint,
           .centreOnScreen = true},
          parent)
    , m_status(new QLabel(tr("Preparing to process the required information..."), this))
    , m_bar(new QProgressBar(this))
{
    setCursor(Qt::WaitCursor);

    auto* text = new QLabel(tr("Please wait while Drawsage processes the requested information. "
                               "This may take a while depending on the speed of your "
                               "processor..."),
                            this);
    text->setWordWrap(true);
    text->setFixedWidth(textWidth);
    m_status->setObjectName("Label1");
    m_bar->setObjectName("ProgressBar1");
    m_bar->setTextVisible(false);

    contentLayout()->addWidget(text);
    contentLayout()->addSpacing(8);
    contentLayout()->addWidget(m_status);
    contentLayout()->addWidget(m_bar);
}

void ProgressWindow::setStatus(const QString& text)
{
    m_status->setText(text);
}

void ProgressWindow::setProgress(int done, int total)
{
    m_bar->setRange(0, std::max(total, 1));
    m_bar->setValue(done);
}
