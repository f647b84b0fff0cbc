#include "gui/shell/MainWindow.h"

#include "core/kernel/Format.h"
#include "core/kernel/Kernel.h"
#include "core/kernel/KestError.h"
#include "core/kernel/Random.h"
#include "core/kernel/TableSchema.h"
#include "core/records/FilterScripts.h"
#include "core/stats/NewsLine.h"
#include "core/stats/NumberInformation.h"
#include "gui/components/KestContainer.h"
#include "gui/components/KestExBar.h"
#include "gui/components/KestFileDialog.h"
#include "gui/components/KestHint.h"
#include "gui/components/KestMessage.h"
#include "gui/components/KestPictures.h"
#include "gui/components/KestTableModel.h"
#include "gui/generator/FavouritesWindow.h"
#include "gui/generator/GeneratorWindow.h"
#include "gui/records/AddDrawWindow.h"
#include "gui/records/DrawDetailsWindow.h"
#include "gui/records/FilterEditor.h"
#include "gui/records/GameSelectionWindow.h"
#include "gui/shell/AboutBox.h"
#include "gui/shell/MagnifierWindow.h"
#include "gui/shell/PreferencesWindow.h"
#include "gui/stats/FairnessWindow.h"
#include "gui/stats/FrequencyHistoryWindow.h"
#include "gui/stats/StatisticsPages.h"
#include "gui/tickets/TicketChecker.h"
#include "gui/tickets/TicketViewer.h"
#include "gui/update/UpdateWizard.h"

#include <QActionGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr auto WebSite = "https://kestrix.example/drawsage";
constexpr auto SupportMail = "mailto:support@kestrix.example?subject=Drawsage";
constexpr auto HelpFile = "drawsagehelp.chm";

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

QLabel* boldLabel(const QString& text, const QString& objectName, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
    , m_helpFolder(QDir::currentPath())
{
    setObjectName("TfrmMain");
    setWindowTitle("Drawsage - South African Edition");
    createCommands();
    createMenus();
    createToolBars();
    createCentre();
    createStatusBar();
    // Hints wait two seconds and go after five, everywhere in the program.
    (new TKestHint(this))->setActive(true);
}

// ---------------------------------------------------------------------------------------
// Building the window

QAction* MainWindow::command(const QString& name) const
{
    return findChild<QAction*>(name);
}

QAction* MainWindow::addCommand(const QString& name, const QString& caption, const QString& hint,
                                const std::function<void()>& run)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setToolTip(hint.isEmpty() ? QString(caption).remove('&') : hint);
    action->setStatusTip(hint);
    connect(action, &QAction::triggered, this, run);
    addAction(action); // short cuts work whichever bar shows the command
    return action;
}

void MainWindow::addVisibilityToggle(const QString& name, const QString& caption,
                                     const QString& hint)
{
    QAction* toggle = addCommand(name, caption, hint, [] {});
    toggle->setCheckable(true);
    toggle->setChecked(true);
}

