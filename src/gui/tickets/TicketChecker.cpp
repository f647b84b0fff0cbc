#include "gui/tickets/TicketChecker.h"

#include "core/kernel/Kernel.h"
#include "core/kernel/KestError.h"
#include "core/tickets/TicketCheck.h"
#include "core/tickets/TicketSummary.h"
#include "gui/components/DocumentPrinter.h"
#include "gui/components/KestFileDialog.h"
#include "gui/components/KestStrGrid.h"
#include "gui/components/StatisticsListView.h"
#include "gui/tickets/TicketViewer.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString NoTicketLoaded = "No ticket loaded";
const QString NoTicketsFound = "No Tickets found";
const QString ReadyText = " Ready.";
const QString DoneText = " Checking Combination : Done";
const QString UnableText = " Unable to check combinations";
const QString ClearedPrizeText = " Total Prize: None";
constexpr int EntryColumns = 6;

// The result list's colours: "Invalid" red; divisions 1-2 red, 3-4 green, 5-7 black and
// "No prize division" silver, by the division digit.
QVariant resultColour(const QStringList& row, int column)
{
    const QString text = row.value(column);
    if (column == 1 && !text.isEmpty())
        return QColor(text.startsWith('I', Qt::CaseInsensitive) ? Qt::red : Qt::black);
    if (column != 2)
        return {};
    switch (text.size() > 3 ? text[3].unicode() : 0) {
    case '1':
    case '2':
        return QColor(Qt::red);
    case '3':
    case '4':
        return QColor(0, 128, 0);
    case '5':
    case '6':
    case '7':
        return QColor(Qt::black);
    default:
        return QColor(128, 128, 128); // silver, dark enough to read on white
    }
}

StatisticsListView* resultList(const QString& name, const QStringList& captions,
                               const QList<int>& widths, QWidget* parent)
{
    auto* list =
        new StatisticsListView(name, captions, StatisticsListView::SortByHeaderClick, parent);
    for (int column = 0; column < widths.size(); ++column)
        list->horizontalHeader()->resizeSection(column, widths[column]);
    list->setMinimumSize(560, 200);
    return list;
}

} // namespace

TicketChecker::TicketChecker(QWidget* parent)
    : TKestDialog({.objectName = "TfrmCheck",
                   .caption = "Drawsage",
                   .title = "Check Lotto Ticket",
                   .description = "Use this feature to check your Lotto ticket"},
                  parent)
{
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    PageControl1->addTab(buildDrawTab(), "Draw");
    PageControl1->addTab(buildCustomTab(), "Custom");
    connect(PageControl1, &QTabWidget::currentChanged, this, &TicketChecker::tabChanged);
    contentLayout()->addWidget(PageControl1);

    const int wide = fontMetrics().horizontalAdvance("00 - 00 - 00 - 00 - 00 - 00") + 30;
    m_results = resultList("lvTicket", {"Ticket Combination", "Matched", "Prize Division"},
                           {wide, wide - 10}, this);
    m_results->rowsModel()->setForeground(resultColour);
    m_history =
        resultList("lvHistory", {"Draw Date", "Highest Match", "Prize"}, {wide, wide - 10}, this);
    m_historyTotals = new QLabel(this);
    m_historyTotals->setObjectName("lbHistoryTotals");
    m_historyTotals->setWordWrap(true);
    auto* historyPage = new QWidget(this);
    auto* historyLayout = new QVBoxLayout(historyPage);
    historyLayout->setContentsMargins(0, 0, 0, 0);
    historyLayout->addWidget(m_history);
    historyLayout->addWidget(m_historyTotals);
    m_resultPages = new QStackedWidget(this);
    m_resultPages->addWidget(m_results);
    m_resultPages->addWidget(historyPage);
    contentLayout()->addWidget(m_resultPages);

    auto* status = new QStatusBar(this);
    status->setObjectName("StatusBar1");
    status->setSizeGripEnabled(false);
    m_progress = new QLabel("Ready.", status);
    m_progress->setObjectName("Panel0");
    m_prizeTotal = new QLabel("Total Prize : R 0.00", status);
    m_prizeTotal->setObjectName("Panel1");
    status->addWidget(m_progress, 1);
    status->addWidget(m_prizeTotal, 1);
    contentLayout()->addWidget(status);

    m_check = addButton("Button1", "C&heck");
    m_check->setToolTip("Click here to check your Lotto ticket for any matching numbers.");
    connect(m_check, &QPushButton::clicked, this, &TicketChecker::check);
    m_allDraws = addButton("btnAllDraws", "&Every Draw");
    m_allDraws->setToolTip("Click here to see what your ticket would have won in every past draw.");
    connect(m_allDraws, &QPushButton::clicked, this, &TicketChecker::checkAllDraws);
    m_open = addButton("Button7", "&Open");
    m_open->setToolTip("Open Ticket Information.");
    connect(m_open, &QPushButton::clicked, this, &TicketChecker::openTicket);
    m_clear = addButton("Button2", "C&lear");
    m_clear->setToolTip("Click here to clear all the results.");
    m_clear->setEnabled(false);
    connect(m_clear, &QPushButton::clicked, this, &TicketChecker::clear);
    auto* print = addButton("btnPrint", "&Print");
    print->setToolTip("Click here to print the results or to save them as a PDF file.");
    print->setMenu(new PrintMenu(
        this, [this] { return document(); },
        [this] { return shownResults()->rowsModel()->rowCount() > 0; }));
    auto* close = addButton("Button3", "&Close");
    close->setToolTip("Click here to close this dialog.");
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    m_ticketDate = NoTicketLoaded;
    m_ticketCombinations = "0";
    m_highestMatch = "None";
}

