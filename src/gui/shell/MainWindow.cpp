#include "gui/shell/MainWindow.h"

#include "core/kernel/Format.h"
#include "core/kernel/Kernel.h"
#include "core/kernel/KestError.h"
#include "core/kernel/Random.h"
#include "core/kernel/TableSchema.h"
#include "core/records/FilterScripts.h"
#include "core/records/Games.h"
#include "core/stats/Companions.h"
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
#include "gui/shell/ErrorReport.h"
#include "gui/shell/HelpWindow.h"
#include "gui/shell/MagnifierWindow.h"
#include "gui/shell/PreferencesWindow.h"
#include "gui/shell/WebAddresses.h"
#include "gui/stats/FairnessWindow.h"
#include "gui/stats/FrequencyHistoryWindow.h"
#include "gui/stats/PairsWindow.h"
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

QAction* MainWindow::addCommand(const QString& name, const QString& caption, const QString& hint,
                                const QString& icon, const std::function<void()>& run)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setToolTip(hint.isEmpty() ? QString(caption).remove('&') : hint);
    action->setStatusTip(hint);
    if (!icon.isEmpty())
        action->setIcon(commandIcon(icon));
    connect(action, &QAction::triggered, this, [run] { ErrorReport::guard(run); });
    addAction(action); // short cuts work whichever bar shows the command
    return action;
}

