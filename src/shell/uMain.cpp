#include "uMain.h"

#include "kernel/Format.h"
#include "kernel/KestTableModel.h"
#include "kernel/uKernel.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

namespace {

std::vector<TKestTableModel::Column> drawGridColumns()
{
    const Qt::Alignment centred = Qt::AlignCenter;
    return {{"DrawDate", "Draw Date", Qt::AlignLeft | Qt::AlignVCenter},
            {"DrawMachine", "Draw Machine", centred},
            {"BallSet", "Ballset", centred},
            {"Ball1", "Ball 1", centred},
            {"Ball2", "Ball 2", centred},
            {"Ball3", "Ball 3", centred},
            {"Ball4", "Ball4 ", centred},
            {"Ball5", "Ball 5", centred},
            {"Ball6", "Ball 6", centred},
            {"BonusBall", "Bonus Ball", centred}};
}

} // namespace

TfrmMain::TfrmMain(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName("TfrmMain");
    setWindowTitle("Drawsage - South African Edition");

    auto* panel = new QWidget(this);
    panel->setObjectName("Panel9");
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(4, 4, 4, 4);
    Label3 = new QLabel("National Lotto Draw(s)", panel);
    Label3->setObjectName("Label3");
    QFont titleFont = Label3->font();
    titleFont.setBold(true);
    Label3->setFont(titleFont);
    layout->addWidget(Label3);

    m_drawModel = new TKestTableModel(this);
    m_drawModel->setColumns(drawGridColumns());
    LottoGrid = new QTableView(panel);
    LottoGrid->setObjectName("LottoGrid");
    LottoGrid->setModel(m_drawModel);
    LottoGrid->setToolTip("Double click for more information on selected draw");
    LottoGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    LottoGrid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    LottoGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LottoGrid->setAlternatingRowColors(true);
    // The columns share the width; date and machine take what their texts need.
    LottoGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    LottoGrid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    LottoGrid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    LottoGrid->verticalHeader()->setDefaultSectionSize(LottoGrid->fontMetrics().height() + 6);
    LottoGrid->verticalHeader()->hide();
    layout->addWidget(LottoGrid);
    setCentralWidget(panel);

    statusBar()->setObjectName("StatusBar");
    const QStringList panelTexts{QString(), QString(), QString(), " Database : National Lotto",
                                 " No filter script running"};
    for (int i = 0; i < int(StatusPanels.size()); ++i) {
        StatusPanels[i] = new QLabel(panelTexts[i], statusBar());
        StatusPanels[i]->setObjectName(QString("StatusPanel%1").arg(i));
        statusBar()->addWidget(StatusPanels[i], i == 4 ? 1 : 0);
    }

    // The grid's current row is the current draw of the results table.
    connect(LottoGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TfrmMain::followGridCursor);
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TfrmMain::FormShow()
{
    TKernel* kernel = TKernel::instance();
    if (!kernel)
        return;
    m_drawModel->setTable(&kernel->ResultsTable);
    connect(kernel, &TKernel::calculating, this, &TfrmMain::ShowCalculating);
    connect(&kernel->SystemTimer, &QTimer::timeout, this, &TfrmMain::SystemTimerTick);
    // Long passes let pending events through now and then, so the window keeps painting.
    kernel->keepResponsive = [] { QCoreApplication::processEvents(); };
    kernel->RecalculateAll();
    LottoGrid->setFocus();
    if (m_drawModel->rowCount() > 0)
        LottoGrid->setCurrentIndex(m_drawModel->index(0, 0));
    emit ready();
}

void TfrmMain::ShowCalculating()
{
    StatusPanels[0]->setText(" Calculating... ");
    StatusPanels[0]->repaint();
}

void TfrmMain::SystemTimerTick()
{
    const TKestTable& results = TKernel::instance()->ResultsTable;
    if (results.Active())
        StatusPanels[0]->setText(Format(" Known Lotto Draws: %d", {results.RecordCount()}));
}

void TfrmMain::followGridCursor()
{
    TKestTable* table = m_drawModel->table();
    const QModelIndex current = LottoGrid->currentIndex();
    if (table && table->Active() && current.isValid())
        table->setPosition(current.row());
}
