#include "gui/generator/GeneratorWindow.h"

#include "core/generator/WheelCoverage.h"

#include "core/kernel/Format.h"
#include "core/kernel/Kernel.h"
#include "core/kernel/KestError.h"
#include "core/kernel/LottoMath.h"
#include "core/kernel/Random.h"
#include "core/stats/CombinationFrequencies.h"
#include "gui/components/KestFileDialog.h"
#include "gui/components/KestMessage.h"
#include "gui/components/KestPictures.h"
#include "gui/generator/TemplateEditor.h"
#include "gui/stats/StatisticsPages.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSlider>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int BoardColumns = 5;
constexpr int CellSize = 20;
constexpr int BalanceSteps = 6;
constexpr QSize RatingSize{65, 13};
constexpr int RatingIndent = 5;
const QColor InvalidCountColour(255, 99, 23);

const QString CountHint = "Specify the number of combinations to generate (8-999).";
const QString CountNotice = "Please select a valid entry between 1 and 1000";
const QString ResultHint = "The total combinations that will be generated.";
const QString NoTemplates = "No Templates found";
const QString NoValue = ": None";

struct Column {
    QString caption;
    int width;
};
const std::array<Column, 4> ResultColumns{
    {{"Sequence", 65}, {"Combinations", 200}, {"Sum", 70}, {"Rating", 140}}};

struct Panel {
    int width;
    QString text;
    QString widest; // the longest text the panel shows, which the width must hold
};
const std::array<Panel, 5> StatusPanels{{{114, " Loading Generator...", "Odds: 1 in 13,983,816"},
                                         {100, " Successfull: 9999", " Successfull: 32767 "},
                                         {95, " Prevented: 999", " Prevented: 99999 "},
                                         {110, " Accuracy: 100.00 %", " Accuracy: 100.00 %"},
                                         {76, " Rating...", " Rating..."}}};

template <class Control> Control* named(Control* control, const QString& name, const QString& hint)
{
    control->setObjectName(name);
    control->setToolTip(hint);
    return control;
}

QLabel* label(const QString& text, const QString& name = {})
{
    auto* result = new QLabel(text);
    result->setObjectName(name);
    return result;
}

QStringList captionsOf(const std::array<Column, 4>& columns)
{
    QStringList captions;
    for (const Column& column : columns)
        captions << column.caption;
    return captions;
}

std::vector<QStringList> listRows(const TicketRows& rows)
{
    std::vector<QStringList> result;
    result.reserve(rows.size());
    for (const TicketRow& row : rows)
        result.push_back(QStringList{row.caption} + row.subItems);
    return result;
}

} // namespace

// --- PickBoard

PickBoard::PickBoard(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("DrawGrid1");
    setToolTip("Click here to specify which numbers to use.");
    setCursor(Qt::PointingHandCursor);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    // Unpicked cells white with black digits, picked ones blue with white digits.
    setStyleSheet("QToolButton { background: white; color: black; border: 1px solid #a0a0a0;"
                  " font-size: 8pt; }"
                  "QToolButton:checked { background: #1c4fa8; color: white;"
                  " border: 1px solid #0d2a5c; font-weight: bold; }"
                  "QToolButton:disabled { color: #a0a0a0; }");
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    for (int number = 1; number <= 49; ++number) {
        auto* cell = new QToolButton(this);
        cell->setObjectName(QString::asprintf("Cell%.2d", number));
        cell->setText(QString::asprintf("%.2d", number));
        cell->setCheckable(true);
        cell->setFixedSize(CellSize, CellSize);
        cell->setFocusPolicy(Qt::NoFocus);
        // The board decides what a click does, so the automatic toggle is undone first.
        connect(cell, &QToolButton::clicked, this, [this, cell, number] {
            cell->setChecked(!cell->isChecked());
            emit clicked();
            toggle(number);
        });
        grid->addWidget(cell, (number - 1) / BoardColumns, (number - 1) % BoardColumns);
        m_cells[number - 1] = cell;
    }
    setFixedSize(BoardColumns * CellSize, 10 * CellSize);
}

void PickBoard::toggle(int number)
{
    if (number < 1 || number > 49)
        return;
    QToolButton* target = cell(number);
    if (!target->isChecked() && pickedCount() >= m_limit)
        return;
    target->setChecked(!target->isChecked());
    emit picksChanged();
}

void PickBoard::clear()
{
    for (QToolButton* cell : m_cells)
        cell->setChecked(false);
    emit picksChanged();
}