QAction* MainWindow::addVisibilityToggle(const QString& name, const QString& caption,
                                         const QString& hint)
{
    QAction* toggle = addCommand(name, caption, hint, {}, [] {});
    toggle->setCheckable(true);
    toggle->setChecked(true);
    return toggle;
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
    Commands& c = m_commands;

    c.openGame = addCommand("TBItem26", "Open", openHint, "open", shows<GameSelectionWindow>());
    c.addDraw = addCommand("TBItem3", "Add New", addHint, "add", shows<AddDrawWindow>());
    c.removeDraw =
        addCommand("TBItem5", "Remove", "Remove the selected Lotto draw result from the database",
                   "remove", [this] { RemoveDraw(); });
    c.toggleFilterBar = addVisibilityToggle("TBVisibilityToggleItem1", "Filter",
                                            "Use this feature to filter certain fields");
    c.toggleFilterBar->setIcon(commandIcon("filter"));
    c.favourites =
        addCommand("TBItem13", "Favourite", favouriteHint, "favourite", shows<FavouritesWindow>());
    c.generate =
        addCommand("TBItem24", "Generate", generateHint, "generate", shows<GeneratorWindow>());
    c.update = addCommand("TBItem11", "Update", updateHint, "update", [this] { UpdateCommand(); });
    c.about = addCommand("TBItem7", "About", aboutHint, "about", shows<AboutBox>());
    c.help = addCommand("TBItem23", "Help", "Click here to learn more.", "help",
                        [this] { HelpCommand(false); });

    c.createScript =
        addCommand("TBItem6", "Create Script", "Create a new script or edit the current script",
                   "script", shows<FilterEditor>());
    c.runScript =
        addCommand("btnExecute", "Run Script", "Run script", "run", [this] { RunScript(); });
    c.stopScript =
        addCommand("btnStop", "Stop Script", "Stop script", "stop", [this] { StopScript(); });
    c.openScript =
        addCommand("btnOpen", "Open Script", "Open script", "open", [this] { OpenScript(); });

    c.openGameMenu = addCommand("TBItem4", "Open", {}, "open", shows<GameSelectionWindow>());
    c.lotto =
        addCommand("TBItem28", "1. National Lotto ", {}, {}, [this] { SwitchGame(Tables::Lotto); });
    c.lottoPlus = addCommand("TBItem27", "2. National Lotto Plus", {}, {},
                             [this] { SwitchGame(Tables::LottoPlus); });
    auto* games = new QActionGroup(this);
    for (QAction* game : {c.lotto, c.lottoPlus}) {
        game->setCheckable(true);
        games->addAction(game);
    }
    c.lotto->setChecked(true);
    c.preferences =
        addCommand("TBItem22", "Preferences", {}, "preferences", shows<PreferencesWindow>());
    c.exit = addCommand("TBItem2", "E&xit", {}, "exit", [this] { close(); });

    c.viewFilterBar = addVisibilityToggle("TBVisibilityToggleItem5", "Filter Toolbar");
    c.scriptEditor =
        addCommand("TBItem18", "Filter Script Editor", {}, "script", shows<FilterEditor>());
    c.viewToolBar = addVisibilityToggle("TBVisibilityToggleItem3", "Toolbar");
    c.magnifier =
        addCommand("TBItem32", "Magnifier", {}, "magnifier", [this] { MagnifierCommand(); });
    c.checkTicket =
        addCommand("TBItem12", "Check Lotto Ticket", {}, "check", shows<TicketChecker>());
    c.generator =
        addCommand("TBItem20", "Combination Generator", {}, "generate", shows<GeneratorWindow>());
    c.favouriteNumbers =
        addCommand("TBItem19", "Favourite Numbers", {}, "favourite", shows<FavouritesWindow>());
    c.frequencies = addCommand("TBItem21", "Anylize Frequencies", {}, "ticket",
                               shows<FrequencyHistoryWindow>());
    c.pairs = addCommand("TBItem34", "Pairs and Triplets", {}, {}, shows<PairsWindow>());
    c.fairness = addCommand("actFairness", "Fairness Test", {}, {}, shows<FairnessWindow>());

    c.helpContents =
        addCommand("TBItem8", "Drawsage Help", {}, "help", [this] { HelpCommand(true); });
    c.updateDatabase =
        addCommand("TBItem10", "Update Database", {}, "update", [this] { UpdateCommand(); });
    c.contact =
        addCommand("TBItem30", "Contact Kestrix Support", {}, {}, [this] { ContactCommand(); });
    c.aboutDrawsage = addCommand("TBItem9", "About Drawsage", {}, "about", shows<AboutBox>());

    c.gridFilterBar = addVisibilityToggle("TBVisibilityToggleItem2", "Filter Toolbar");
    c.gridScriptEditor =
        addCommand("TBItem17", "Filter Script Editor", {}, "script", shows<FilterEditor>());
    c.addEntry = addCommand("TBItem14", "Add New Entry", {}, "add", shows<AddDrawWindow>());
    c.deleteEntry = addCommand("TBItem15", "Delete Entry", {}, "remove", [this] { RemoveDraw(); });
    c.entryDetails =
        addCommand("TBItem16", "Entry Details", {}, "ticket", shows<DrawDetailsWindow>());
    setShortcuts();

    c.popupMenuBar = addVisibilityToggle("TBVisibilityToggleItem4", "Menu Bar");
    c.popupToolBar = addVisibilityToggle("TBVisibilityToggleItem6", "Toolbar");
    c.popupFilterBar = addVisibilityToggle("TBVisibilityToggleItem7", "Filter Bar");
}

