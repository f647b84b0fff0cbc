#include "gui/generator/GeneratorWindow.h"

#include "core/generator/NumberSelection.h"
#include "core/generator/WheelCoverage.h"
#include "core/kernel/Format.h"
#include "core/kernel/Kernel.h"
#include "core/kernel/KestError.h"
#include "core/kernel/LottoMath.h"
#include "core/stats/CombinationFrequencies.h"
#include "gui/components/CombinationDelegate.h"
#include "gui/components/DocumentPrinter.h"
#include "gui/components/KestFileDialog.h"
#include "gui/components/KestMessage.h"
#include "gui/components/KestPictures.h"
#include "gui/components/StatisticsListView.h"
#include "gui/generator/TemplateEditor.h"

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
const QString PriorityHint =
    "Checked kinds of numbers are preferred: each combination takes up to two of them, in place "
    "of drawn numbers of the same odd/even, low/high and frequency range.";

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

void PickBoard::setPicked(const QList<int>& numbers)
{
    for (int number = 1; number <= 49; ++number)
        cell(number)->setChecked(numbers.contains(number));
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
    m_pages = new QTabWidget(this);
    m_pages->setObjectName("PageControl1");
    m_generatorPage = buildGeneratorPage();
    m_customPage = buildCustomPage();
    m_pages->addTab(m_generatorPage, "Generator");
    m_pages->addTab(m_customPage, "Custom");

    auto* top = new QHBoxLayout;
    top->addWidget(m_pages, 1);
    top->addWidget(buildButtons());
    contentLayout()->addLayout(top);

    m_results = new StatisticsListView("lvResult", captionsOf(ResultColumns),
                                       StatisticsListView::SortByHeaderClick, this);
    m_results->setItemDelegate(new CombinationDelegate(m_results));
    m_results->setShowGrid(true);
    m_results->setMouseTracking(true);
    for (int column = 0; column < int(ResultColumns.size()); ++column)
        m_results->setColumnWidth(column, ResultColumns[column].width);
    m_results->setFixedHeight(200);
    contentLayout()->addWidget(m_results);

    buildStatusBar();

    connect(m_pages, &QTabWidget::currentChanged, this,
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

    m_countEdit = named(new QLineEdit("16"), "Edit1", CountHint);
    m_countEdit->setMaxLength(5);
    m_countEdit->setFixedWidth(60);
    m_countSpin = named(new TKestUpDown(1, MaxGenerateCount), "UpDown1", CountHint);
    m_countSpin->setValue(16);
    connect(m_countEdit, &QLineEdit::textChanged, this, &GeneratorWindow::countEdited);
    connect(m_countSpin, &TKestUpDown::clicked, this, [this](int position) {
        m_countEdit->setText(QString::number(position));
        showOdds(position);
    });
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(label("Generate Total"));
    countRow->addWidget(m_countEdit);
    countRow->addWidget(m_countSpin);
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
    slider(m_useOddEven, "CheckBox1", "Use O/E Balance",
           "Select this option if you want to specify the Odd/Even balance.", m_oddEven,
           "TrackBar1", "Specify the Odd/Even balance using this control.",
           {"Odd", "Label4", "Balanced", "Label5", "Even", "Label6"});
    slider(m_useLowHigh, "CheckBox2", "Use H/L Balance",
           "Select this option if you want to specify the High/Low balance.", m_lowHigh,
           "TrackBar2", "Specify the Low/High balance using this control.",
           {"Low", "Label1", "Balanced", "Label2", "High", "Label9"});

    auto* left = new QVBoxLayout;
    left->addLayout(countRow);
    left->addWidget(balance);
    left->addStretch();

    auto* frequency =
        named(new QGroupBox(" Frequency "), "RadioGroup1", "Specify which frequency range to use");
    m_frequencyGroup = frequency;
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
    m_quickPick =
        named(new QRadioButton("Quick Pick (Random)"), "RadioButton1",
              "Select this option to generate random numbers without using calculations.");
    m_useFrequency = named(new QRadioButton("Use Frequency"), "RadioButton2",
                           "Select this option to use frequency specific combinations.");
    modes->addButton(m_quickPick);
    modes->addButton(m_useFrequency);
    m_useFrequency->setChecked(true);
    connect(modes, &QButtonGroup::buttonClicked, this, &GeneratorWindow::modeChosen);

    auto* middle = new QVBoxLayout;
    middle->addWidget(m_quickPick);
    middle->addWidget(m_useFrequency);
    middle->addWidget(frequency);
    middle->addStretch();

    auto* priority = named(new QGroupBox(" Priority "), "GroupBox3", PriorityHint);
    auto* priorityLayout = new QVBoxLayout(priority);
    m_preferDue =
        named(new QCheckBox("Due Numbers"), "CheckBox3", "Set due numbers as a high priority");
    m_preferOverdue = named(new QCheckBox("Overdue Numbers"), "CheckBox4",
                            "Set overdue numbers as a high priority");
    m_preferFavourites = named(new QCheckBox("Favourite numbers"), "CheckBox5",
                               "Set favourite numbers as a high priority");
    m_preferDue->setChecked(true);
    for (QCheckBox* box : {m_preferDue, m_preferOverdue, m_preferFavourites})
        priorityLayout->addWidget(box);

    auto* prevent = new QGroupBox(" Prevent (Slower) ");
    auto* preventLayout = new QVBoxLayout(prevent);
    m_preventDuplicates =
        named(new QCheckBox("Duplicate Combinations"), "CheckBox6",
              "This option will check for duplicate combinations and correct them if "
              "found. (Slower)");
    m_preventDrawn = named(new QCheckBox("Previously Drawn Combinations"), "CheckBox7",
                           "This option will check for previously drawn combinations and correct "
                           "them if found. (Slower)");
    for (QCheckBox* box : {m_preventDuplicates, m_preventDrawn}) {
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

    m_board = new PickBoard;
    connect(m_board, &PickBoard::clicked, this, &GeneratorWindow::cellClicked);
    connect(m_board, &PickBoard::picksChanged, this, &GeneratorWindow::picksChanged);

    auto* engine = new QGroupBox(" Engine ");
    auto* grid = new QGridLayout(engine);
    m_templateList = named(new QComboBox, "TempList",
                           "Select the template you wish to use when generating combinations.");
    m_templateList->setEditable(false);
    m_templateList->setMinimumWidth(150);
    connect(m_templateList, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_listing)
            templateChosen();
    });
    m_editTemplate =
        named(new QToolButton, "SpeedButton2", "Click here to open the template editor.");
    m_editTemplate->setText("...");
    connect(m_editTemplate, &QToolButton::clicked, this, [this] {
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
    m_selectionTotal =
        named(new QLabel(NoValue), "Label14", "The total number of selections allowed.");
    m_totalCombinations = named(new QLabel(NoValue), "Label15", ResultHint);
    m_guaranteedHit = named(new QLabel(NoValue), "Label18", ResultHint);
    grid->addWidget(label("Select Template"), 0, 0);
    auto* chooser = new QHBoxLayout;
    chooser->addWidget(m_templateList, 1);
    chooser->addWidget(m_editTemplate);
    grid->addLayout(chooser, 0, 1);
    grid->addWidget(label("Selection Total"), 1, 0);
    grid->addWidget(m_selectionTotal, 1, 1);
    grid->addWidget(label("Total Combinations"), 2, 0);
    grid->addWidget(m_totalCombinations, 2, 1);
    grid->addWidget(label("Guaranteed Hit"), 3, 0);
    grid->addWidget(m_guaranteedHit, 3, 1);
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
    const auto ranking = [this] { return RankingOf(kernel()->Stats); };
    const auto ofStatus = [this](NumberStatus status) {
        return [this, status] { return NumbersOfStatus(kernel()->Stats, status); };
    };
    addAuto(
        "Button4", "Hot Numbers",
        "Click here to select the most frequent numbers (or Hot Numbers).",
        [ranking] { return HotOrder(ranking()); }, false);
    addAuto("Button10", "Due Numbers", "Click here to select numbers due to appear.", ofStatus(Due),
            false);
    addAuto("Button11", "Overdue Numbers", "Click here to select overdue numbers.",
            ofStatus(Overdue), false);
    addAuto("Button12", "Non-due Numbers",
            "Click here to select numbers that's not likely to appear.", ofStatus(NotDue), false);
    addAuto(
        "Button5", "Cold Numbers",
        "Click here to select the least frequent numbers (or Cold Numbers).",
        [ranking] { return ColdOrder(ranking()); }, false);
    addAuto(
        "Button6", "Random", "Click here to select random numbers.",
        [this] { return randomSelection(m_template ? m_template->selectionTotal : 0); }, true);
    m_favouritePick = addAuto(
        "Button9", "Favourite", "Click here to select your favourite numbers.",
        [this] { return FavouriteNumbers(kernel()->FavouriteTable); }, true);
    autoLayout->addStretch();

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(m_board, 0, Qt::AlignTop);
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
    m_calculate =
        button("Button1", "Ca&lculate",
               "Click here to calculate the combinations using the specified configuration.",
               &GeneratorWindow::Calculate);
    m_close = named(new QPushButton("&Close"), "Button2", "Click here to close this dialog.");
    m_close->setAutoDefault(false);
    connect(m_close, &QPushButton::clicked, this, [this] {
        m_pages->setEnabled(true);
        close();
    });
    layout->addWidget(m_close);
    m_clear = button("Button3", "Clea&r", "Click here to clear all the calculations.",
                     &GeneratorWindow::Clear);
    m_stop = button("Button7", "&Stop", "Click here at any time to stop  the calculation process.",
                    &GeneratorWindow::Stop);
    m_save =
        button("Button8", "S&ave", "Click here to save the combination to a file (Ticket File).",
               &GeneratorWindow::Save);
    for (QPushButton* disabled : {m_clear, m_stop, m_save})
        disabled->setEnabled(false);
    auto* print = named(new QPushButton("&Print"), "btnPrint",
                        "Click here to print the combinations or to save them as a PDF file.");
    print->setAutoDefault(false);
    print->setMenu(new PrintMenu(
        this, [this] { return document(); },
        [this] { return !m_running && m_results->rowsModel()->rowCount() > 0; }));
    layout->addWidget(print);
    layout->addStretch();
    return column;
}

void GeneratorWindow::buildStatusBar()
{
    m_statusBar = named(new QStatusBar(this), "StatusBar1",
                        "Displays the odds, successfull combinations, combinations prevented, "
                        "accuracy, and overall rating.");
    m_statusBar->setSizeGripEnabled(false);
    for (int i = 0; i < int(m_panels.size()); ++i) {
        m_panels[i] = label(StatusPanels[i].text, QString("StatusPanel%1").arg(i));
        const int fit = m_panels[i]->fontMetrics().horizontalAdvance(StatusPanels[i].widest) + 8;
        m_panels[i]->setFixedWidth(std::max(StatusPanels[i].width, fit));
        m_statusBar->addWidget(m_panels[i], i == 4 ? 1 : 0);
    }
    m_panels[4]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_panels[4]->setContentsMargins(RatingIndent, 0, 0, 0);
    layout()->addWidget(m_statusBar);
}

TKernel* GeneratorWindow::kernel() const
{
    return TKernel::instance();
}

bool GeneratorWindow::onCustomPage() const
{
    return m_pages->currentWidget() == m_customPage;
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
    m_results->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    if (parentWidget()) {
        parentWidget()->setEnabled(false);
        // Disabling the main window reaches its child windows, this one included.
        setEnabled(true);
    }
    {
        const QSignalBlocker blocker(m_pages);
        m_pages->setCurrentWidget(m_generatorPage);
    }
    generatorPageShown();
    listTemplates();
    loadTemplate(false);
    Clear();
    m_preferFavourites->setEnabled(favouritesExist() && m_useFrequency->isChecked());
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
    m_results->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
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
    const int value = m_countEdit->text().toInt(&ok);
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
        m_calculate->setEnabled(true);
        m_countEdit->setPalette(QPalette());
        m_countSpin->setValue(value);
        showOdds(m_countSpin->value());
        return;
    }
    QPalette invalid = m_countEdit->palette();
    invalid.setColor(QPalette::Base, InvalidCountColour);
    invalid.setColor(QPalette::Text, Qt::white);
    m_countEdit->setPalette(invalid);
    if (kernel())
        kernel()->ShowNotice(CountNotice);
    m_calculate->setEnabled(false);
}

void GeneratorWindow::modeChosen()
{
    const bool frequency = m_useFrequency->isChecked();
    m_calculate->setText(frequency ? "C&alculate" : "&Generate");
    for (QLabel* caption : m_sliderLabels)
        caption->setEnabled(frequency);
    for (QWidget* control :
         {static_cast<QWidget*>(m_useOddEven), static_cast<QWidget*>(m_useLowHigh),
          static_cast<QWidget*>(m_preferDue), static_cast<QWidget*>(m_preferOverdue),
          m_frequencyGroup})
        control->setEnabled(frequency);
    m_preferFavourites->setEnabled(frequency && favouritesExist());
    // Both ways the balances start over unchecked, and so with their sliders disabled.
    m_useOddEven->setChecked(false);
    m_useLowHigh->setChecked(false);
    m_oddEven->setEnabled(false);
    m_lowHigh->setEnabled(false);
}

void GeneratorWindow::generatorPageShown()
{
    Clear();
    m_calculate->setText("Ca&lculate");
    m_calculate->setEnabled(count().has_value());
    showOdds(m_countSpin->value());
    m_panels[2]->setText(" Prevented: 0");
    m_panels[3]->setText(" Accuracy: 100.00%");
    m_preferFavourites->setEnabled(favouritesExist() && m_useFrequency->isChecked());
}

GeneratorOptions GeneratorWindow::generatorOptions() const
{
    GeneratorOptions options;
    options.count = count().value_or(1);
    options.combination.quickPick = m_quickPick->isChecked();
    options.combination.frequencyMode = m_frequency->checkedId();
    options.combination.useOddEven = m_useOddEven->isChecked();
    options.combination.evenCount = m_oddEven->value();
    options.combination.useLowHigh = m_useLowHigh->isChecked();
    options.combination.highCount = m_lowHigh->value();
    options.checkDuplicates = m_preventDuplicates->isChecked();
    options.checkDrawn = m_preventDrawn->isChecked();
    if (kernel() && !options.combination.quickPick) {
        const Priorities priorities{.due = m_preferDue->isChecked(),
                                    .overdue = m_preferOverdue->isChecked(),
                                    .favourite = m_preferFavourites->isChecked() &&
                                                 m_preferFavourites->isEnabled()};
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
        m_pages->setEnabled(true);
        m_calculate->setEnabled(true);
        restoreCursor();
        return;
    }
    for (QPushButton* button : {m_close, m_clear, m_save})
        button->setEnabled(false);
    m_stop->setEnabled(true);

    m_running = true;
    finishRun(m_engine.GenerateCombinations(RankingOf(kernel()->Stats),
                                            kernel()->Stats.Combinations, options));
}

void GeneratorWindow::applyTemplate()
{
    if (!m_template || m_board->pickedCount() != m_template->selectionTotal)
        return;
    beginRun();
    m_running = true;
    bool finished = false;
    try {
        finished = m_engine.ApplyTemplate(*m_template, m_board->picked());
    } catch (const TKestError& error) {
        m_running = false;
        m_pages->setEnabled(true);
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
        m_results->setRows(listRows(m_engine.rows())); // stopped: the rows made so far
}

void GeneratorWindow::beginRun()
{
    m_engine.Clear();
    m_results->setRows({});
    m_pages->setEnabled(false);
    m_calculate->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_busyCursor = true;
}

void GeneratorWindow::endRun()
{
    m_results->setRows(listRows(m_engine.rows()));
    showRun();
    for (QPushButton* button : {m_calculate, m_close, m_clear, m_save})
        button->setEnabled(true);
    m_pages->setEnabled(true);
    m_stop->setEnabled(false);
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
    for (QPushButton* button : {m_calculate, m_close, m_clear})
        button->setEnabled(true);
    m_stop->setEnabled(false);
    m_save->setEnabled(!m_engine.rows().empty());
    m_pages->setEnabled(true);
    m_panels[1]->setText(ProcessAborted);
    restoreCursor();
}

PrintDocument GeneratorWindow::document() const
{
    TKernel* k = kernel();
    if (!k)
        return {};
    PrintDocument page = printDocument("Generated Combinations", *k);
    addListRows(page, *m_results);
    for (int i = 1; i <= 3; ++i) {
        if (!m_panels[i]->text().trimmed().isEmpty())
            page.notes << m_panels[i]->text().trimmed();
    }
    return page;
}

void GeneratorWindow::Clear()
{
    // A run that is being stopped still owns its rows until it has returned.
    if (m_running)
        return;
    m_engine.Clear();
    m_results->setRows({});
    showRating();
    m_board->clear();
    m_clear->setEnabled(false);
    m_save->setEnabled(false);
    m_panels[1]->setText(" Successfull: 0");
    if (onCustomPage()) {
        m_panels[2]->setText(" Selected: 0");
        m_panels[3]->setText(" Accuracy: N/A");
        m_calculate->setEnabled(false);
    } else {
        m_panels[2]->setText(" Prevented: 0");
        m_panels[3]->setText(" Accuracy: 100.00%");
        // An invalid count keeps the command disabled, whatever clears the list.
        m_calculate->setEnabled(count().has_value());
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
    for (int row = 0; row < m_results->model()->rowCount(); ++row) {
        const QStringList texts = m_results->rowAt(row);
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
    m_calculate->setText("&Generate");
    m_calculate->setEnabled(false);
    m_favouritePick->setEnabled(favouritesExist());
    listTemplates();
    m_panels[2]->setText(" Selected: 0");
    m_panels[3]->setText(" Accuracy: N/A");
    loadTemplate(true);
}

void GeneratorWindow::listTemplates()
{
    m_listing = true;
    m_templateList->clear();
    QStringList files;
    if (kernel()) {
        // The name filter ignores case, so "Wheel.TPL" is listed too: keep each file's own
        // name to load it by.
        files = QDir(kernel()->GetTemplatesDir())
                    .entryList({"*.tpl"}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    }
    m_templatesAvailable = !files.isEmpty();
    for (const QString& file : files)
        m_templateList->addItem(file.chopped(4), file);
    if (!m_templatesAvailable)
        m_templateList->addItem(NoTemplates);
    m_templateList->setEnabled(m_templatesAvailable);
    m_board->setEnabled(m_templatesAvailable);
    setAutoSelectEnabled(m_templatesAvailable);
    m_templateList->setCurrentIndex(0);
    m_listing = false;
}

QString GeneratorWindow::templateFile() const
{
    return QDir(kernel()->GetTemplatesDir()).filePath(m_templateList->currentData().toString());
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
    m_board->setLimit(notice.isEmpty() ? m_template->selectionTotal : 0);
    return true;
}

void GeneratorWindow::loadTemplate(bool showOdds)
{
    if (!readTemplate())
        return;
    m_selectionTotal->setText(QString(": 0 of %1").arg(m_template->selectionTotal));
    m_totalCombinations->setText(QString(": %1").arg(m_template->rows.size()));
    m_guaranteedHit->setText(QString(": %1").arg(m_template->guaranteedMatch));
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
    if (m_board->isEnabled())
        m_clear->setEnabled(true);
}

void GeneratorWindow::picksChanged()
{
    updateGenerateButton();
    const int picked = m_board->pickedCount();
    if (m_template)
        m_selectionTotal->setText(
            QString(": %1 of %2").arg(picked).arg(m_template->selectionTotal));
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
                          m_board->pickedCount() == m_template->selectionTotal;
    m_calculate->setEnabled(complete && !m_running);
}

void GeneratorWindow::setAutoSelectEnabled(bool enabled)
{
    for (QPushButton* button : m_autoSelect)
        button->setEnabled(enabled);
    m_favouritePick->setEnabled(enabled && favouritesExist());
}

void GeneratorWindow::autoSelect(const std::function<QList<int>()>& order, bool rereadTemplate)
{
    if (!m_templatesAvailable || !kernel())
        return;
    Clear();
    m_clear->setEnabled(true);
    setAutoSelectEnabled(false);
    if (!rereadTemplate || readTemplate())
        m_board->setPicked(PickInOrder(order(), m_board->limit()));
    setAutoSelectEnabled(m_template && SelectionTotalNotice(m_template->selectionTotal).isEmpty());
}

QList<int> GeneratorWindow::randomSelection(int total)
{
    m_selectionStopped = false;
    m_stop->setEnabled(true);
    const QList<int> numbers = RandomNumbers(total, [this] {
        QCoreApplication::processEvents();
        return m_selectionStopped;
    });
    m_stop->setEnabled(false);
    return numbers;
}