QList<int> PickBoard::picked() const
{
    QList<int> numbers;
    for (int number = 1; number <= 49; ++number)
        if (cell(number)->isChecked())
            numbers << number;
    return numbers;
}

int PickBoard::pickedCount() const
{
    return int(std::count_if(m_cells.begin(), m_cells.end(),
                             [](const QToolButton* cell) { return cell->isChecked(); }));
}

void PickBoard::mousePressEvent(QMouseEvent* event)
{
    // The empty cell: it changes nothing but still counts as a click on the board.
    emit clicked();
    QWidget::mousePressEvent(event);
}

// --- GeneratorWindow

GeneratorWindow::GeneratorWindow(QWidget* parent)
    : TKestDialog({.objectName = "TfrmGenerator",
                   .caption = "Drawsage",
                   .title = "Combination Generator",
                   .description = "Use this feature to calculate / generate combinations",
                   .centreOnScreen = true},
                  parent)
{
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    TabSheet2 = buildGeneratorPage();
    TabSheet1 = buildCustomPage();
    PageControl1->addTab(TabSheet2, "Generator");
    PageControl1->addTab(TabSheet1, "Custom");

    auto* top = new QHBoxLayout;
    top->addWidget(PageControl1, 1);
    top->addWidget(buildButtons());
    contentLayout()->addLayout(top);

    lvResult = new StatisticsListView("lvResult", captionsOf(ResultColumns),
                                      StatisticsListView::SortByHeaderClick, this);
    lvResult->setItemDelegate(new CombinationDelegate(lvResult));
    lvResult->setShowGrid(true);
    lvResult->setMouseTracking(true);
    for (int column = 0; column < int(ResultColumns.size()); ++column)
        lvResult->setColumnWidth(column, ResultColumns[column].width);
    lvResult->setFixedHeight(200);
    contentLayout()->addWidget(lvResult);

    buildStatusBar();

    connect(PageControl1, &QTabWidget::currentChanged, this,
            [this] { onCustomPage() ? customPageShown() : generatorPageShown(); });
    m_engine.keepResponsive = [this] {
        showRun();
        QCoreApplication::processEvents();
    };
}