void MainWindow::setShortcuts()
{
    // One action per key, or the key would be ambiguous and do nothing; the menus show them.
    const Commands& c = m_commands;
    const std::pair<QAction*, QKeySequence> keys[] = {
        {c.openGameMenu, QKeySequence::Open},
        {c.exit, QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {c.preferences, QKeySequence(Qt::CTRL | Qt::Key_Comma)},
        {c.generator, QKeySequence(Qt::CTRL | Qt::Key_G)},
        {c.checkTicket, QKeySequence(Qt::CTRL | Qt::Key_K)},
        {c.scriptEditor, QKeySequence(Qt::CTRL | Qt::Key_F)},
        {c.updateDatabase, QKeySequence(Qt::Key_F5)},
        {c.helpContents, QKeySequence(Qt::Key_F1)},
        {c.addEntry, QKeySequence(Qt::Key_Insert)},
        {c.deleteEntry, QKeySequence(Qt::Key_Delete)},
        {c.entryDetails, QKeySequence(Qt::Key_Return)},
    };
    for (const auto& [action, key] : keys) {
        action->setShortcut(key);
        action->setShortcutVisibleInContextMenu(true);
    }
    // The grid's own keys act in the grid only (its event filter), so that Delete in a text
    // field deletes text: as window shortcuts they would act everywhere.
    for (QAction* gridAction : {c.addEntry, c.deleteEntry, c.entryDetails})
        gridAction->setShortcutContext(Qt::WidgetShortcut);
}

void MainWindow::createToolBars()
{
    const auto makeBar = [this](const QString& name, const QString& caption) {
        auto* bar = new QToolBar(caption, this);
        bar->setObjectName(name);
        bar->setMovable(false);
        bar->setFloatable(false);
        addToolBar(Qt::TopToolBarArea, bar);
        return bar;
    };
    const Commands& c = m_commands;

    m_mainBar = makeBar("tbMain", "MainToolbar");
    m_mainBar->addWidget(m_menuBar);
    addToolBarBreak();

    m_toolBar = makeBar("tbTools", "Toolbar");
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolBar->setIconSize(QSize(32, 32));
    m_toolBar->addActions({c.openGame, c.addDraw, c.removeDraw, c.toggleFilterBar, c.favourites,
                           c.generate, c.update, c.about, c.help});
    addToolBarBreak();

    m_filterBar = makeBar("tbFilter", "Filter Script");
    m_filterBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_filterBar->addActions({c.createScript, c.runScript, c.stopScript, c.openScript});
    m_filterScripts = new QComboBox(m_filterBar);
    m_filterScripts->setObjectName("ComboBox1");
    m_filterScripts->setMinimumContentsLength(24);
    m_filterScripts->setEnabled(false);
    m_filterBar->addWidget(m_filterScripts);
    connect(m_filterScripts, &QComboBox::activated, this,
            [this](int index) { ErrorReport::guard([this, index] { ChooseScript(index); }); });

    // Every way of showing or hiding a bar stays in step with the bar itself.
    const std::pair<QAction*, QToolBar*> toggles[] = {
        {c.toggleFilterBar, m_filterBar}, {c.gridFilterBar, m_filterBar},
        {c.viewFilterBar, m_filterBar},   {c.popupFilterBar, m_filterBar},
        {c.viewToolBar, m_toolBar},       {c.popupToolBar, m_toolBar},
        {c.popupMenuBar, m_mainBar}};
    for (const auto& [toggle, bar] : toggles) {
        connect(toggle, &QAction::toggled, bar, &QToolBar::setVisible);
        connect(bar, &QToolBar::visibilityChanged, toggle, &QAction::setChecked);
    }
}

void MainWindow::createMenus()
{
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName("tbMenu");
    m_menuBar->setNativeMenuBar(false);
    // A null entry is a separator.
    const auto add = [](QMenu* menu, std::initializer_list<QAction*> actions) {
        for (QAction* action : actions) {
            if (action)
                menu->addAction(action);
            else
                menu->addSeparator();
        }
    };
    const Commands& c = m_commands;

    add(m_menuBar->addMenu("&File"),
        {c.openGameMenu, nullptr, c.lotto, c.lottoPlus, nullptr, c.preferences, nullptr, c.exit});
    QMenu* view = m_menuBar->addMenu("&View");
    add(view->addMenu("Filter"), {c.viewFilterBar, c.scriptEditor});
    add(view,
        {c.viewToolBar, c.magnifier, nullptr, c.checkTicket, c.generator, c.favouriteNumbers});
    add(m_menuBar->addMenu("&Tools"), {c.frequencies, c.pairs, c.fairness});
    add(m_menuBar->addMenu("&Help"),
        {c.helpContents, c.updateDatabase, nullptr, c.contact, c.aboutDrawsage});

    m_gridMenu = new QMenu(this);
    m_gridMenu->setObjectName("GridMenu");
    add(m_gridMenu->addMenu("Filter"), {c.gridFilterBar, c.gridScriptEditor});
    add(m_gridMenu, {nullptr, c.addEntry, c.deleteEntry, c.entryDetails});
}

QMenu* MainWindow::createPopupMenu()
{
    auto* viewMenu = new QMenu(this);
    viewMenu->setObjectName("ViewMenu");
    viewMenu->addActions(
        {m_commands.popupMenuBar, m_commands.popupToolBar, m_commands.popupFilterBar});
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
    m_marquee = boldLabel(" Marquee", "lblMarquee", panel3);
    // The news line is far longer than any screen and scrolls: it shows what fits and must
    // not make the window wider.
    m_marquee->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    marqueeLayout->addWidget(m_marquee);
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
    m_splitter = new QSplitter(Qt::Vertical, centre);
    m_splitter->setObjectName("Splitter");
    auto* panel9 = new QWidget(m_splitter);
    panel9->setObjectName("Panel9");
    auto* gridLayout = new QVBoxLayout(panel9);
    gridLayout->setContentsMargins(4, 4, 4, 0);
    m_drawsHeading = boldLabel("National Lotto Draw(s)", "Label3", panel9);
    gridLayout->addWidget(m_drawsHeading);

    m_drawModel = new TKestTableModel(this);
    m_drawModel->setColumns(drawGridColumns());
    m_drawGrid = new QTableView(panel9);
    m_drawGrid->setObjectName("LottoGrid");
    m_drawGrid->setModel(m_drawModel);
    m_drawGrid->setToolTip("Double click for more information on selected draw");
    m_drawGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_drawGrid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_drawGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_drawGrid->setAlternatingRowColors(true);
    m_drawGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    // The columns share the width; date and machine take what their texts need.
    m_drawGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_drawGrid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_drawGrid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_drawGrid->verticalHeader()->setDefaultSectionSize(m_drawGrid->fontMetrics().height() + 6);
    m_drawGrid->verticalHeader()->hide();
    m_drawGrid->installEventFilter(this);
    gridLayout->addWidget(m_drawGrid);
    connect(m_drawGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            guarded(&MainWindow::followGridCursor));
    // A reset of the rows loses the grid's current row; the table keeps its current draw, so
    // the grid shows that one again and Delete removes the draw the user sees.
    connect(m_drawModel, &QAbstractItemModel::modelReset, this, [this] {
        const int current = m_kernel ? m_kernel->ResultsTable.position() : -1;
        if (current >= 0)
            m_drawGrid->setCurrentIndex(m_drawModel->index(current, 0));
    });
    connect(m_drawGrid, &QTableView::doubleClicked, this,
            [this] { ErrorReport::guard(shows<DrawDetailsWindow>()); });
    // A pass over the draws that ended early may have left the grid's updates suspended.
    connect(m_drawGrid, &QTableView::clicked, this, [this] {
        while (m_kernel && m_kernel->ResultsTable.ControlsDisabled())
            m_kernel->ResultsTable.EnableControls();
    });
    connect(m_drawGrid, &QTableView::customContextMenuRequested, this, [this](const QPoint& at) {
        m_gridMenu->popup(m_drawGrid->viewport()->mapToGlobal(at));
    });

    m_statisticsBox = new TKestContainer(m_splitter);
    m_statisticsBox->setObjectName("frmGraph");
    m_statisticsBox->setTitle("Lotto Statistics");
    m_statisticsHeading = m_statisticsBox->titleLabel();
    m_statisticsHeading->setObjectName("Label2");
    m_statisticsPages = new StatisticsPages(m_statisticsBox);
    m_statisticsBox->setContent(m_statisticsPages);
    connect(m_statisticsPages, &StatisticsPages::magnifierRequested, this,
            guarded(&MainWindow::MagnifierCommand));
    connect(m_statisticsPages, &StatisticsPages::drawFilterChanged, this, [this] {
        ErrorReport::guard([this] {
            ShowStatistics();
            m_statisticsPages->RefreshDrawInformation(*m_kernel);
        });
    });
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 1);
    m_body->addWidget(m_splitter, 1);
    setCentralWidget(centre);
}