void MainWindow::createCommands()
{
    const QString openHint = "Click here to open different Lotto 6/49 games.";
    const QString addHint = "Click here to enter draw information manually.";
    const QString favouriteHint =
        "Click here to include your favourite numbers in the calculations.";
    const QString generateHint = "Click here to generate unique number combinations.";
    const QString updateHint = "Click here to download and update the database.";
    const QString aboutHint =
        "Click here to learn more about the author, and the software license.";

    addCommand("TBItem26", "Open", openHint, shows<GameSelectionWindow>());
    addCommand("TBItem3", "Add New", addHint, shows<AddDrawWindow>());
    addCommand("TBItem5", "Remove", "Remove the selected Lotto draw result from the database",
               [this] { RemoveDraw(); });
    addCommand("TBItem13", "Favourite", favouriteHint, shows<FavouritesWindow>());
    addCommand("TBItem24", "Generate", generateHint, shows<GeneratorWindow>());
    addCommand("TBItem11", "Update", updateHint, [this] { UpdateCommand(); });
    addCommand("TBItem7", "About", aboutHint, shows<AboutBox>());
    addCommand("TBItem23", "Help", "Click here to learn more.", [this] { HelpCommand(false); });

    addCommand("TBItem6", "Create Script", "Create a new script or edit the current script",
               shows<FilterEditor>());
    addCommand("btnExecute", "Run Script", "Run script", [this] { RunScript(); });
    addCommand("btnStop", "Stop Script", "Stop script", [this] { StopScript(); });
    addCommand("btnOpen", "Open Script", "Open script", [this] { OpenScript(); });

    addCommand("TBItem4", "Open", {}, shows<GameSelectionWindow>());
    auto* games = new QActionGroup(this);
    QAction* lotto =
        addCommand("TBItem28", "1. National Lotto ", {}, [this] { SwitchGame(Tables::Lotto); });
    QAction* plus = addCommand("TBItem27", "2. National Lotto Plus", {},
                               [this] { SwitchGame(Tables::LottoPlus); });
    for (QAction* game : {lotto, plus}) {
        game->setCheckable(true);
        games->addAction(game);
    }
    lotto->setChecked(true);
    addCommand("TBItem22", "Preferences", {}, shows<PreferencesWindow>());
    addCommand("TBItem2", "E&xit", {}, [this] { close(); });

    addCommand("TBItem18", "Filter Script Editor", {}, shows<FilterEditor>());
    addCommand("TBItem32", "Magnifier", {}, [this] { MagnifierCommand(); });
    addCommand("TBItem12", "Check Lotto Ticket", {}, shows<TicketChecker>());
    addCommand("TBItem20", "Combination Generator", {}, shows<GeneratorWindow>());
    addCommand("TBItem19", "Favourite Numbers", {}, shows<FavouritesWindow>());
    addCommand("TBItem21", "Anylize Frequencies", {}, shows<FrequencyHistoryWindow>());
    addCommand("actFairness", "Fairness Test", {}, shows<FairnessWindow>());

    addCommand("TBItem8", "Drawsage Help", {}, [this] {
        HelpCommand(true);
    })->setShortcut(QKeySequence(Qt::Key_F1));
    addCommand("TBItem10", "Update Database", {}, [this] { UpdateCommand(); });
    addCommand("TBItem30", "Contact Kestrix Support", {}, [this] { ContactCommand(); });
    addCommand("TBItem9", "About Drawsage", {}, shows<AboutBox>());

    addCommand("TBItem17", "Filter Script Editor", {}, shows<FilterEditor>());
    addCommand("TBItem14", "Add New Entry", {}, shows<AddDrawWindow>());
    addCommand("TBItem15", "Delete Entry", {}, [this] { RemoveDraw(); });
    addCommand("TBItem16", "Entry Details", {}, shows<DrawDetailsWindow>());
    addCommand("TBItem33", "Show Magnifier", {}, [this] { MagnifierCommand(); });
}