QWidget* TicketChecker::buildDrawTab()
{
    auto* page = new QWidget(this);
    page->setObjectName("TabSheet1");
    auto* form = new QFormLayout;
    m_drawList = new QComboBox(page);
    m_drawList->setObjectName("DBLookupComboBox1");
    m_drawList->setToolTip("Select the draw date here.");
    m_drawList->setMaxVisibleItems(20);
    connect(m_drawList, &QComboBox::activated, this, &TicketChecker::chooseDraw);
    form->addRow("Draw Date", m_drawList);
    m_ticketList = new QComboBox(page);
    m_ticketList->setObjectName("ComboBox1");
    m_ticketList->setToolTip("Select your saved ticket here.");
    connect(m_ticketList, &QComboBox::activated, this, &TicketChecker::chooseTicket);
    form->addRow("Ticket Source", m_ticketList);

    auto* group = new QGroupBox(" Engine Information ", page);
    auto* groupLayout = new QVBoxLayout(group);
    auto* link = new QLabel("<a href=\"#\">Click here to view ticket combinations</a>", group);
    link->setObjectName("Label15");
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(link, &QLabel::linkActivated, this, &TicketChecker::showViewer);
    groupLayout->addWidget(link);
    m_summary =
        new StatisticsListView("CheckInfo", {"Item", "Value"}, StatisticsListView::Unsorted, group);
    m_summary->setToolTip("Displays the details on both draw and saved ticket.");
    m_summary->horizontalHeader()->hide();
    m_summary->horizontalHeader()->resizeSection(
        0, fontMetrics().horizontalAdvance("Total Ticket Combinations") + 20);
    m_summary->setFixedHeight(6 * m_summary->verticalHeader()->defaultSectionSize() +
                              2 * m_summary->frameWidth());
    groupLayout->addWidget(m_summary);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addWidget(group);
    return page;
}