void MainWindow::createStatusBar()
{
    statusBar()->setObjectName("StatusBar");
    const QStringList texts{QString(), QString(), QString(), " Database : National Lotto",
                            " No filter script running"};
    for (int i = 0; i < int(m_statusPanels.size()); ++i) {
        m_statusPanels[i] = new QLabel(texts[i], statusBar());
        m_statusPanels[i]->setObjectName(QString("StatusPanel%1").arg(i));
        m_statusPanels[i]->setMinimumWidth(i == 4 ? 0 : 150);
        statusBar()->addWidget(m_statusPanels[i], i == 4 ? 1 : 0);
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
    connect(&m_kernel->SystemTimer, &QTimer::timeout, this, guarded(&MainWindow::SystemTimerTick));
    connect(&m_kernel->ScrollTimer, &QTimer::timeout, this, guarded(&MainWindow::ScrollTimerTick));
    connect(&m_kernel->RandomTimer, &QTimer::timeout, this, guarded(&MainWindow::RandomTimerTick));
    // Long passes let pending events through now and then, so the window keeps painting; what
    // the user does meanwhile waits until the pass is over rather than changing the draws
    // under it.
    m_kernel->keepResponsive = [] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };

    // Each step that fails is reported and the others still run, so the window always opens.
    connectRecordWindows();
    ErrorReport::guard([this] { FillScriptList(); });
    ErrorReport::guard([this] {
        // One rebuild fills everything; the task bar it builds then shows the hot and cold
        // balls as every later rebuild does. ShowStatistics would rebuild the same draws again.
        RecalculateAll();
        refreshHotAndCold(false);
        m_statisticsPages->ShowStatistics(*m_kernel);
    });
    if (m_filterScripts->isEnabled() && m_filterScripts->count() > 0)
        m_filterScripts->setCurrentIndex(0);
    m_statisticsPages->setCurrentIndex(0);
    // Draws and statistics share the height at first; the user moves the splitter after.
    m_splitter->setSizes({m_splitter->height() / 2, m_splitter->height() / 2});
    ErrorReport::guard([this] { applyMarqueeSpeed(); });
    m_drawGrid->setFocus();
    if (m_drawModel->rowCount() > 0)
        m_drawGrid->setCurrentIndex(m_drawModel->index(0, 0));
    ErrorReport::guard([this] { SystemTimerTick(); });
    emit ready();
}