QWidget* GeneratorWindow::buildGeneratorPage()
{
    auto* page = new QWidget;
    page->setObjectName("TabSheet2");

    Edit1 = named(new QLineEdit("16"), "Edit1", CountHint);
    Edit1->setMaxLength(5);
    Edit1->setFixedWidth(60);
    UpDown1 = named(new TKestUpDown(1, MaxGenerateCount), "UpDown1", CountHint);
    UpDown1->setValue(16);
    connect(Edit1, &QLineEdit::textChanged, this, &GeneratorWindow::countEdited);
    connect(UpDown1, &TKestUpDown::clicked, this, [this](int position) {
        Edit1->setText(QString::number(position));
        showOdds(position);
    });
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(label("Generate Total"));
    countRow->addWidget(Edit1);
    countRow->addWidget(UpDown1);
    countRow->addStretch();

    auto* balance = new QGroupBox(" Combination Balance ");
    auto* balanceLayout = new QVBoxLayout(balance);
    const auto slider = [&](QCheckBox*& box, const QString& boxName, const QString& boxText,
                            const QString& boxHint, QSlider*& bar, const QString& barName,
                            const QString& barHint, const std::array<QString, 6>& labels) {
        box = named(new QCheckBox(boxText), boxName, boxHint);
        bar = named(new QSlider(Qt::Horizontal), barName, barHint);
        bar->setRange(0, BalanceSteps);
        bar->setValue(BalanceSteps / 2);
        bar->setPageStep(1);
        bar->setTickPosition(QSlider::TicksBothSides);
        bar->setTickInterval(1);
        bar->setEnabled(false);
        connect(box, &QCheckBox::toggled, bar, &QSlider::setEnabled);
        auto* captions = new QHBoxLayout;
        for (int i = 0; i < 3; ++i) {
            QLabel* caption = label(labels[2 * i], labels[2 * i + 1]);
            caption->setAlignment(i == 0   ? Qt::AlignLeft
                                  : i == 1 ? Qt::AlignHCenter
                                           : Qt::AlignRight);
            captions->addWidget(caption, 1);
            m_sliderLabels << caption;
        }
        balanceLayout->addWidget(box);
        balanceLayout->addWidget(bar);
        balanceLayout->addLayout(captions);
    };
    slider(CheckBox1, "CheckBox1", "Use O/E Balance",
           "Select this option if you want to specify the Odd/Even balance.", TrackBar1,
           "TrackBar1", "Specify the Odd/Even balance using this control.",
           {"Odd", "Label4", "Balanced", "Label5", "Even", "Label6"});
    slider(CheckBox2, "CheckBox2", "Use H/L Balance",
           "Select this option if you want to specify the High/Low balance.", TrackBar2,
           "TrackBar2", "Specify the Low/High balance using this control.",
           {"Low", "Label1", "Balanced", "Label2", "High", "Label9"});

    auto* left = new QVBoxLayout;
    left->addLayout(countRow);
    left->addWidget(balance);
    left->addStretch();

    auto* frequency =
        named(new QGroupBox(" Frequency "), "RadioGroup1", "Specify which frequency range to use");
    RadioGroup1 = frequency;
    m_frequency = new QButtonGroup(this);
    auto* frequencyLayout = new QVBoxLayout(frequency);
    const QStringList items{"Use both equally", "Use more hot numbers", "Use more cold numbers"};
    for (int item = 0; item < items.size(); ++item) {
        auto* button = new QRadioButton(items[item]);
        button->setObjectName(QString("RadioGroup1Item%1").arg(item));
        m_frequency->addButton(button, item);
        frequencyLayout->addWidget(button);
    }
    m_frequency->button(UseMoreHot)->setChecked(true);

    auto* modes = new QButtonGroup(this);
    RadioButton1 =
        named(new QRadioButton("Quick Pick (Random)"), "RadioButton1",
              "Select this option to generate random numbers without using calculations.");
    RadioButton2 = named(new QRadioButton("Use Frequency"), "RadioButton2",
                         "Select this option to use frequency specific combinations.");
    modes->addButton(RadioButton1);
    modes->addButton(RadioButton2);
    RadioButton2->setChecked(true);
    connect(modes, &QButtonGroup::buttonClicked, this, &GeneratorWindow::modeChosen);

    auto* middle = new QVBoxLayout;
    middle->addWidget(RadioButton1);
    middle->addWidget(RadioButton2);
    middle->addWidget(frequency);
    middle->addStretch();

    auto* priority = named(new QGroupBox(" Priority "), "GroupBox3", PriorityHint);
    auto* priorityLayout = new QVBoxLayout(priority);
    CheckBox3 =
        named(new QCheckBox("Due Numbers"), "CheckBox3", "Set due numbers as a high priority");
    CheckBox4 = named(new QCheckBox("Overdue Numbers"), "CheckBox4",
                      "Set overdue numbers as a high priority");
    CheckBox5 = named(new QCheckBox("Favourite numbers"), "CheckBox5",
                      "Set favourite numbers as a high priority");
    CheckBox3->setChecked(true);
    for (QCheckBox* box : {CheckBox3, CheckBox4, CheckBox5})
        priorityLayout->addWidget(box);

    auto* prevent = new QGroupBox(" Prevent (Slower) ");
    auto* preventLayout = new QVBoxLayout(prevent);
    CheckBox6 = named(new QCheckBox("Duplicate Combinations"), "CheckBox6",
                      "This option will check for duplicate combinations and correct them if "
                      "found. (Slower)");
    CheckBox7 = named(new QCheckBox("Previously Drawn Combinations"), "CheckBox7",
                      "This option will check for previously drawn combinations and correct "
                      "them if found. (Slower)");
    for (QCheckBox* box : {CheckBox6, CheckBox7}) {
        box->setChecked(true);
        preventLayout->addWidget(box);
    }

    auto* right = new QVBoxLayout;
    right->addWidget(priority);
    right->addWidget(prevent);
    right->addStretch();

    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left);
    layout->addLayout(middle);
    layout->addLayout(right);
    return page;
}

