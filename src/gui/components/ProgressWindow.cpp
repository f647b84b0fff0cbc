#include "gui/components/ProgressWindow.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

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
{
    setCursor(Qt::WaitCursor);

    auto* text = new QLabel(tr("Please wait while Drawsage processes the requested information. "
                               "This may take a while depending on the speed of your "
                               "processor..."),
                            this);
    text->setWordWrap(true);
    text->setFixedWidth(textWidth);
    Label1 = new QLabel(tr("Preparing to process the required information..."), this);
    Label1->setObjectName("Label1");
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setTextVisible(false);

    contentLayout()->addWidget(text);
    contentLayout()->addSpacing(8);
    contentLayout()->addWidget(Label1);
    contentLayout()->addWidget(ProgressBar1);
}