QWidget* TicketChecker::buildCustomTab()
{
    auto* page = new QWidget(this);
    page->setObjectName("TabSheet2");
    m_board = new CheckBoard(m_picks, page);
    m_board->setObjectName("DrawGrid1");
    m_board->setToolTip(
        "Select the winning lotto numbers (Ball 1 to 6 is Blue, and Bonus Ball is Green)");
    connect(m_board, &CheckBoard::picked, this, &TicketChecker::pick);
    m_pickCount = new QLabel("0 of 7", page);
    m_pickCount->setObjectName("Label14");
    const QStringList names{"a1", "a2", "a3", "a4", "a5", "a6", "ab"};
    for (int i = 0; i < 7; ++i) {
        m_pickLabels[i] = new QLabel("00", page);
        m_pickLabels[i]->setObjectName(names[i]);
        m_pickLabels[i]->hide();
    }
    m_entry = new TKestStrGrid(page);
    m_entry->setObjectName("KestStrGrid1");
    m_entry->setToolTip("Enter your ticket combinations");
    m_entry->setColumnCount(EntryColumns);
    m_entry->clearCells(1);
    m_entry->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    auto* board = new QVBoxLayout;
    board->addWidget(new QLabel("Ticket", page));
    board->addWidget(m_board);
    board->addWidget(m_pickCount);
    board->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(board);
    layout->addWidget(m_entry, 1);
    return page;
}

TicketViewer* TicketChecker::viewer() const
{
    return parentWidget() ? parentWidget()->findChild<TicketViewer*>() : nullptr;
}

TKernel* TicketChecker::kernel() const
{
    return TKernel::instance();
}

void TicketChecker::showEvent(QShowEvent* event)
{
    TKestDialog::showEvent(event);
    {
        // Showing starts on the Draw tab without the Clear a tab change runs.
        const QSignalBlocker blocker(PageControl1);
        PageControl1->setCurrentIndex(0);
        m_open->setEnabled(true);
    }
    fillDrawList();
    fillTicketList();
    m_ticketDate = NoTicketLoaded;
    m_ticketCombinations = "0";
    m_highestMatch = "None";
    refreshSummary();
}

void TicketChecker::closeEvent(QCloseEvent* event)
{
    if (m_running) {
        event->ignore();
        return;
    }
    if (TicketViewer* view = viewer())
        view->clearTicket();
    m_results->setRows({});
    m_ticketList->setCurrentIndex(-1);
    TKestDialog::closeEvent(event);
}

void TicketChecker::fillDrawList()
{
    m_drawList->clear();
    TKernel* k = kernel();
    if (!k || !k->ResultsTable.Active())
        return;
    TKestTable& results = k->ResultsTable;
    QStringList dates;
    for (int row = 0; row < results.RecordCount(); ++row)
        dates << results.textAt(row, Tables::DrawDate);
    m_drawList->addItems(dates);
    m_drawList->setCurrentIndex(results.position());
}

void TicketChecker::fillTicketList()
{
    m_ticketList->clear();
    QStringList names;
    if (TKernel* k = kernel()) {
        for (const QString& file :
             QDir(k->GetTicketDir()).entryList({"*.dtk"}, QDir::Files, QDir::Name))
            names << file.chopped(4);
    }
    names.sort();
    if (names.isEmpty()) {
        m_ticketList->addItem(NoTicketsFound);
        m_ticketList->setCurrentIndex(0);
        m_ticketList->setEnabled(false);
        return;
    }
    m_ticketList->addItems(names);
    m_ticketList->setEnabled(true);
    m_ticketList->setCurrentIndex(-1);
}

void TicketChecker::chooseDraw(int index)
{
    if (TKernel* k = kernel(); k && index >= 0)
        k->ResultsTable.setPosition(index);
    m_highestMatch = "None";
    refreshSummary();
    m_results->setRows({});
}

void TicketChecker::chooseTicket(int index)
{
    TicketViewer* view = viewer();
    if (!view || !kernel() || index < 0)
        return;
    const QString file =
        QDir(kernel()->GetTicketDir()).filePath(m_ticketList->itemText(index) + ".dtk");
    view->LoadTicket(file);
    ticketLoaded(ticketListDate(QFileInfo(file).lastModified()));
}