void MainWindow::applyMarqueeSpeed()
{
    // A value the preferences could not have written keeps the start's speed.
    const int marquee = m_kernel->ReadSettingInteger("Marquee");
    if (marquee > 0)
        m_kernel->ScrollTimer.setInterval(marquee);
}

std::function<void()> MainWindow::guarded(void (MainWindow::*handler)())
{
    return [this, handler] { ErrorReport::guard([this, handler] { (this->*handler)(); }); };
}

void MainWindow::RecalculateAll()
{
    if (!m_kernel)
        return;
    m_kernel->RecalculateAll();
    m_marquee->setText(m_kernel->Stats.News);
    m_statisticsPages->RedrawCharts(*m_kernel);
    if (m_taskBar)
        refreshHotAndCold(false);
    else
        buildTaskBar();
}

void MainWindow::buildTaskBar()
{
    m_taskBar = new TKestExBar(centralWidget());
    m_taskBar->setObjectName("TaskBar");
    m_taskBar->setUpdatesEnabled(false);
    m_body->insertWidget(0, m_taskBar);
    connect(m_taskBar, &TKestExBar::OnMenuItemClick, this,
            [this](QObject*, int id) { ItemClick(TaskBarItem(id)); });

    const int common = m_taskBar->addGroup("Common Tasks");
    m_taskBar->setHeaderPicture(common, ballPicture("49", 32));
    const std::tuple<const char*, const char*, TaskBarItem> tasks[] = {
        {"Add a new Lotto Draw entry", "Click here to enter draw information manually.",
         TaskBarItem::AddDraw},
        {"Generate new combinations", "Click here to generate unique number combinations.",
         TaskBarItem::Generate},
        {"Check your lotto ticket", "Click here to check your lotto ticket.",
         TaskBarItem::CheckTicket},
        {"View a saved lotto ticket", "Click here to open and view a saved lotto ticket.",
         TaskBarItem::ViewTicket},
        {"Add your favourite numbers",
         "Click here to include your favourite numbers in the calculations.",
         TaskBarItem::Favourites},
        {"Anylize number frequency",
         "Click here to view detailed information on the number frequencies.",
         TaskBarItem::FrequencyHistory}};
    for (const auto& [caption, hint, item] : tasks)
        m_taskBar->addTaskItem(common, caption, hint, int(item));

    m_hotColdGroup = m_taskBar->addGroup(HotColdGroupCaption);
    m_taskBar->group(m_hotColdGroup)->setToolTip(FairnessHint);
    refreshHotAndCold(true);

    const int help = m_taskBar->addGroup("Help");
    m_taskBar->addTaskItem(help, "Getting started", "Click here to learn more.",
                           int(TaskBarItem::GettingStarted));
    m_taskBar->addTaskItem(help, "About Drawsage",
                           "Click here to learn more about the author, and the software license.",
                           int(TaskBarItem::About));
    m_taskBar->addTaskItem(help, "Update Drawsage",
                           "Click here to download and update the database.",
                           int(TaskBarItem::Update));
    m_taskBar->addTaskItem(help, "Visit the Kestrix website",
                           "Click here to goto the Kestrix website.", int(TaskBarItem::Website));
    m_taskBar->setCollapsed(help, true, true);
    m_taskBar->setUpdatesEnabled(true);
}