QWidget* GeneratorWindow::buildCustomPage()
{
    auto* page = new QWidget;
    page->setObjectName("TabSheet1");

    DrawGrid1 = new PickBoard;
    connect(DrawGrid1, &PickBoard::clicked, this, &GeneratorWindow::cellClicked);
    connect(DrawGrid1, &PickBoard::picksChanged, this, &GeneratorWindow::picksChanged);

    auto* engine = new QGroupBox(" Engine ");
    auto* grid = new QGridLayout(engine);
    TempList = named(new QComboBox, "TempList",
                     "Select the template you wish to use when generating combinations.");
    TempList->setEditable(false);
    TempList->setMinimumWidth(150);
    connect(TempList, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_listing)
            templateChosen();
    });
    SpeedButton2 =
        named(new QToolButton, "SpeedButton2", "Click here to open the template editor.");
    SpeedButton2->setText("...");
    connect(SpeedButton2, &QToolButton::clicked, this, [this] {
        TemplateEditor* editor =
            parentWidget() ? parentWidget()->findChild<TemplateEditor*>() : nullptr;
        if (!editor)
            return;
        editor->installEventFilter(this);
        // The main window is disabled while this window is shown, and that reaches the editor.
        editor->setEnabled(true);
        editor->show();
        editor->raise();
        editor->activateWindow();
    });
    Label14 = named(new QLabel(NoValue), "Label14", "The total number of selections allowed.");
    Label15 = named(new QLabel(NoValue), "Label15", ResultHint);
    Label18 = named(new QLabel(NoValue), "Label18", ResultHint);
    grid->addWidget(label("Select Template"), 0, 0);
    auto* chooser = new QHBoxLayout;
    chooser->addWidget(TempList, 1);
    chooser->addWidget(SpeedButton2);
    grid->addLayout(chooser, 0, 1);
    grid->addWidget(label("Selection Total"), 1, 0);
    grid->addWidget(Label14, 1, 1);
    grid->addWidget(label("Total Combinations"), 2, 0);
    grid->addWidget(Label15, 2, 1);
    grid->addWidget(label("Guaranteed Hit"), 3, 0);
    grid->addWidget(Label18, 3, 1);
    // What the rows truly guarantee, worked out; the template's own figure above is a claim.
    m_coverage = named(new QLabel(NoValue), "lblCoverage",
                       "What the rows guarantee: t if m means that when m of your numbers are "
                       "drawn, at least one line matches t of them.");
    m_coverage->setWordWrap(true);
    m_overClaim = named(new QLabel, "lblOverClaim", m_coverage->toolTip());
    m_overClaim->setWordWrap(true);
    m_overClaim->setStyleSheet("color: #c00000;");
    m_overClaim->hide();
    grid->addWidget(label("True Guarantee"), 4, 0, Qt::AlignTop);
    grid->addWidget(m_coverage, 4, 1);
    grid->addWidget(m_overClaim, 5, 0, 1, 2);
    grid->setRowStretch(6, 1);

    auto* autoGroup = new QGroupBox(" Auto Select ");
    auto* autoLayout = new QVBoxLayout(autoGroup);
    const auto addAuto = [&](const QString& name, const QString& caption, const QString& hint,
                             const std::function<QList<int>()>& order, bool reread) {
        auto* button = named(new QPushButton(caption), name, hint);
        connect(button, &QPushButton::clicked, this,
                [this, order, reread] { autoSelect(order, reread); });
        autoLayout->addWidget(button);
        m_autoSelect << button;
        return button;
    };
    const auto ranked = [this](bool hot) {
        const Ranking ranking = RankingOf(kernel()->Stats);
        QList<int> order;
        for (int rank = 1; rank <= 49; ++rank)
            order << ranking[hot ? rank : 50 - rank];
        return order;
    };
    addAuto(
        "Button4", "Hot Numbers",
        "Click here to select the most frequent numbers (or Hot Numbers).",
        [ranked] { return ranked(true); }, false);
    addAuto(
        "Button10", "Due Numbers", "Click here to select numbers due to appear.",
        [this] { return numbersOfStatus(Due); }, false);
    addAuto(
        "Button11", "Overdue Numbers", "Click here to select overdue numbers.",
        [this] { return numbersOfStatus(Overdue); }, false);
    addAuto(
        "Button12", "Non-due Numbers", "Click here to select numbers that's not likely to appear.",
        [this] { return numbersOfStatus(NotDue); }, false);
    addAuto(
        "Button5", "Cold Numbers",
        "Click here to select the least frequent numbers (or Cold Numbers).",
        [ranked] { return ranked(false); }, false);
    addAuto(
        "Button6", "Random", "Click here to select random numbers.",
        [this] { return randomSelection(m_template ? m_template->selectionTotal : 0); }, true);
    Button9 = addAuto(
        "Button9", "Favourite", "Click here to select your favourite numbers.",
        [this] { return FavouriteNumbers(kernel()->FavouriteTable); }, true);
    autoLayout->addStretch();

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(DrawGrid1, 0, Qt::AlignTop);
    layout->addWidget(engine, 1);
    layout->addWidget(autoGroup);
    return page;
}

