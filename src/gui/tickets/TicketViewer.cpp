#include "gui/tickets/TicketViewer.h"

#include "core/kernel/Kernel.h"
#include "core/tickets/TicketSummary.h"
#include "gui/components/CombinationDelegate.h"
#include "gui/components/DocumentPrinter.h"
#include "gui/components/KestFileDialog.h"
#include "gui/components/KestMessage.h"
#include "gui/components/KestPictures.h"
#include "gui/components/StatisticsListView.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int ColumnPadding = 24;
constexpr int RatingColumnWidth = 65 + 2 * 5;
constexpr int VisibleRows = 12;
} // namespace

TicketViewer::TicketViewer(QWidget* parent)
    : TKestDialog({.objectName = "TfrmView",
                   .caption = "Drawsage",
                   .title = "View ticket information",
                   .description = "Use this feature to view your saved Lotto ticket"},
                  parent)
{
    auto* group = new QGroupBox(" Information ", this);
    group->setObjectName("GroupBox1");
    auto* form = new QFormLayout(group);
    const QStringList& captions = TicketInformationCaptions;
    for (int i = 0; i < captions.size(); ++i) {
        auto* value = new QLabel(": 00", group);
        value->setObjectName(QString("Label%1").arg(7 + i));
        form->addRow(captions[i], value);
        m_values << value;
    }
    m_rating = new QLabel(group);
    m_rating->setObjectName("Image1");
    m_rating->setFixedSize(CombinationDelegate::RatingPictureSize);
    form->addRow("Overall Rating ", m_rating);
    contentLayout()->addWidget(group);

    lvResult = new StatisticsListView("lvResult", {"Sequence", "Combinations", "Sum", "Rating"},
                                      StatisticsListView::SortByHeaderClick, this);
    lvResult->setToolTip("Displays all the combinations saved in this ticket.");
    lvResult->setItemDelegate(new CombinationDelegate(lvResult));
    lvResult->setShowGrid(true);
    // Fixed widths that hold each column's longest text whole.
    const QFontMetrics metrics = lvResult->fontMetrics();
    QHeaderView* header = lvResult->horizontalHeader();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Fixed);
    const QStringList widest{"Sequence", "00 - 00 - 00 - 00 - 00 - 00", "Sum"};
    int width = 0;
    for (int column = 0; column < widest.size(); ++column) {
        header->resizeSection(column, metrics.horizontalAdvance(widest[column]) + ColumnPadding);
        width += header->sectionSize(column);
    }
    header->resizeSection(
        3, qMax(RatingColumnWidth, metrics.horizontalAdvance("Rating") + ColumnPadding));
    width += header->sectionSize(3);
    lvResult->setFixedSize(width + 2 * lvResult->frameWidth() +
                               lvResult->style()->pixelMetric(QStyle::PM_ScrollBarExtent),
                           header->height() +
                               VisibleRows * lvResult->verticalHeader()->defaultSectionSize());
    contentLayout()->addWidget(lvResult);

    m_open = addButton("Button2", "&Open");
    connect(m_open, &QPushButton::clicked, this, &TicketViewer::openTicket);
    auto* print = addButton("btnPrint", "&Print");
    print->setToolTip("Click here to print this ticket or to save it as a PDF file.");
    m_printMenu = new PrintMenu(
        this, [this] { return document(); },
        [this] { return lvResult->rowsModel()->rowCount() > 0; });
    print->setMenu(m_printMenu);
    auto* close = addButton("Button1", "&Close");
    close->setToolTip("Click here to close this dialog.");
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

bool TicketViewer::LoadTicket(const QString& fileName)
{
    TicketRows rows;
    try {
        ::LoadTicket(rows, fileName);
    } catch (const TicketFileError& error) {
        TKestMessage::critical(this, TicketErrorCaption, error.message());
        return false;
    }
    std::vector<QStringList> texts;
    texts.reserve(rows.size());
    for (const TicketRow& row : rows)
        texts.push_back(QStringList{row.caption} + row.subItems);
    lvResult->setRows(std::move(texts));
    m_ticketName = QFileInfo(fileName).completeBaseName();
    return true;
}

QStringList TicketViewer::combinations() const
{
    QStringList texts;
    for (const QStringList& row : lvResult->rowsModel()->rows())
        texts << row.value(1);
    return texts;
}

void TicketViewer::clearTicket()
{
    lvResult->setRows({});
    m_ticketName.clear();
}

PrintDocument TicketViewer::document() const
{
    TKernel* kernel = TKernel::instance();
    if (!kernel)
        return {};
    return ticketDocument(rows(), m_ticketName, kernel->ReadSettingFloat("CostUnit"),
                          printDocument(TicketPrintTitle, *kernel));
}

void TicketViewer::showFromChecker(const QString& caption)
{
    setWindowTitle(caption);
    m_open->setEnabled(false);
    show();
    raise();
    activateWindow();
}

void TicketViewer::showEvent(QShowEvent* event)
{
    TKestDialog::showEvent(event);
    showInformation();
}

void TicketViewer::closeEvent(QCloseEvent* event)
{
    m_open->setEnabled(true);
    TKestDialog::closeEvent(event);
}

TicketRows TicketViewer::rows() const
{
    TicketRows rows;
    for (const QStringList& texts : lvResult->rowsModel()->rows())
        rows.push_back({texts.value(0), texts.mid(1), 0});
    return rows;
}

void TicketViewer::showInformation()
{
    TKernel* kernel = TKernel::instance();
    if (!kernel)
        return;
    try {
        const auto information = ticketInformation(rows(), kernel->ReadSettingFloat("CostUnit"));
        if (!information)
            return;
        const QStringList texts = information->texts();
        for (int i = 0; i < m_values.size(); ++i)
            m_values[i]->setText(texts[i]);
        m_rating->setPixmap(ratingPicture(5 - information->ratingPicture,
                                          CombinationDelegate::RatingPictureSize,
                                          palette().color(QPalette::Window)));
    } catch (const TKestError& error) {
        emit kernel->errorOccurred(error.message());
    }
}

void TicketViewer::openTicket()
{
    const QString folder =
        TKernel::instance() ? TKernel::instance()->GetTicketDir() + "/" : QString();
    const QString file = TKestFileDialog::getOpenFileName(
        this, {"Open Saved Ticket", "Ticket|*.dtk", "dtk", folder});
    if (!file.isEmpty() && LoadTicket(file))
        showInformation();
}