void MainWindow::refreshHotAndCold(bool firstBuild)
{
    m_taskBar->clearEntries(m_hotColdGroup);
    // Each ball's tool tip tells its current skip among the draws shown.
    const DrawList draws =
        m_kernel->ResultsTable.Active() ? ReadDraws(m_kernel->ResultsTable) : DrawList{};
    for (const TaskBarEntry& entry : HotColdEntries(
             m_kernel->Stats, firstBuild ? HotColdBuild::FirstBuild : HotColdBuild::Refresh)) {
        if (entry.kind == TaskBarEntry::Heading)
            m_taskBar->addHeading(m_hotColdGroup, entry.text);
        else
            m_taskBar->addNumber(m_hotColdGroup, entry.text, entry.endsLine,
                                 CurrentSkipHint(draws, entry.text.toInt()));
    }
}

void MainWindow::ShowStatistics()
{
    RecalculateAll();
    m_statisticsPages->ShowStatistics(*m_kernel);
}

void MainWindow::ShowCalculating()
{
    m_statusPanels[0]->setText(" Calculating... ");
    m_statusPanels[0]->repaint();
}

void MainWindow::ItemClick(TaskBarItem item)
{
    ErrorReport::guard([this, item] {
        switch (item) {
        case TaskBarItem::Generate:
            showWindow<GeneratorWindow>();
            break;
        case TaskBarItem::AddDraw:
            showWindow<AddDrawWindow>();
            break;
        case TaskBarItem::Favourites:
            showWindow<FavouritesWindow>();
            break;
        case TaskBarItem::FrequencyHistory:
            showWindow<FrequencyHistoryWindow>();
            break;
        case TaskBarItem::CheckTicket:
            showWindow<TicketChecker>();
            break;
        case TaskBarItem::ViewTicket:
            ViewSavedTicket();
            break;
        case TaskBarItem::GettingStarted:
            HelpCommand(true);
            break;
        case TaskBarItem::About:
            showWindow<AboutBox>();
            break;
        case TaskBarItem::Update:
            UpdateCommand();
            break;
        case TaskBarItem::Website:
            QDesktopServices::openUrl(QUrl(WebAddresses::WebSite));
            break;
        }
    });
}