void TicketChecker::openTicket()
{
    TicketViewer* view = viewer();
    if (!view || !kernel())
        return;
    const QString file = TKestFileDialog::getOpenFileName(
        this, {QString(), "Ticket Files|*.dtk", "dtk", kernel()->GetTicketDir() + "/"});
    if (file.isEmpty())
        return;
    view->LoadTicket(file);
    const QFileInfo info(file);
    m_ticketList->setEnabled(true);
    m_ticketList->addItem(info.fileName());
    m_ticketList->setCurrentIndex(m_ticketList->count() - 1);
    ticketLoaded(QLocale().toString(info.lastModified(), QLocale::ShortFormat));
}

void TicketChecker::ticketLoaded(const QString& ticketDate)
{
    m_ticketDate = ticketDate;
    m_ticketCombinations = QString::number(viewer()->combinations().size());
    m_highestMatch = "None";
    refreshSummary();
    m_results->setRows({});
    m_resultPages->setCurrentIndex(0);
}

void TicketChecker::showViewer()
{
    TicketViewer* view = viewer();
    if (!view)
        return;
    const QString ticket = m_ticketList->currentText();
    view->showFromChecker(ticket.isEmpty() ? "Drawsage - No ticked Loaded"
                                           : "Viewing " + ticket + " Ticket");
}

void TicketChecker::pick(int number)
{
    m_picks.toggle(number);
    showPicks();
    m_clear->setEnabled(true);
}

void TicketChecker::showPicks()
{
    m_pickCount->setText(QString("%1 of %2").arg(m_picks.count()).arg(CheckPicks::MaxPicks));
    const auto balls = m_picks.balls();
    for (int i = 0; i < CheckPicks::MaxPicks; ++i)
        m_pickLabels[i]->setText(QString("%1").arg(balls[i], 2, 10, QChar('0')));
    m_board->update();
}

void TicketChecker::check()
{
    if (m_running)
        return;
    if (PageControl1->currentIndex() == 0)
        drawCheck();
    else
        customCheck();
}

bool TicketChecker::beginCheck()
{
    if (m_running)
        return false;
    m_running = true;
    // Nothing that changes the ticket, the draw or the tab while a check lets events through.
    PageControl1->setEnabled(false);
    for (QPushButton* button : {m_check, m_allDraws, m_open, m_clear})
        button->setEnabled(false);
    return true;
}

void TicketChecker::endCheck()
{
    m_running = false;
    PageControl1->setEnabled(true);
    m_check->setEnabled(true);
    m_allDraws->setEnabled(true);
    m_open->setEnabled(PageControl1->currentIndex() == 0);
    m_clear->setEnabled(true);
}

void TicketChecker::drawCheck()
{
    TKernel* k = kernel();
    TicketViewer* view = viewer();
    if (!k || !view || !beginCheck())
        return;
    const QStringList texts = view->combinations();
    try {
        if (texts.size() > MaxCheckCombinations) {
            k->ShowNotice(QString("This ticket holds %1 combinations; a check takes at most %2.")
                              .arg(texts.size())
                              .arg(MaxCheckCombinations));
            m_progress->setText(UnableText);
        } else {
            const CheckDraw draw = currentDraw(k->ResultsTable);
            const auto combinations = combinationNumbers(texts);
            m_results->setRows({});
            m_resultPages->setCurrentIndex(0);
            const DrawCheck result = ::checkDraw(texts, combinations, draw, [this](int done, int) {
                m_progress->setText(QString(" Checking Combination : %1").arg(done));
                QCoreApplication::processEvents();
            });
            m_results->setRows(result.rows);
            if (!result.highestMatch.isEmpty())
                m_highestMatch = result.highestMatch;
            m_prizeTotal->setText(totalPrizeText(result.totalPrize));
            if (!result.error.isEmpty())
                throw TKestError(result.error);
            m_progress->setText(DoneText);
            if (result.sixMatched)
                k->ShowNotice(SixMatchedNotice);
        }
    } catch (const TKestError& error) {
        emit k->errorOccurred(error.message());
    }
    endCheck();
    refreshSummary();
}