void MainWindow::createToolBars()
{
    const std::pair<const char*, const char*> icons[] = {
        {"TBItem26", "open"},      {"TBItem3", "add"},          {"TBItem5", "remove"},
        {"TBItem13", "favourite"}, {"TBItem24", "generate"},    {"TBItem11", "update"},
        {"TBItem7", "about"},      {"TBItem23", "help"},        {"TBItem6", "script"},
        {"btnExecute", "run"},     {"btnStop", "stop"},         {"btnOpen", "open"},
        {"TBItem4", "open"},       {"TBItem22", "preferences"}, {"TBItem2", "exit"},
        {"TBItem18", "script"},    {"TBItem32", "magnifier"},   {"TBItem12", "check"},
        {"TBItem20", "generate"},  {"TBItem19", "favourite"},   {"TBItem21", "ticket"},
        {"TBItem8", "help"},       {"TBItem10", "update"},      {"TBItem9", "about"},
        {"TBItem17", "script"},    {"TBItem14", "add"},         {"TBItem15", "remove"},
        {"TBItem16", "ticket"},    {"TBItem33", "magnifier"}};
    for (const auto& [name, icon] : icons)
        command(name)->setIcon(commandIcon(icon));

    const auto makeBar = [this](const QString& name, const QString& caption) {
        auto* bar = new QToolBar(caption, this);
        bar->setObjectName(name);
        bar->setMovable(false);
        bar->setFloatable(false);
        addToolBar(Qt::TopToolBarArea, bar);
        return bar;
    };

    tbMain = makeBar("tbMain", "MainToolbar");
    tbMain->addWidget(tbMenu);
    addToolBarBreak();

    tbTools = makeBar("tbTools", "Toolbar");
    tbTools->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tbTools->setIconSize(QSize(32, 32));
    addVisibilityToggle("TBVisibilityToggleItem1", "Filter",
                        "Use this feature to filter certain fields");
    command("TBVisibilityToggleItem1")->setIcon(commandIcon("filter"));
    for (const char* name : {"TBItem26", "TBItem3", "TBItem5", "TBVisibilityToggleItem1",
                             "TBItem13", "TBItem24", "TBItem11", "TBItem7", "TBItem23"})
        tbTools->addAction(command(name));
    addToolBarBreak();

    tbFilter = makeBar("tbFilter", "Filter Script");
    tbFilter->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    for (const char* name : {"TBItem6", "btnExecute", "btnStop", "btnOpen"})
        tbFilter->addAction(command(name));
    ComboBox1 = new QComboBox(tbFilter);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setMinimumContentsLength(24);
    ComboBox1->setEnabled(false);
    tbFilter->addWidget(ComboBox1);
    connect(ComboBox1, &QComboBox::activated, this, &MainWindow::ChooseScript);

    // Every way of showing or hiding a bar stays in step with the bar itself.
    const std::pair<const char*, QToolBar*> toggles[] = {
        {"TBVisibilityToggleItem1", tbFilter}, {"TBVisibilityToggleItem2", tbFilter},
        {"TBVisibilityToggleItem5", tbFilter}, {"TBVisibilityToggleItem7", tbFilter},
        {"TBVisibilityToggleItem3", tbTools},  {"TBVisibilityToggleItem6", tbTools},
        {"TBVisibilityToggleItem4", tbMain}};
    for (const auto& [name, bar] : toggles) {
        QAction* toggle = command(name);
        connect(toggle, &QAction::toggled, bar, &QToolBar::setVisible);
        connect(bar, &QToolBar::visibilityChanged, toggle, &QAction::setChecked);
    }
}

void MainWindow::createMenus()
{
    tbMenu = new QMenuBar(this);
    tbMenu->setObjectName("tbMenu");
    tbMenu->setNativeMenuBar(false);
    const auto add = [this](QMenu* menu, std::initializer_list<const char*> names) {
        for (const char* name : names) {
            if (QString(name) == "-")
                menu->addSeparator();
            else
                menu->addAction(command(name));
        }
    };
    // The toggles the View menu and the pop-up menus share are created here once.
    addVisibilityToggle("TBVisibilityToggleItem5", "Filter Toolbar", {});
    addVisibilityToggle("TBVisibilityToggleItem3", "Toolbar", {});
    addVisibilityToggle("TBVisibilityToggleItem2", "Filter Toolbar", {});
    addVisibilityToggle("TBVisibilityToggleItem4", "Menu Bar", {});
    addVisibilityToggle("TBVisibilityToggleItem6", "Toolbar", {});
    addVisibilityToggle("TBVisibilityToggleItem7", "Filter Bar", {});

    add(tbMenu->addMenu("&File"),
        {"TBItem4", "-", "TBItem28", "TBItem27", "-", "TBItem22", "-", "TBItem2"});
    QMenu* view = tbMenu->addMenu("&View");
    add(view->addMenu("Filter"), {"TBVisibilityToggleItem5", "TBItem18"});
    add(view, {"TBVisibilityToggleItem3", "TBItem32", "-", "TBItem12", "TBItem20", "TBItem19"});
    add(tbMenu->addMenu("&Tools"), {"TBItem21", "actFairness"});
    add(tbMenu->addMenu("&Help"), {"TBItem8", "TBItem10", "-", "TBItem30", "TBItem9"});

    auto* gridMenu = new QMenu(this);
    gridMenu->setObjectName("GridMenu");
    add(gridMenu->addMenu("Filter"), {"TBVisibilityToggleItem2", "TBItem17"});
    add(gridMenu, {"-", "TBItem14", "TBItem15", "TBItem16"});
}

