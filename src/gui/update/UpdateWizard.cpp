#include "gui/update/UpdateWizard.h"

#include "core/kernel/Kernel.h"
#include "core/kernel/KestError.h"
#include "core/update/ResultsUpdate.h"
#include "gui/components/KestMessage.h"
#include "gui/shell/MainWindow.h"
#include "gui/update/UpdateErrorList.h"

#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

// The download animation: a page travelling from a server to the computer, drawn here as
// no video clip ships with the program. Stopped, it shows its resting frame.
class UpdateAnimation : public QWidget {
public:
    explicit UpdateAnimation(QWidget* parent)
        : QWidget(parent)
    {
        setObjectName("Animate");
        setFixedSize(272, 60);
        m_timer.setInterval(60);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            m_frame = (m_frame + 1) % FrameCount;
            update();
        });
    }
    void play() { m_timer.start(); }
    void stop()
    {
        m_timer.stop();
        m_frame = StopFrame;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor frame = palette().color(QPalette::WindowText);
        // The server on the left, the computer on the right.
        painter.setPen(QPen(frame, 1.5));
        painter.setBrush(QColor(0xd8, 0xe4, 0xf4));
        painter.drawRoundedRect(QRectF(8, 8, 34, 44), 3, 3);
        for (int y = 16; y < 48; y += 9)
            painter.drawLine(QPointF(14, y), QPointF(36, y));
        painter.drawRoundedRect(QRectF(224, 10, 40, 30), 3, 3);
        painter.drawLine(QPointF(244, 40), QPointF(244, 48));
        painter.drawLine(QPointF(232, 50), QPointF(256, 50));
        // The page on its way.
        const double x = 50 + (m_frame * 166.0) / (FrameCount - 1);
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(x, 18, 16, 22));
        painter.setPen(QPen(QColor(0x30, 0x60, 0xb0), 1));
        for (int line = 0; line < 4; ++line)
            painter.drawLine(QPointF(x + 3, 23 + line * 4), QPointF(x + 13, 23 + line * 4));
    }

private:
    static constexpr int FrameCount = 30;
    static constexpr int StopFrame = 22;
    QTimer m_timer;
    int m_frame = StopFrame;
};

namespace {

QLabel* label(const QString& objectName, const QString& text, QWidget* parent)
{
    auto* widget = new QLabel(text, parent);
    widget->setObjectName(objectName);
    widget->setWordWrap(true);
    return widget;
}

int seconds(const QString& timeText)
{
    const QTime time = QTime::fromString(timeText, "hh:mm:ss");
    return time.isValid() ? QTime(0, 0).secsTo(time) : 0;
}

} // namespace

