#include "gui/records/FilterEditor.h"

#include "core/kernel/Kernel.h"
#include "core/kernel/KestError.h"
#include "core/records/FilterScripts.h"
#include "gui/components/KestFileDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
constexpr auto ScriptFilter = "Filter Script|*.flt";
constexpr auto ScriptExtension = "flt";

QPushButton* smallButton(const QString& name, const QString& text, const QString& hint,
                         QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    return button;
}
} // namespace

FilterEditor::FilterEditor(QWidget* parent)
    : TKestDialog({.objectName = "TfrmSearch",
                   .caption = "Drawsage",
                   .title = "Filter Script Editor",
                   .description = "Use this feature to create a cusomized filter",
                   .hints = Qt::WindowStaysOnTopHint | Qt::WindowMinimizeButtonHint},
                  parent)
{
    auto* boxes = new QGridLayout;
    m_field = new QComboBox(this);
    m_field->setObjectName("FieldBox");
    m_field->setToolTip("Specify the field to filter.");
    m_field->addItems(FilterScripts::fieldNames());
    m_operator = new QComboBox(this);
    m_operator->setObjectName("OperatorBox");
    m_operator->setToolTip("Specify the operator to use.");
    m_operator->addItems(FilterScripts::operators());
    m_value = new QLineEdit(this);
    m_value->setObjectName("ValueBox");
    m_value->setToolTip("Specify the value here.");
    const std::pair<const char*, QWidget*> labelled[] = {
        {"&Field", m_field}, {"O&perator", m_operator}, {"&Value", m_value}};
    for (int column = 0; column < 3; ++column) {
        auto* label = new QLabel(labelled[column].first, this);
        label->setBuddy(labelled[column].second);
        boxes->addWidget(label, 0, column);
        boxes->addWidget(labelled[column].second, 1, column);
    }
    boxes->setHorizontalSpacing(12);
    m_operator->setMinimumWidth(m_operator->fontMetrics().horizontalAdvance("Operator") + 40);
    boxes->setColumnStretch(0, 3);
    boxes->setColumnStretch(2, 2);
    contentLayout()->addLayout(boxes);

    auto* building = new QHBoxLayout;
    auto* add = smallButton("btnAdd", "Add", "Add the newly created code into the script.", this);
    auto* andButton = smallButton("btnAnd", "And", {}, this);
    auto* orButton = smallButton("btnOr", "Or", {}, this);
    auto* notButton = smallButton("btnNot", "Not", {}, this);
    auto* clear = smallButton("btnClear", "Clear", "Clear the current script.", this);
    for (QPushButton* button : {add, andButton, orButton, notButton, clear})
        building->addWidget(button);
    building->addStretch();
    contentLayout()->addLayout(building);
    connect(add, &QPushButton::clicked, this, &FilterEditor::addComparison);
    connect(andButton, &QPushButton::clicked, this, [this] { append(" AND "); });
    connect(orButton, &QPushButton::clicked, this, [this] { append(" OR "); });
    connect(notButton, &QPushButton::clicked, this, [this] { append(" NOT "); });

    auto* scriptLabel = new QLabel("Filter &Script", this);
    m_script = new QPlainTextEdit(this);
    m_script->setObjectName("ScriptBox");
    m_script->setToolTip("Edit or Create a new script using this box.");
    m_script->setTabChangesFocus(true);
    m_script->setMinimumSize(460, 140);
    scriptLabel->setBuddy(m_script);
    connect(clear, &QPushButton::clicked, m_script, &QPlainTextEdit::clear);
    contentLayout()->addWidget(scriptLabel);
    contentLayout()->addWidget(m_script);

    m_calculate = new QCheckBox("Calculate result", this);
    m_calculate->setObjectName("CheckBox1");
    m_calculate->setToolTip("Uncheck to skip the statistics calculations");
    m_calculate->setChecked(true);
    connect(m_calculate, &QCheckBox::clicked, this, &FilterEditor::calculateClicked);
    contentLayout()->addWidget(m_calculate);

    QPushButton* open = addButton("btnOpen", "&Open");
    open->setToolTip("Open a saved filter script.");
    QPushButton* save = addButton("btnSave", "&Save");
    save->setToolTip("Save current filter script.");
    QPushButton* run = addButton("btnExecute", "&Run");
    run->setToolTip("Click here to execute selected your requested filter.");
    m_stop = addButton("btnStop", "&Stop");
    m_stop->setToolTip("Click here to stop the current script (if running).");
    m_stop->setEnabled(false);
    QPushButton* close = addButton("Button2", "&Close");
    close->setToolTip("Click here to close this dialog.");
    connect(open, &QPushButton::clicked, this, &FilterEditor::openScript);
    connect(save, &QPushButton::clicked, this, &FilterEditor::saveScript);
    connect(run, &QPushButton::clicked, this, &FilterEditor::runScript);
    connect(m_stop, &QPushButton::clicked, this, &FilterEditor::stopScript);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    m_whileUnfiltered = {run,   open, add,     andButton,  orButton, notButton,
                         clear, save, m_field, m_operator, m_value,  m_script};
}