QMenu* MainWindow::createPopupMenu()
{
    auto* viewMenu = new QMenu(this);
    viewMenu->setObjectName("ViewMenu");
    for (const char* name :
         {"TBVisibilityToggleItem4", "TBVisibilityToggleItem6", "TBVisibilityToggleItem7"})
        viewMenu->addAction(command(name));
    return viewMenu;
}

void MainWindow::createCentre()
{
    auto* centre = new QWidget(this);
    auto* layout = new QVBoxLayout(centre);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* panel3 = new QWidget(centre);
    panel3->setObjectName("Panel3");
    panel3->setAutoFillBackground(true);
    QPalette marqueePalette = panel3->palette();
    marqueePalette.setColor(QPalette::Window, QColor(0, 64, 128));
    marqueePalette.setColor(QPalette::WindowText, QColor(255, 221, 87));
    panel3->setPalette(marqueePalette);
    auto* marqueeLayout = new QVBoxLayout(panel3);
    marqueeLayout->setContentsMargins(6, 3, 6, 3);
    lblMarquee = boldLabel(" Marquee", "lblMarquee", panel3);
    marqueeLayout->addWidget(lblMarquee);
    panel3->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(panel3, &QWidget::customContextMenuRequested, this, [this, panel3](const QPoint& at) {
        QMenu* menu = createPopupMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(panel3->mapToGlobal(at));
    });
    layout->addWidget(panel3);

    m_body = new QHBoxLayout;
    m_body->setContentsMargins(0, 0, 0, 0);
    m_body->setSpacing(0);
    layout->addLayout(m_body, 1);
    Splitter = new QSplitter(Qt::Vertical, centre);
    Splitter->setObjectName("Splitter");
    auto* panel9 = new QWidget(Splitter);
    panel9->setObjectName("Panel9");
    auto* gridLayout = new QVBoxLayout(panel9);
    gridLayout->setContentsMargins(4, 4, 4, 0);
    Label3 = boldLabel("National Lotto Draw(s)", "Label3", panel9);
    gridLayout->addWidget(Label3);

    m_drawModel = new TKestTableModel(this);
    m_drawModel->setColumns(drawGridColumns());
    LottoGrid = new QTableView(panel9);
    LottoGrid->setObjectName("LottoGrid");
    LottoGrid->setModel(m_drawModel);
    LottoGrid->setToolTip("Double click for more information on selected draw");
    LottoGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    LottoGrid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    LottoGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LottoGrid->setAlternatingRowColors(true);
    LottoGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    // The columns share the width; date and machine take what their texts need.
    LottoGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    LottoGrid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    LottoGrid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    LottoGrid->verticalHeader()->setDefaultSectionSize(LottoGrid->fontMetrics().height() + 6);
    LottoGrid->verticalHeader()->hide();
    LottoGrid->installEventFilter(this);
    gridLayout->addWidget(LottoGrid);
    connect(LottoGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &MainWindow::followGridCursor);
    // A reset of the rows loses the grid's current row; the table keeps its current draw, so
    // the grid shows that one again and Delete removes the draw the user sees.
    connect(m_drawModel, &QAbstractItemModel::modelReset, this, [this] {
        const int current = m_kernel ? m_kernel->ResultsTable.position() : -1;
        if (current >= 0)
            LottoGrid->setCurrentIndex(m_drawModel->index(current, 0));
    });
    connect(LottoGrid, &QTableView::doubleClicked, this,
            [this] { showWindow<DrawDetailsWindow>(); });
    // A pass over the draws that ended early may have left the grid's updates suspended.
    connect(LottoGrid, &QTableView::clicked, this, [this] {
        while (m_kernel && m_kernel->ResultsTable.ControlsDisabled())
            m_kernel->ResultsTable.EnableControls();
    });
    connect(LottoGrid, &QTableView::customContextMenuRequested, this, [this](const QPoint& at) {
        findChild<QMenu*>("GridMenu")->popup(LottoGrid->viewport()->mapToGlobal(at));
    });

    frmGraph = new TKestContainer(Splitter);
    frmGraph->setObjectName("frmGraph");
    frmGraph->setTitle("Lotto Statistics");
    Label2 = frmGraph->titleLabel();
    Label2->setObjectName("Label2");
    PageControl1 = new StatisticsPages(frmGraph);
    frmGraph->setContent(PageControl1);
    connect(PageControl1, &StatisticsPages::magnifierRequested, this,
            &MainWindow::MagnifierCommand);
    connect(PageControl1, &StatisticsPages::drawFilterChanged, this, [this] {
        ShowStatistics();
        PageControl1->RefreshDrawInformation(*m_kernel);
    });
    Splitter->setStretchFactor(0, 1);
    Splitter->setStretchFactor(1, 1);
    m_body->addWidget(Splitter, 1);
    setCentralWidget(centre);
}