UpdateWizard::UpdateWizard(QWidget* parent)
    : TKestDialog({.objectName = "TfrmUpdate",
                   .caption = "Drawsage Update",
                   .title = "Drawsage Update",
                   .description = "This system will help you update the database",
                   .hints = Qt::WindowStaysOnTopHint | Qt::WindowMinimizeButtonHint,
                   .centreOnScreen = true},
                  parent)
    , m_update(new ResultsUpdate(this))
    , m_pages(new QStackedWidget(this))
{
    m_pages->setFixedSize(440, 240);
    contentLayout()->addWidget(m_pages);

    auto* step0 = new QWidget(m_pages);
    step0->setObjectName("Step0");
    auto* welcome = new QVBoxLayout(step0);
    auto* picture = new QLabel(step0);
    picture->setObjectName("Image1");
    picture->setPixmap(programIcon().pixmap(56, 56));
    welcome->addWidget(picture);
    auto* heading = label("Label1", "Welcome to the Drawsage Database Update System", step0);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    welcome->addWidget(heading);
    welcome->addWidget(label("Label2",
                             "This system will help you update your Lotto database in two quick "
                             "and easy steps.",
                             step0));
    welcome->addWidget(label("Label3", "Please click on Next to continue.", step0));
    welcome->addWidget(label("Label9", "Step 1 : Download the needed file(s)", step0));
    welcome->addWidget(label("Label10", "Step 2 : Update the Database file(s)", step0));
    welcome->addStretch();

    auto* step1 = new QWidget(m_pages);
    step1->setObjectName("Step1");
    auto* download = new QVBoxLayout(step1);
    download->addWidget(
        label("Label5", "Please wait while Drawsage downloads the needed file(s)...", step1));
    m_animation = new UpdateAnimation(step1);
    download->addWidget(m_animation, 0, Qt::AlignHCenter);
    const std::array<const char*, 2> labels{"Label4", "Label8"};
    const std::array<const char*, 2> bars{"ProgressBar1", "ProgressBar2"};
    for (int game = 0; game < 2; ++game) {
        m_status[game] = label(labels[game], "Waiting for connection...", step1);
        m_bars[game] = new QProgressBar(step1);
        m_bars[game]->setObjectName(bars[game]);
        m_bars[game]->setTextVisible(false);
        download->addWidget(m_status[game]);
        download->addWidget(m_bars[game]);
    }
    m_speed = label("Label6", "Contacting server...", step1);
    m_remaining = label("Label7", "Time Remaining : 00:00", step1);
    download->addWidget(m_speed);
    download->addWidget(m_remaining);
    download->addStretch();

    m_memo = new QPlainTextEdit("Please wait while Drawsage updates the database...", m_pages);
    m_memo->setObjectName("Memo1");
    m_memo->setReadOnly(true);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* step2 = new QWidget(m_pages);
    step2->setObjectName("Step2");
    (new QVBoxLayout(step2))->addWidget(m_memo);

    auto* step3 = new QWidget(m_pages);
    step3->setObjectName("Step3");
    auto* failure = new QVBoxLayout(step3);
    failure->addWidget(label("Label11",
                             "Drawsage was unable to connect to the server. This may be due to "
                             "the following reason(s).",
                             step3));
    failure->addWidget(label("Label12", "1. No connection to the Internet", step3));
    failure->addWidget(label("Label13", "2. The server may be offline", step3));
    failure->addWidget(
        label("Label14", "3. Internet security program(s) may block the request", step3));
    auto* row = new QHBoxLayout;
    auto* warning = new QLabel(step3);
    warning->setObjectName("Image2");
    warning->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(40, 40));
    row->addWidget(warning, 0, Qt::AlignTop);
    row->addWidget(label("Label15",
                         "Please check that your internet is connected, and that Drawsage has "
                         "sufficient rights to access the Internet by configuring your Internet "
                         "Security Programs (if installed).",
                         step3),
                   1);
    failure->addLayout(row);
    m_details = new QPushButton("&Detail(s)", step3);
    m_details->setObjectName("Button1");
    m_details->setEnabled(false);
    failure->addWidget(m_details, 0, Qt::AlignLeft);
    failure->addStretch();
    for (QWidget* page : {step0, step1, step2, step3})
        m_pages->addWidget(page);

    m_back = addButton("btnBack", "<  Back");
    m_next = addButton("btnNext", "Next   >");
    m_close = addButton("btnClose", "&Cancel");
    m_next->setDefault(true);

    connect(m_next, &QPushButton::clicked, this, &UpdateWizard::next);
    connect(m_close, &QPushButton::clicked, this, &UpdateWizard::finish);
    connect(m_details, &QPushButton::clicked, this, [this] {
        if (UpdateErrorList* list = errorList()) {
            list->show();
            list->raise();
        }
    });
    connect(m_update, &ResultsUpdate::progress, this, &UpdateWizard::showProgress);
    connect(m_update, &ResultsUpdate::downloaded, this, &UpdateWizard::downloadEnded);
    connect(m_update, &ResultsUpdate::errorAdded, this, [this](const QString& reason) {
        if (UpdateErrorList* list = errorList()) {
            list->addLine(ResultsUpdate::ErrorHeading);
            list->addLine(reason);
        }
    });
    connect(m_update, &ResultsUpdate::finished, this, &UpdateWizard::allEnded);
    reset();
}

UpdateWizard::~UpdateWizard() = default;

UpdateWizard::Page UpdateWizard::page() const
{
    return Page(m_pages->currentIndex());
}

UpdateErrorList* UpdateWizard::errorList() const
{
    return parentWidget() ? parentWidget()->findChild<UpdateErrorList*>() : nullptr;
}

void UpdateWizard::showEvent(QShowEvent* event)
{
    TKestDialog::showEvent(event);
    m_animation->play();
    reset();
}

void UpdateWizard::closeEvent(QCloseEvent* event)
{
    // The tables are being written: closing now would leave the update half told.
    if (m_installing) {
        event->ignore();
        return;
    }
    m_update->cancel();
    m_animation->stop();
    event->accept();
    reset();
}