QWidget* GeneratorWindow::buildButtons()
{
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 24, 0, 0);
    const auto button = [&](const QString& name, const QString& caption, const QString& hint,
                            void (GeneratorWindow::*command)()) {
        auto* result = named(new QPushButton(caption), name, hint);
        result->setAutoDefault(false);
        connect(result, &QPushButton::clicked, this, command);
        layout->addWidget(result);
        return result;
    };
    Button1 = button("Button1", "Ca&lculate",
                     "Click here to calculate the combinations using the specified configuration.",
                     &GeneratorWindow::Calculate);
    Button2 = named(new QPushButton("&Close"), "Button2", "Click here to close this dialog.");
    Button2->setAutoDefault(false);
    connect(Button2, &QPushButton::clicked, this, [this] {
        PageControl1->setEnabled(true);
        close();
    });
    layout->addWidget(Button2);
    Button3 = button("Button3", "Clea&r", "Click here to clear all the calculations.",
                     &GeneratorWindow::Clear);
    Button7 = button("Button7", "&Stop", "Click here at any time to stop  the calculation process.",
                     &GeneratorWindow::Stop);
    Button8 =
        button("Button8", "S&ave", "Click here to save the combination to a file (Ticket File).",
               &GeneratorWindow::Save);
    for (QPushButton* disabled : {Button3, Button7, Button8})
        disabled->setEnabled(false);
    layout->addStretch();
    return column;
}

void GeneratorWindow::buildStatusBar()
{
    StatusBar1 = named(new QStatusBar(this), "StatusBar1",
                       "Displays the odds, successfull combinations, combinations prevented, "
                       "accuracy, and overall rating.");
    StatusBar1->setSizeGripEnabled(false);
    for (int i = 0; i < int(m_panels.size()); ++i) {
        m_panels[i] = label(StatusPanels[i].text, QString("StatusPanel%1").arg(i));
        const int fit = m_panels[i]->fontMetrics().horizontalAdvance(StatusPanels[i].widest) + 8;
        m_panels[i]->setFixedWidth(std::max(StatusPanels[i].width, fit));
        StatusBar1->addWidget(m_panels[i], i == 4 ? 1 : 0);
    }
    m_panels[4]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_panels[4]->setContentsMargins(RatingIndent, 0, 0, 0);
    layout()->addWidget(StatusBar1);
}

TKernel* GeneratorWindow::kernel() const
{
    return TKernel::instance();
}

bool GeneratorWindow::onCustomPage() const
{
    return PageControl1->currentWidget() == TabSheet1;
}

bool GeneratorWindow::favouritesExist() const
{
    return kernel() && kernel()->FavouriteTable.Active() && !kernel()->FavouriteTable.IsEmpty();
}

// --- Showing and hiding

void GeneratorWindow::showEvent(QShowEvent* event)
{
    TKestDialog::showEvent(event);
    // Coming back from minimised is no new showing.
    if (event->spontaneous())
        return;
    lvResult->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    if (parentWidget()) {
        parentWidget()->setEnabled(false);
        // Disabling the main window reaches its child windows, this one included.
        setEnabled(true);
    }
    {
        const QSignalBlocker blocker(PageControl1);
        PageControl1->setCurrentWidget(TabSheet2);
    }
    generatorPageShown();
    listTemplates();
    loadTemplate(false);
    Clear();
    CheckBox5->setEnabled(favouritesExist() && RadioButton2->isChecked());
}

void GeneratorWindow::hideEvent(QHideEvent* event)
{
    // However the window goes, a run in progress ends and the main window comes back; being
    // minimised is no going.
    if (event->spontaneous()) {
        TKestDialog::hideEvent(event);
        return;
    }
    if (m_running)
        Stop();
    lvResult->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    if (parentWidget())
        parentWidget()->setEnabled(true);
    TKestDialog::hideEvent(event);
}

bool GeneratorWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Hide && qobject_cast<TemplateEditor*>(watched) && isVisible())
        editorClosed();
    return TKestDialog::eventFilter(watched, event);
}

// --- The Generator page

std::optional<int> GeneratorWindow::count() const
{
    bool ok = false;
    const int value = Edit1->text().toInt(&ok);
    if (!ok || value < 1 || value > MaxGenerateCount)
        return std::nullopt;
    return value;
}

void GeneratorWindow::showOdds(int lines)
{
    m_panels[0]->setText(Format("Odds: 1 in %.0n", {TicketOdds(lines)}));
}