void MainWindow::createStatusBar()
{
    statusBar()->setObjectName("StatusBar");
    const QStringList texts{QString(), QString(), QString(), " Database : National Lotto",
                            " No filter script running"};
    for (int i = 0; i < int(StatusPanels.size()); ++i) {
        StatusPanels[i] = new QLabel(texts[i], statusBar());
        StatusPanels[i]->setObjectName(QString("StatusPanel%1").arg(i));
        StatusPanels[i]->setMinimumWidth(i == 4 ? 0 : 150);
        statusBar()->addWidget(StatusPanels[i], i == 4 ? 1 : 0);
    }
}

// ---------------------------------------------------------------------------------------
// The first showing and the refresh

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void MainWindow::FormShow()
{
    m_kernel = TKernel::instance();
    if (!m_kernel)
        return;
    m_drawModel->setTable(&m_kernel->ResultsTable);
    connect(m_kernel, &TKernel::calculating, this, &MainWindow::ShowCalculating);
    connect(&m_kernel->SystemTimer, &QTimer::timeout, this, &MainWindow::SystemTimerTick);
    connect(&m_kernel->ScrollTimer, &QTimer::timeout, this, &MainWindow::ScrollTimerTick);
    connect(&m_kernel->RandomTimer, &QTimer::timeout, this, &MainWindow::RandomTimerTick);
    // Long passes let pending events through now and then, so the window keeps painting; what
    // the user does meanwhile waits until the pass is over rather than changing the draws
    // under it.
    m_kernel->keepResponsive = [] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };

    FillScriptList();
    RecalculateAll();
    ShowStatistics();
    if (ComboBox1->isEnabled() && ComboBox1->count() > 0)
        ComboBox1->setCurrentIndex(0);
    PageControl1->setCurrentIndex(0);
    // Draws and statistics share the height at first; the user moves the splitter after.
    Splitter->setSizes({Splitter->height() / 2, Splitter->height() / 2});
    // The news line's speed; a value the preferences could not have written keeps the start's.
    const int marquee = m_kernel->ReadSettingInteger("Marquee");
    if (marquee > 0)
        m_kernel->ScrollTimer.setInterval(marquee);
    LottoGrid->setFocus();
    if (m_drawModel->rowCount() > 0)
        LottoGrid->setCurrentIndex(m_drawModel->index(0, 0));
    SystemTimerTick();
    emit ready();
}