void UpdateWizard::reset()
{
    m_step = 0;
    m_speed->setText("Cantacting server...");
    for (int game = 0; game < 2; ++game) {
        m_status[game]->setText("Waiting for connection...");
        m_bars[game]->setRange(0, 100);
        m_bars[game]->setValue(0);
    }
    m_remaining->setText("Time Remaining : 00:00");
    if (UpdateErrorList* list = errorList())
        list->clear();
    m_back->setEnabled(false);
    m_next->setEnabled(true);
    m_close->setEnabled(true);
    m_close->setText("&Cancel");
    m_details->setEnabled(false);
    showPage(Step0);
    m_memo->clear();
}

void UpdateWizard::showPage(Page page)
{
    m_pages->setCurrentIndex(page);
}

void UpdateWizard::next()
{
    if (page() == Step3)
        return;
    m_step = std::min(m_step + 1, 2);
    if (m_step == 1)
        startDownloads();
    else
        installUpdate();
}

void UpdateWizard::startDownloads()
{
    TKernel* kernel = TKernel::instance();
    if (!kernel)
        return;
    // An address that cannot work is the user's to mend: say so, instead of blaming the
    // connection on the failure page.
    const QString server = ResultsUpdate::server(kernel->Settings);
    if (const QString problem = ResultsUpdate::serverProblem(server); !problem.isEmpty()) {
        m_step = 0;
        TKestMessage::critical(
            this, "Drawsage Update",
            QString("Drawsage cannot update from the results server set as "
                    "ResultsServer in %1:\n%2")
                .arg(QDir::toNativeSeparators(kernel->Settings.fileName()), problem));
        return;
    }
    m_next->setEnabled(false);
    m_close->setEnabled(true);
    showPage(Step1);
    m_update->start(server, kernel->GetTempDir());
}

void UpdateWizard::showProgress(int game, qint64 done, qint64 total, const QString& speed,
                                const QString& estimated)
{
    m_speed->setText(QString("Downloading update(s) at %1...").arg(speed));
    m_status[game]->setText(game == 0 ? "Downloading National Lotto Results"
                                      : "Downloading National Lotto Plus Results");
    // Kilobytes keep large files within the bar's integer range.
    m_bars[game]->setRange(0, int(std::max<qint64>(total / 1024, 1)));
    m_bars[game]->setValue(int(std::min(done, total) / 1024));
    m_estimates[game] = seconds(estimated);
    const QTime sum = QTime(0, 0).addSecs(m_estimates[0] + m_estimates[1]);
    m_remaining->setText("Time Remaining :  " + sum.toString("mm:ss"));
}

void UpdateWizard::downloadEnded(int game, bool usable)
{
    if (!usable) {
        m_status[game]->setText("Download failed: " + m_update->reason(game));
        return;
    }
    if (TKernel* kernel = TKernel::instance())
        kernel->ShowNotice(game == 0 ? "The Lotto update is ready to be installed"
                                     : "The Lotto Plus update is ready to be installed");
    m_speed->setText("Update has been downloaded successfully...");
    m_status[game]->setText("Download completed.");
    m_bars[game]->setValue(m_bars[game]->maximum());
}

void UpdateWizard::allEnded()
{
    m_animation->stop();
    if (m_update->anyUsable())
        m_next->setEnabled(true);
    else
        showFailure();
}

void UpdateWizard::showFailure()
{
    if (TKernel* kernel = TKernel::instance())
        kernel->ShowNotice("Unable to Update Database");
    showPage(Step3);
    m_close->setText("Finnish");
    m_close->setEnabled(true);
    m_next->setEnabled(false);
    m_back->setEnabled(false);
    m_details->setEnabled(true);
}

void UpdateWizard::installUpdate()
{
    TKernel* kernel = TKernel::instance();
    if (!kernel)
        return;
    m_next->setEnabled(false);
    m_close->setEnabled(false);
    showPage(Step2);
    m_installing = true;
    m_update->install(
        kernel->DataFolder(), [this](const QString& line) { m_memo->appendPlainText(line); },
        ResultsUpdate::eventPump());
    m_installing = false;
    m_close->setText("&Finnish");
    m_close->setEnabled(true);
}

void UpdateWizard::finish()
{
    m_close->setEnabled(false);
    m_next->setEnabled(false);
    m_back->setEnabled(false);
    if (TKernel* kernel = TKernel::instance()) {
        try {
            kernel->OpenGame(kernel->currentGame());
        } catch (const TKestError& error) {
            TKestMessage::critical(this, "Drawsage", error.message());
        }
        // The pages are filled from the main window's first showing on.
        auto* main = qobject_cast<MainWindow*>(parentWidget());
        if (main && main->isVisible())
            main->ShowStatistics();
        else
            kernel->RecalculateAll();
    }
    close();
}