void GeneratorWindow::countEdited(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok)
        return;
    if (value >= 1 && value <= MaxGenerateCount) {
        Button1->setEnabled(true);
        Edit1->setPalette(QPalette());
        UpDown1->setValue(value);
        showOdds(UpDown1->value());
        return;
    }
    QPalette invalid = Edit1->palette();
    invalid.setColor(QPalette::Base, InvalidCountColour);
    invalid.setColor(QPalette::Text, Qt::white);
    Edit1->setPalette(invalid);
    if (kernel())
        kernel()->ShowNotice(CountNotice);
    Button1->setEnabled(false);
}

void GeneratorWindow::modeChosen()
{
    const bool frequency = RadioButton2->isChecked();
    Button1->setText(frequency ? "C&alculate" : "&Generate");
    for (QLabel* caption : m_sliderLabels)
        caption->setEnabled(frequency);
    for (QWidget* control :
         {static_cast<QWidget*>(CheckBox1), static_cast<QWidget*>(CheckBox2),
          static_cast<QWidget*>(CheckBox3), static_cast<QWidget*>(CheckBox4), RadioGroup1})
        control->setEnabled(frequency);
    CheckBox5->setEnabled(frequency && favouritesExist());
    // Both ways the balances start over unchecked, and so with their sliders disabled.
    CheckBox1->setChecked(false);
    CheckBox2->setChecked(false);
    TrackBar1->setEnabled(false);
    TrackBar2->setEnabled(false);
}

void GeneratorWindow::generatorPageShown()
{
    Clear();
    Button1->setText("Ca&lculate");
    Button1->setEnabled(count().has_value());
    showOdds(UpDown1->value());
    m_panels[2]->setText(" Prevented: 0");
    m_panels[3]->setText(" Accuracy: 100.00%");
    CheckBox5->setEnabled(favouritesExist() && RadioButton2->isChecked());
}

GeneratorOptions GeneratorWindow::generatorOptions() const
{
    GeneratorOptions options;
    options.count = count().value_or(1);
    options.combination.quickPick = RadioButton1->isChecked();
    options.combination.frequencyMode = m_frequency->checkedId();
    options.combination.useOddEven = CheckBox1->isChecked();
    options.combination.evenCount = TrackBar1->value();
    options.combination.useLowHigh = CheckBox2->isChecked();
    options.combination.highCount = TrackBar2->value();
    options.checkDuplicates = CheckBox6->isChecked();
    options.checkDrawn = CheckBox7->isChecked();
    if (kernel() && !options.combination.quickPick) {
        const Priorities priorities{.due = CheckBox3->isChecked(),
                                    .overdue = CheckBox4->isChecked(),
                                    .favourite = CheckBox5->isChecked() && CheckBox5->isEnabled()};
        const QList<int> favourites =
            priorities.favourite ? FavouriteNumbers(kernel()->FavouriteTable) : QList<int>{};
        options.preferred = PriorityNumbers(kernel()->Stats, priorities, favourites);
    }
    return options;
}

// --- Runs

void GeneratorWindow::Calculate()
{
    if (m_running)
        return;
    if (onCustomPage())
        applyTemplate();
    else
        generate();
}

void GeneratorWindow::generate()
{
    if (!kernel() || !count())
        return;
    const GeneratorOptions options = generatorOptions();
    beginRun();
    if (NeedsConfirmation(options) &&
        TKestMessage::question(this, "Confirm", LongRunQuestion) != QMessageBox::Yes) {
        PageControl1->setEnabled(true);
        Button1->setEnabled(true);
        restoreCursor();
        return;
    }
    for (QPushButton* button : {Button2, Button3, Button8})
        button->setEnabled(false);
    Button7->setEnabled(true);

    m_running = true;
    finishRun(m_engine.GenerateCombinations(RankingOf(kernel()->Stats),
                                            kernel()->Stats.Combinations, options));
}

void GeneratorWindow::applyTemplate()
{
    if (!m_template || DrawGrid1->pickedCount() != m_template->selectionTotal)
        return;
    beginRun();
    m_running = true;
    bool finished = false;
    try {
        finished = m_engine.ApplyTemplate(*m_template, DrawGrid1->picked());
    } catch (const TKestError& error) {
        m_running = false;
        PageControl1->setEnabled(true);
        restoreCursor();
        updateGenerateButton();
        if (kernel())
            emit kernel()->errorOccurred(error.message());
        return;
    }
    finishRun(finished);
}

void GeneratorWindow::finishRun(bool finished)
{
    m_running = false;
    if (finished)
        endRun();
    else
        lvResult->setRows(listRows(m_engine.rows())); // stopped: the rows made so far
}