// ---------------------------------------------------------------------------------------
// Timers

void MainWindow::SystemTimerTick()
{
    m_statusPanels[2]->setText(Format(" Processor : %3.0f%%", {m_processorLoad.sample() * 100}));
    const TKestTable& results = m_kernel->ResultsTable;
    if (!results.Active())
        return;
    m_statusPanels[0]->setText(Format(" Known Lotto Draws: %d", {results.RecordCount()}));
    const bool filtered = results.filtered();
    if (!filtered)
        m_statusPanels[4]->setText(" No filter script running");
    else if (!m_runningScript.isEmpty())
        m_statusPanels[4]->setText(" Filter script \"" + m_runningScript + "\" running");
    else
        m_statusPanels[4]->setText(" Filter script running");
    m_commands.runScript->setEnabled(!filtered);
    m_commands.openScript->setEnabled(!filtered);
    m_commands.stopScript->setEnabled(filtered);
    if (FilterEditor* editor = scriptEditor())
        editor->followFilterState(filtered);
    const bool scriptsSaved = m_filterScripts->itemData(0).toBool();
    m_filterScripts->setEnabled(!filtered && scriptsSaved);
}

void MainWindow::ScrollTimerTick()
{
    m_marquee->setText(scrollNews(m_marquee->text()));
}

void MainWindow::RandomTimerTick()
{
    // The seed changes every millisecond; the panel is repainted only as often as a person
    // can read it.
    if (!m_nextSeedShowing.hasExpired())
        return;
    m_nextSeedShowing.setRemainingTime(100);
    m_statusPanels[1]->setText(
        Format(" Random Seed: %d", {qint64(quint32(QDeadlineTimer::current().deadline()))}));
}

// ---------------------------------------------------------------------------------------
// Commands

void MainWindow::followGridCursor()
{
    const QModelIndex current = m_drawGrid->currentIndex();
    if (m_kernel && m_kernel->ResultsTable.Active() && current.isValid())
        m_kernel->ResultsTable.setPosition(current.row());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_drawGrid && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            showWindow<DrawDetailsWindow>();
            return true;
        case Qt::Key_Insert:
            showWindow<AddDrawWindow>();
            return true;
        case Qt::Key_Delete:
            ErrorReport::guard([this] { RemoveDraw(); });
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
    results.Delete();
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
    auto* help = findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
    const QString folder = m_helpFolder.isEmpty() ? HelpWindow::defaultFolder() : m_helpFolder;
    if (!(help && help->showPage(folder)) && reportFailure)
        m_kernel->ShowNotice("There was un unexpected error while opening Drawsage Help");
}

void MainWindow::ContactCommand()
{
    if (!QDesktopServices::openUrl(QUrl(WebAddresses::SupportMail)))
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
    // The game shown is opened again all the same: its draws are read and counted afresh.
    FilterScripts::stop(m_kernel->ResultsTable);
    try {
        m_kernel->OpenGame(tableName);
    } catch (const TKestError&) {
        // The kernel has the previous game open again; the window shows it, then reports.
        showOpenGame();
        throw;
    }
    showOpenGame();
}