void MainWindow::RecalculateAll()
{
    if (!m_kernel)
        return;
    m_kernel->RecalculateAll();
    lblMarquee->setText(m_kernel->Stats.News);
    PageControl1->RedrawCharts(*m_kernel);
    if (TaskBar)
        refreshHotAndCold(false);
    else
        buildTaskBar();
}

void MainWindow::buildTaskBar()
{
    TaskBar = new TKestExBar(centralWidget());
    TaskBar->setObjectName("TaskBar");
    TaskBar->setUpdatesEnabled(false);
    m_body->insertWidget(0, TaskBar);
    connect(TaskBar, &TKestExBar::OnMenuItemClick, this, &MainWindow::ItemClick);

    const int common = TaskBar->addGroup("Common Tasks");
    TaskBar->setHeaderPicture(common, ballPicture("49", 32));
    const std::tuple<const char*, const char*, int> tasks[] = {
        {"Add a new Lotto Draw entry", "Click here to enter draw information manually.", 2},
        {"Generate new combinations", "Click here to generate unique number combinations.", 1},
        {"Check your lotto ticket", "Click here to check your lotto ticket.", 5},
        {"View a saved lotto ticket", "Click here to open and view a saved lotto ticket.", 6},
        {"Add your favourite numbers",
         "Click here to include your favourite numbers in the calculations.", 3},
        {"Anylize number frequency",
         "Click here to view detailed information on the number frequencies.", 4}};
    for (const auto& [caption, hint, id] : tasks)
        TaskBar->addTaskItem(common, caption, hint, id);

    m_hotColdGroup = TaskBar->addGroup(HotColdGroupCaption);
    TaskBar->group(m_hotColdGroup)->setToolTip(FairnessHint);
    refreshHotAndCold(true);

    const int help = TaskBar->addGroup("Help");
    TaskBar->addTaskItem(help, "Getting started", "Click here to learn more.", 11);
    TaskBar->addTaskItem(help, "About Drawsage",
                         "Click here to learn more about the author, and the software license.",
                         12);
    TaskBar->addTaskItem(help, "Update Drawsage", "Click here to download and update the database.",
                         13);
    TaskBar->addTaskItem(help, "Visit the Kestrix website",
                         "Click here to goto the Kestrix website.", 14);
    TaskBar->setCollapsed(help, true, true);
    TaskBar->setUpdatesEnabled(true);
}

void MainWindow::refreshHotAndCold(bool firstBuild)
{
    TaskBar->clearEntries(m_hotColdGroup);
    for (const TaskBarEntry& entry : HotColdEntries(
             m_kernel->Stats, firstBuild ? HotColdBuild::FirstBuild : HotColdBuild::Refresh)) {
        if (entry.kind == TaskBarEntry::Heading)
            TaskBar->addHeading(m_hotColdGroup, entry.text);
        else
            TaskBar->addNumber(m_hotColdGroup, entry.text, entry.endsLine);
    }
}

void MainWindow::ShowStatistics()
{
    RecalculateAll();
    PageControl1->ShowStatistics(*m_kernel);
}

void MainWindow::ShowCalculating()
{
    StatusPanels[0]->setText(" Calculating... ");
    StatusPanels[0]->repaint();
}

