#include "gui/records/DrawDetailsWindow.h"

#include "core/kernel/Kernel.h"
#include "core/records/DrawDetails.h"
#include "gui/components/KestPictures.h"
#include "gui/components/StatisticsListView.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

constexpr int BallSize = 44;

// A ball picture with the label's text on it; the text stays the label's, so it reads as one.
class BallLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (text().isEmpty())
            return;
        QPainter painter(this);
        const QPixmap ball = ballPicture(text(), std::min(width(), height()));
        painter.drawPixmap((width() - ball.width()) / 2, (height() - ball.height()) / 2, ball);
    }
};

} // namespace

DrawDetailsWindow::DrawDetailsWindow(QWidget* parent)
    : TKestDialog({.objectName = "TfrmInfo",
                   .caption = "Drawsage",
                   .title = "Draw Information",
                   .description = "This feature will display more details on the selected draw",
                   .centreOnScreen = true},
                  parent)
{
    auto* balls = new QHBoxLayout;
    balls->addStretch();
    for (int i = 0; i < 7; ++i) {
        auto* ball = new BallLabel(this);
        ball->setObjectName(i < 6 ? QString("LC%1").arg(i + 1) : QString("Bonus"));
        ball->setToolTip(i < 6 ? QString("Ball %1").arg(i + 1) : QString("Bonus Ball"));
        ball->setAlignment(Qt::AlignCenter);
        ball->setFixedSize(BallSize, BallSize);
        if (i == 6)
            balls->addSpacing(12); // the bonus ball stands apart
        balls->addWidget(ball);
        m_balls[i] = ball;
    }
    balls->addStretch();
    contentLayout()->addLayout(balls);

    m_date = new QLabel(this);
    m_date->setObjectName("Panel3");
    m_date->setToolTip("Displays the draw date.");
    m_date->setAlignment(Qt::AlignCenter);
    m_date->setFrameShape(QFrame::StyledPanel);
    m_date->setFrameShadow(QFrame::Sunken);
    QFont bold = m_date->font();
    bold.setBold(true);
    m_date->setFont(bold);
    m_date->setMinimumHeight(m_date->fontMetrics().height() + 10);
    contentLayout()->addWidget(m_date);

    m_report =
        new StatisticsListView("Report", {"Item", "Value"}, StatisticsListView::Unsorted, this);
    m_report->setToolTip("Displays more details on the selected Lotto draw.");
    m_report->horizontalHeader()->hide();
    m_report->setShowGrid(true);
    m_report->setColumnWidth(
        0, m_report->fontMetrics().horizontalAdvance("Div 4 - Matching 4 + Bonus") + 16);
    m_report->setMinimumSize(
        m_report->columnWidth(0) +
            m_report->fontMetrics().horizontalAdvance(" Unknown! Please update Database") + 40,
        16 * m_report->verticalHeader()->defaultSectionSize());
    contentLayout()->addWidget(m_report);

    QPushButton* back = addButton("Button2", "<< &Back");
    back->setToolTip("Click here to goto previouse draw.");
    QPushButton* next = addButton("Button1", "&Next >>");
    next->setToolTip("Click here to goto the next draw.");
    QPushButton* close = addButton("Button3", "&Close");
    close->setToolTip("Click here to close this dialog.");
    connect(back, &QPushButton::clicked, this, [this] { step(true); });
    connect(next, &QPushButton::clicked, this, [this] { step(false); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

void DrawDetailsWindow::showDraw()
{
    TKernel* kernel = TKernel::instance();
    const DrawDetails details = kernel ? drawDetails(kernel->ResultsTable) : DrawDetails{};
    for (int i = 0; i < 7; ++i)
        m_balls[i]->setText(details.balls.value(i));
    m_date->setText(details.date);
    m_report->setRows(details.rows);
}

void DrawDetailsWindow::step(bool older)
{
    TKernel* kernel = TKernel::instance();
    if (!kernel || !kernel->ResultsTable.Active())
        return;
    // Newest first: the next record is the older draw. At either end the cursor stays put.
    if (older)
        kernel->ResultsTable.Next();
    else
        kernel->ResultsTable.Prior();
    showDraw();
    emit currentDrawChanged();
}

void DrawDetailsWindow::showEvent(QShowEvent* event)
{
    showDraw();
    TKestDialog::showEvent(event);
}