void GeneratorWindow::beginRun()
{
    m_engine.Clear();
    lvResult->setRows({});
    PageControl1->setEnabled(false);
    Button1->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_busyCursor = true;
}

void GeneratorWindow::endRun()
{
    lvResult->setRows(listRows(m_engine.rows()));
    showRun();
    for (QPushButton* button : {Button1, Button2, Button3, Button8})
        button->setEnabled(true);
    PageControl1->setEnabled(true);
    Button7->setEnabled(false);
    restoreCursor();
}

void GeneratorWindow::restoreCursor()
{
    if (m_busyCursor)
        QApplication::restoreOverrideCursor();
    m_busyCursor = false;
}

void GeneratorWindow::showRun()
{
    // The list is filled when the run ends: refilling it on every glance would make a long run
    // slower the longer it gets.
    const StatusTexts texts = m_engine.statusTexts();
    m_panels[1]->setText(texts.successful);
    if (!texts.prevented.isEmpty())
        m_panels[2]->setText(texts.prevented);
    m_panels[3]->setText(texts.accuracy);
    showRating();
}

void GeneratorWindow::showRating()
{
    const int stars = 5 - RateSum(m_engine.state().averageSum).picture;
    m_panels[4]->setPixmap(ratingPicture(stars, RatingSize, palette().color(QPalette::Window)));
}

void GeneratorWindow::Stop()
{
    m_engine.Stop();
    m_selectionStopped = true;
    for (QPushButton* button : {Button1, Button2, Button3})
        button->setEnabled(true);
    Button7->setEnabled(false);
    Button8->setEnabled(!m_engine.rows().empty());
    PageControl1->setEnabled(true);
    m_panels[1]->setText(ProcessAborted);
    restoreCursor();
}

void GeneratorWindow::Clear()
{
    // A run that is being stopped still owns its rows until it has returned.
    if (m_running)
        return;
    m_engine.Clear();
    lvResult->setRows({});
    showRating();
    DrawGrid1->clear();
    Button3->setEnabled(false);
    Button8->setEnabled(false);
    m_panels[1]->setText(" Successfull: 0");
    if (onCustomPage()) {
        m_panels[2]->setText(" Selected: 0");
        m_panels[3]->setText(" Accuracy: N/A");
        Button1->setEnabled(false);
    } else {
        m_panels[2]->setText(" Prevented: 0");
        m_panels[3]->setText(" Accuracy: 100.00%");
        // An invalid count keeps the command disabled, whatever clears the list.
        Button1->setEnabled(count().has_value());
    }
}

void GeneratorWindow::Save()
{
    if (!kernel())
        return;
    const QString fileName =
        TKestFileDialog::getSaveFileName(this, {.title = {},
                                                .filter = "Ticket|*.dtk",
                                                .defaultExtension = "dtk",
                                                .folder = kernel()->GetTicketDir()});
    if (fileName.isEmpty())
        return;
    // The rows as the list shows them, sorted or not.
    TicketRows rows;
    for (int row = 0; row < lvResult->model()->rowCount(); ++row) {
        const QStringList texts = lvResult->rowAt(row);
        rows.push_back({texts.value(0), texts.mid(1), 0});
    }
    try {
        SaveTicket(rows, fileName);
    } catch (const TicketFileError& error) {
        TKestMessage::critical(this, TicketErrorCaption, error.message());
    } catch (const TKestError& error) {
        emit kernel()->errorOccurred(error.message());
    }
}

// --- The Custom page

void GeneratorWindow::customPageShown()
{
    Clear();
    Button1->setText("&Generate");
    Button1->setEnabled(false);
    Button9->setEnabled(favouritesExist());
    listTemplates();
    m_panels[2]->setText(" Selected: 0");
    m_panels[3]->setText(" Accuracy: N/A");
    loadTemplate(true);
}