void MainWindow::ItemClick(QObject*, int id)
{
    switch (id) {
    case 1:
        showWindow<GeneratorWindow>();
        break;
    case 2:
        showWindow<AddDrawWindow>();
        break;
    case 3:
        showWindow<FavouritesWindow>();
        break;
    case 4:
        showWindow<FrequencyHistoryWindow>();
        break;
    case 5:
        showWindow<TicketChecker>();
        break;
    case 6:
        ViewSavedTicket();
        break;
    case 11:
        HelpCommand(true);
        break;
    case 12:
        showWindow<AboutBox>();
        break;
    case 13:
        UpdateCommand();
        break;
    case 14:
        QDesktopServices::openUrl(QUrl(WebSite));
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------------------
// Timers

void MainWindow::SystemTimerTick()
{
    StatusPanels[2]->setText(Format(" Processor : %3.0f%%", {m_processorLoad.sample() * 100}));
    const TKestTable& results = m_kernel->ResultsTable;
    if (!results.Active())
        return;
    StatusPanels[0]->setText(Format(" Known Lotto Draws: %d", {results.RecordCount()}));
    const bool filtered = results.filtered();
    if (!filtered)
        StatusPanels[4]->setText(" No filter script running");
    else if (!m_runningScript.isEmpty())
        StatusPanels[4]->setText(" Filter script \"" + m_runningScript + "\" running");
    else
        StatusPanels[4]->setText(" Filter script running");
    command("btnExecute")->setEnabled(!filtered);
    command("btnOpen")->setEnabled(!filtered);
    command("btnStop")->setEnabled(filtered);
    const bool scriptsSaved = ComboBox1->itemData(0).toBool();
    ComboBox1->setEnabled(!filtered && scriptsSaved);
}

void MainWindow::ScrollTimerTick()
{
    lblMarquee->setText(scrollNews(lblMarquee->text()));
}

void MainWindow::RandomTimerTick()
{
    // The seed changes every millisecond; the panel is repainted only as often as a person
    // can read it.
    if (!m_nextSeedShowing.hasExpired())
        return;
    m_nextSeedShowing.setRemainingTime(100);
    StatusPanels[1]->setText(
        Format(" Random Seed: %d", {qint64(quint32(QDeadlineTimer::current().deadline()))}));
}

// ---------------------------------------------------------------------------------------
// Commands

void MainWindow::followGridCursor()
{
    const QModelIndex current = LottoGrid->currentIndex();
    if (m_kernel && m_kernel->ResultsTable.Active() && current.isValid())
        m_kernel->ResultsTable.setPosition(current.row());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == LottoGrid && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            showWindow<DrawDetailsWindow>();
            return true;
        case Qt::Key_Insert:
            showWindow<AddDrawWindow>();
            return true;
        case Qt::Key_Delete:
            RemoveDraw();
            return true;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::RemoveDraw()
{
    TKestTable& results = m_kernel->ResultsTable;
    if (!results.Active() || results.IsEmpty()) {
        m_kernel->ShowNotice("There is no draw to remove");
        return;
    }
    const QString question = "Are you sure you want to remove this entry? \n\r\rDraw Date : " +
                             results.AsString("DRAWDATE");
    if (TKestMessage::question(this, "Drawsage", question) != QMessageBox::Yes)
        return;
    try {
        results.Delete();
    } catch (const TKestError& error) {
        TKestMessage::critical(this, "Drawsage", error.message());
        return;
    }
    ShowStatistics();
}

void MainWindow::UpdateCommand()
{
    const QString question = "This feature will update the database using your default Internet "
                             "connection.\n\rDo you want Drawsage to connect to the Internet?";
    if (TKestMessage::question(this, "Drawsage", question) != QMessageBox::Yes)
        return;
    m_kernel->ShowNotice("Drawsage will attempt to connect to the Internet");
    showWindow<UpdateWizard>();
}

void MainWindow::HelpCommand(bool reportFailure)
{
    const QString help = QDir(m_helpFolder).filePath(HelpFile);
    const bool opened =
        QFileInfo::exists(help) && QDesktopServices::openUrl(QUrl::fromLocalFile(help));
    if (!opened && reportFailure)
        m_kernel->ShowNotice("There was un unexpected error while opening Drawsage Help");
}

void MainWindow::ContactCommand()
{
    if (!QDesktopServices::openUrl(QUrl(SupportMail)))
        TKestMessage::critical(this, "Drawsage", "Unable to open website");
}

void MainWindow::MagnifierCommand()
{
    auto* zoom = findChild<MagnifierWindow*>(QString(), Qt::FindDirectChildrenOnly);
    zoom->move(x() + 20, height() - zoom->height() - 35);
    showWindow<MagnifierWindow>();
}

void MainWindow::ViewSavedTicket()
{
    const QString file = TKestFileDialog::getOpenFileName(
        this, {"Open Saved Ticket", "Ticket|*.dtk", "dtk", m_kernel->GetTicketDir() + "/"});
    auto* viewer = findChild<TicketViewer*>(QString(), Qt::FindDirectChildrenOnly);
    if (!file.isEmpty() && viewer->LoadTicket(file))
        showWindow<TicketViewer>();
}

void MainWindow::SwitchGame(const QString& tableName)
{
    if (m_kernel->currentGame() == tableName)
        return;
    const bool plus = tableName == Tables::LottoPlus;
    FilterScripts::stop(m_kernel->ResultsTable);
    m_kernel->OpenGame(tableName);
    const QString game = plus ? "National Lotto Plus" : "National Lotto";
    Label3->setText(game + " Draw(s)");
    Label2->setText(plus ? "Lotto Plus Statistics" : "Lotto Statistics");
    StatusPanels[3]->setText(" Database : " + game);
    command(plus ? "TBItem27" : "TBItem28")->setChecked(true);
    ShowStatistics();
}

// ---------------------------------------------------------------------------------------
// The filter tool bar

void MainWindow::FillScriptList()
{
    ComboBox1->clear();
    const QStringList scripts = FilterScripts::savedScripts(m_kernel->GetFilterDir());
    for (const QString& script : scripts)
        ComboBox1->addItem(script, true);
    if (scripts.isEmpty()) {
        ComboBox1->addItem("No filters found", false);
        ComboBox1->setCurrentIndex(0);
        ComboBox1->setEnabled(false);
        return;
    }
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setEnabled(!m_kernel->ResultsTable.filtered());
}

void MainWindow::ChooseScript(int index)
{
    if (!ComboBox1->itemData(index).toBool())
        return;
    StopScript();
    m_runningScript = ComboBox1->itemText(index);
    m_script = FilterScripts::load(
        QDir(m_kernel->GetFilterDir()).filePath(m_runningScript + FilterScripts::Extension));
}

void MainWindow::RunScript()
{
    const QString chosen = ComboBox1->currentText();
    StopScript();
    if (ComboBox1->itemData(ComboBox1->currentIndex()).toBool())
        m_runningScript = chosen;
    if (m_script.isEmpty() && !m_runningScript.isEmpty())
        m_script = FilterScripts::load(
            QDir(m_kernel->GetFilterDir()).filePath(m_runningScript + FilterScripts::Extension));
    if (FilterScripts::apply(m_kernel->ResultsTable, m_script) ==
        FilterScripts::Outcome::NothingMatched)
        m_kernel->ShowNotice(FilterScripts::NoMatch);
    ShowStatistics();
    SystemTimerTick();
}

void MainWindow::StopScript()
{
    FilterScripts::stop(m_kernel->ResultsTable);
    ShowStatistics();
    PageControl1->RefreshDrawInformation(*m_kernel);
    SystemTimerTick();
}

void MainWindow::OpenScript()
{
    const QString file = TKestFileDialog::getOpenFileName(
        this, {"Open Filter Script", "Filter Script|*.flt", "flt", m_kernel->GetFilterDir()});
    if (file.isEmpty())
        return;
    StopScript();
    m_runningScript = file;
    m_script = FilterScripts::load(file);
}