QString FilterEditor::script() const
{
    return m_script->toPlainText();
}

void FilterEditor::setScript(const QString& script)
{
    m_script->setPlainText(script);
}

void FilterEditor::loadScript(const QString& path)
{
    if (QFileInfo(path).isReadable())
        setScript(FilterScripts::load(path));
}

void FilterEditor::append(const QString& text)
{
    // The text goes to the end whatever the cursor, as the script grows from left to right.
    setScript(script() + text);
    m_script->moveCursor(QTextCursor::End);
}

void FilterEditor::addComparison()
{
    append(FilterScripts::comparison(m_field->currentText(), m_operator->currentText(),
                                     m_value->text()));
}

void FilterEditor::runScript()
{
    TKernel* kernel = TKernel::instance();
    if (!kernel)
        return;
    if (FilterScripts::apply(kernel->ResultsTable, script()) ==
        FilterScripts::Outcome::NothingMatched)
        kernel->ShowNotice(FilterScripts::NoMatch);
    emit refreshRequested(m_calculate->isChecked());
}

void FilterEditor::stopScript()
{
    TKernel* kernel = TKernel::instance();
    if (!kernel)
        return;
    TKernel::ApplyFieldFilter(kernel->ResultsTable, {}, {}, {}, false);
    emit refreshRequested(m_calculate->isChecked());
}

void FilterEditor::calculateClicked(bool checked)
{
    TKernel* kernel = TKernel::instance();
    if (!kernel)
        return;
    if (checked) {
        emit refreshRequested(true);
        return;
    }
    // The statistics of all draws, while the views keep showing the draws that pass.
    TKestTable& results = kernel->ResultsTable;
    const bool filtered = results.filtered();
    results.setFiltered(false);
    emit refreshRequested(true);
    results.setFiltered(filtered);
}

void FilterEditor::openScript()
{
    const QString file = TKestFileDialog::getOpenFileName(
        this, {"Open Filter Script", ScriptFilter, ScriptExtension, m_filterFolder});
    if (file.isEmpty())
        return;
    emit scriptOpened(file);
    loadScript(file);
}

void FilterEditor::saveScript()
{
    const QString file = TKestFileDialog::getSaveFileName(
        this, {"Save Filter Script", ScriptFilter, ScriptExtension, m_saveFolder});
    if (file.isEmpty())
        return;
    m_saveFolder = QFileInfo(file).absolutePath();
    try {
        FilterScripts::save(file, script());
    } catch (const TKestError& error) {
        if (TKernel* kernel = TKernel::instance())
            kernel->ShowNotice(error.message());
        return;
    }
    emit scriptsChanged();
}

void FilterEditor::followFilterState(bool filtered)
{
    for (QWidget* control : m_whileUnfiltered)
        control->setEnabled(!filtered);
    m_stop->setEnabled(filtered);
}

void FilterEditor::showEvent(QShowEvent* event)
{
    TKestDialog::showEvent(event);
    if (TKernel* kernel = TKernel::instance()) {
        m_filterFolder = kernel->GetFilterDir();
        if (m_saveFolder.isEmpty())
            m_saveFolder = m_filterFolder;
        followFilterState(kernel->ResultsTable.filtered());
    }
}

void FilterEditor::closeEvent(QCloseEvent* event)
{
    TKestDialog::closeEvent(event);
    emit scriptsChanged();
}