void GeneratorWindow::listTemplates()
{
    m_listing = true;
    TempList->clear();
    QStringList files;
    if (kernel()) {
        // The name filter ignores case, so "Wheel.TPL" is listed too: keep each file's own
        // name to load it by.
        files = QDir(kernel()->GetTemplatesDir())
                    .entryList({"*.tpl"}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    }
    m_templatesAvailable = !files.isEmpty();
    for (const QString& file : files)
        TempList->addItem(file.chopped(4), file);
    if (!m_templatesAvailable)
        TempList->addItem(NoTemplates);
    TempList->setEnabled(m_templatesAvailable);
    DrawGrid1->setEnabled(m_templatesAvailable);
    setAutoSelectEnabled(m_templatesAvailable);
    TempList->setCurrentIndex(0);
    m_listing = false;
}

QString GeneratorWindow::templateFile() const
{
    return QDir(kernel()->GetTemplatesDir()).filePath(TempList->currentData().toString());
}

bool GeneratorWindow::readTemplate()
{
    if (!m_templatesAvailable || !kernel())
        return false;
    try {
        m_template = ReadTemplate(templateFile(), GeneratorTemplateCapacity);
    } catch (const TKestError& error) {
        if (error.message() == TemplateReadFailure)
            kernel()->ShowNotice(TemplateReadFailure);
        else
            emit kernel()->errorOccurred(error.message());
        return false;
    }
    const QString notice = SelectionTotalNotice(m_template->selectionTotal);
    if (!notice.isEmpty())
        kernel()->ShowNotice(notice);
    setAutoSelectEnabled(notice.isEmpty());
    DrawGrid1->setLimit(notice.isEmpty() ? m_template->selectionTotal : 0);
    return true;
}

void GeneratorWindow::loadTemplate(bool showOdds)
{
    if (!readTemplate())
        return;
    Label14->setText(QString(": 0 of %1").arg(m_template->selectionTotal));
    Label15->setText(QString(": %1").arg(m_template->rows.size()));
    Label18->setText(QString(": %1").arg(m_template->guaranteedMatch));
    const CoverageNote coverage = DescribeCoverage(*m_template, templateFile());
    m_coverage->setText(": " + coverage.summary);
    m_coverage->setToolTip(coverage.details);
    m_overClaim->setText(coverage.warning);
    m_overClaim->setVisible(!coverage.warning.isEmpty());
    if (showOdds)
        this->showOdds(int(m_template->rows.size()));
}

void GeneratorWindow::templateChosen()
{
    Clear();
    loadTemplate(true);
}

void GeneratorWindow::editorClosed()
{
    listTemplates();
    templateChosen();
}

void GeneratorWindow::cellClicked()
{
    if (DrawGrid1->isEnabled())
        Button3->setEnabled(true);
}

void GeneratorWindow::picksChanged()
{
    updateGenerateButton();
    const int picked = DrawGrid1->pickedCount();
    if (m_template)
        Label14->setText(QString(": %1 of %2").arg(picked).arg(m_template->selectionTotal));
    if (onCustomPage())
        m_panels[2]->setText(Format(" Selected: %d", {picked}));
}

void GeneratorWindow::updateGenerateButton()
{
    if (!onCustomPage())
        return;
    // A template the board cannot serve never gets its run.
    const bool complete = m_template &&
                          SelectionTotalNotice(m_template->selectionTotal).isEmpty() &&
                          DrawGrid1->pickedCount() == m_template->selectionTotal;
    Button1->setEnabled(complete && !m_running);
}

void GeneratorWindow::setAutoSelectEnabled(bool enabled)
{
    for (QPushButton* button : m_autoSelect)
        button->setEnabled(enabled);
    Button9->setEnabled(enabled && favouritesExist());
}

void GeneratorWindow::autoSelect(const std::function<QList<int>()>& order, bool rereadTemplate)
{
    if (!m_templatesAvailable || !kernel())
        return;
    Clear();
    Button3->setEnabled(true);
    setAutoSelectEnabled(false);
    if (!rereadTemplate || readTemplate()) {
        for (const int number : order())
            DrawGrid1->toggle(number);
    }
    setAutoSelectEnabled(m_template && SelectionTotalNotice(m_template->selectionTotal).isEmpty());
}

QList<int> GeneratorWindow::randomSelection(int total)
{
    m_selectionStopped = false;
    Button7->setEnabled(true);
    QList<int> numbers;
    for (int i = 0; i < total; ++i)
        numbers << RandomInRange(1, 49);
    bool replaced = true;
    while (replaced && !m_selectionStopped) {
        std::sort(numbers.begin(), numbers.end());
        replaced = false;
        for (int i = 1; i < numbers.size(); ++i) {
            if (numbers[i] == numbers[i - 1]) {
                numbers[i] = RandomInRange(1, 49);
                replaced = true;
            }
        }
        QCoreApplication::processEvents();
    }
    Button7->setEnabled(false);
    return numbers;
}

QList<int> GeneratorWindow::numbersOfStatus(int status) const
{
    QList<int> numbers;
    for (int number = 1; number <= 49; ++number)
        if (kernel()->Stats.Numbers[number].status == status)
            numbers << number;
    return numbers;
}