void TicketChecker::customCheck()
{
    if (!beginCheck())
        return;
    std::vector<CheckNumbers> combinations;
    bool readable = m_entry->rowCount() <= MaxCheckCombinations;
    for (int row = 0; readable && row < m_entry->rowCount(); ++row) {
        CheckNumbers numbers{};
        for (int column = 0; readable && column < EntryColumns; ++column)
            numbers[column] = m_entry->cellText(row, column).toInt(&readable);
        combinations.push_back(numbers);
    }
    if (readable) {
        const CustomCheck result = checkCustom(combinations, m_picks.balls());
        m_results->setRows(result.rows);
        m_resultPages->setCurrentIndex(0);
        setStatus(DoneText, CustomPrizeText);
        if (result.sixMatched && kernel())
            kernel()->ShowNotice(SixMatchedNotice);
    } else {
        m_progress->setText(UnableText);
    }
    endCheck();
    refreshSummary();
}

void TicketChecker::checkAllDraws()
{
    TKernel* k = kernel();
    TicketViewer* view = viewer();
    if (!k || !view || !beginCheck())
        return;
    try {
        const auto combinations = combinationNumbers(view->combinations());
        const TicketHistory history = ::checkAllDraws(
            combinations, visibleDraws(k->ResultsTable), [this](int done, int total) {
                m_progress->setText(QString(" Checking Draw : %1 of %2").arg(done).arg(total));
                QCoreApplication::processEvents();
            });
        m_history->setRows(paidDrawRows(history));
        QStringList totals;
        for (const QStringList& row : historyTotals(history, k->ReadSettingFloat("CostUnit")))
            totals << row.join(": ");
        m_historyTotals->setText(totals.join("   "));
        m_resultPages->setCurrentIndex(1);
        setStatus(DoneText, totalPrizeText(history.totalPrize));
    } catch (const TKestError& error) {
        m_progress->setText(UnableText);
        emit k->errorOccurred(error.message());
    }
    endCheck();
}

void TicketChecker::clear()
{
    if (m_running)
        return;
    if (TicketViewer* view = viewer())
        view->clearTicket();
    m_results->setRows({});
    m_history->setRows({});
    m_historyTotals->clear();
    m_resultPages->setCurrentIndex(0);
    m_ticketList->setCurrentIndex(-1);
    m_clear->setEnabled(false);
    m_entry->clearCells(1);
    m_picks.clear();
    showPicks();
    m_ticketDate = NoTicketLoaded;
    m_ticketCombinations = "0";
    m_highestMatch = "None";
    setStatus(ReadyText, ClearedPrizeText);
    refreshSummary();
}

StatisticsListView* TicketChecker::shownResults() const
{
    return m_resultPages->currentIndex() == 0 ? m_results : m_history;
}

PrintDocument TicketChecker::document() const
{
    TKernel* k = kernel();
    if (!k)
        return {};
    PrintDocument page = printDocument("Ticket Check", *k);
    if (PageControl1->currentIndex() == 0)
        page.summary = m_summary->rowsModel()->rows();
    addListRows(page, *shownResults());
    page.notes = shownResults() == m_history ? m_historyTotals->text().split("   ")
                                             : QStringList{m_prizeTotal->text().trimmed()};
    return page;
}

void TicketChecker::refreshSummary()
{
    CheckDraw draw;
    if (TKernel* k = kernel(); k && k->ResultsTable.Active() && k->ResultsTable.RecNo() > 0)
        draw = currentDraw(k->ResultsTable);
    m_summary->setRows(checkSummaryRows(draw, m_ticketDate, m_ticketCombinations, m_highestMatch));
}

void TicketChecker::setStatus(const QString& progress, const QString& prize)
{
    m_progress->setText(progress);
    m_prizeTotal->setText(prize);
}

void TicketChecker::tabChanged(int index)
{
    m_open->setEnabled(index == 0);
    clear();
}