void MainWindow::showOpenGame()
{
    const GameTexts& game = Games::of(m_kernel->currentGame());
    m_drawsHeading->setText(game.drawsHeading);
    m_statisticsHeading->setText(game.statisticsHeading);
    m_statusPanels[3]->setText(game.status);
    (game.tableName == Tables::LottoPlus ? m_commands.lottoPlus : m_commands.lotto)
        ->setChecked(true);
    ShowStatistics();
}

// ---------------------------------------------------------------------------------------
// The filter tool bar

void MainWindow::FillScriptList()
{
    m_filterScripts->clear();
    const QStringList scripts = FilterScripts::savedScripts(m_kernel->GetFilterDir());
    for (const QString& script : scripts)
        m_filterScripts->addItem(script, true);
    if (scripts.isEmpty()) {
        m_filterScripts->addItem("No filters found", false);
        m_filterScripts->setCurrentIndex(0);
        m_filterScripts->setEnabled(false);
        return;
    }
    m_filterScripts->setCurrentIndex(-1);
    m_filterScripts->setEnabled(!m_kernel->ResultsTable.filtered());
}

void MainWindow::ChooseScript(int index)
{
    if (!m_filterScripts->itemData(index).toBool())
        return;
    StopScript();
    m_runningScript = m_filterScripts->itemText(index);
    scriptEditor()->loadScript(
        QDir(m_kernel->GetFilterDir()).filePath(m_runningScript + FilterScripts::Extension));
}

void MainWindow::RunScript()
{
    const QString chosen = m_filterScripts->currentText();
    StopScript();
    if (m_filterScripts->itemData(m_filterScripts->currentIndex()).toBool())
        m_runningScript = chosen;
    // An empty editor runs the script the list shows, which the first showing selects
    // without loading it.
    FilterEditor* editor = scriptEditor();
    if (editor->script().isEmpty() && !m_runningScript.isEmpty())
        editor->loadScript(
            QDir(m_kernel->GetFilterDir()).filePath(m_runningScript + FilterScripts::Extension));
    editor->runScript();
}

void MainWindow::StopScript()
{
    FilterScripts::stop(m_kernel->ResultsTable);
    ShowStatistics();
    m_statisticsPages->RefreshDrawInformation(*m_kernel);
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
    scriptEditor()->loadScript(file);
}

FilterEditor* MainWindow::scriptEditor() const
{
    return findChild<FilterEditor*>(QString(), Qt::FindDirectChildrenOnly);
}

void MainWindow::refreshAfterFilter(bool recalculate)
{
    if (recalculate)
        RecalculateAll();
    m_statisticsPages->ShowStatistics(*m_kernel);
    SystemTimerTick();
}

void MainWindow::connectRecordWindows()
{
    FilterEditor* editor = scriptEditor();
    connect(editor, &FilterEditor::scriptsChanged, this, guarded(&MainWindow::FillScriptList));
    connect(editor, &FilterEditor::scriptOpened, this,
            [this](const QString& path) { m_runningScript = path; });
    connect(editor, &FilterEditor::refreshRequested, this, [this](bool recalculate) {
        ErrorReport::guard([this, recalculate] { refreshAfterFilter(recalculate); });
    });
    connect(findChild<AddDrawWindow*>(QString(), Qt::FindDirectChildrenOnly),
            &AddDrawWindow::drawStored, this, guarded(&MainWindow::ShowStatistics));
    connect(findChild<DrawDetailsWindow*>(QString(), Qt::FindDirectChildrenOnly),
            &DrawDetailsWindow::currentDrawChanged, this, [this] {
                m_drawGrid->setCurrentIndex(
                    m_drawModel->index(m_kernel->ResultsTable.position(), 0));
            });
    connect(findChild<GameSelectionWindow*>(QString(), Qt::FindDirectChildrenOnly),
            &GameSelectionWindow::gameChosen, this, [this](const QString& tableName) {
                ErrorReport::guard([this, tableName] { SwitchGame(tableName); });
            });
}
