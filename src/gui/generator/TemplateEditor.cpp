#include "gui/generator/TemplateEditor.h"

#include "core/generator/WheelCoverage.h"

#include "core/kernel/Kernel.h"
#include "core/kernel/KestError.h"
#include "gui/components/KestFileDialog.h"
#include "gui/components/KestMessage.h"
#include "gui/components/KestStrGrid.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int SlotColumns = 6;
constexpr int ColumnWidth = 33;
constexpr int RowHeight = 15;
constexpr int VisibleRows = 12;
constexpr int LowestTotal = 7;
constexpr int HighestTotal = 49;
constexpr int LowestMatch = 0;
constexpr int HighestMatch = 6;
constexpr int FieldWidth = 48;

const QString SpinHint = "Specify the allowed selection total.";
const QString GridHint = "Specify the pattern you whish to use when generating your "
                         "combinations by using any letter from A to Z.";

TKestFileDialog::Options templateFiles(const QString& title)
{
    return {.title = title,
            .filter = "Templates|*.tpl",
            .defaultExtension = "tpl",
            .folder = TKernel::instance() ? TKernel::instance()->GetTemplatesDir() : QString()};
}

} // namespace

TemplateEditor::TemplateEditor(QWidget* parent)
    : TKestDialog({.objectName = "TfrmTemplate",
                   .caption = "Drawsage",
                   .title = "Template Editor",
                   .description = "Use this feature to create custom combinations"},
                  parent)
{
    auto* fields = new QGridLayout;
    const auto addSpin = [this, fields](int line, const QString& caption, const QString& name,
                                        int minimum, int maximum, QLineEdit*& edit) {
        edit = new QLineEdit(this);
        edit->setObjectName("Edit" + name);
        edit->setReadOnly(true);
        edit->setFixedWidth(FieldWidth);
        edit->setToolTip(SpinHint);
        auto* spin = new TKestUpDown(minimum, maximum, this);
        spin->setAssociate(edit);
        spin->setObjectName("UpDown" + name);
        spin->setToolTip(SpinHint);
        auto* label = new QLabel(caption, this);
        label->setBuddy(edit);
        fields->addWidget(label, line, 0);
        fields->addWidget(edit, line, 1);
        fields->addWidget(spin, line, 2);
        // A new value is worth saving but is not an edit of the combinations.
        connect(spin, &TKestUpDown::valueChanged, this, [this] {
            m_saveButton->setEnabled(true);
            showCoverage();
        });
        return spin;
    };
    m_selectionTotalSpin =
        addSpin(0, "Selection Total", "1", LowestTotal, HighestTotal, m_selectionTotal);
    m_guaranteedMatchSpin =
        addSpin(1, "Guaranteed Match", "2", LowestMatch, HighestMatch, m_guaranteedMatch);
    m_coverage = new QLabel(this);
    m_coverage->setObjectName("lblCoverage");
    m_coverage->setWordWrap(true);
    m_coverage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    fields->addWidget(m_coverage, 2, 0, 1, 4);
    fields->setRowStretch(2, 1);
    fields->setColumnStretch(3, 1);

    m_grid = new TKestStrGrid(this);
    m_grid->setObjectName("KestStrGrid1");
    m_grid->setToolTip(GridHint);
    m_grid->setColumnCount(SlotColumns);
    m_grid->setRowCount(1);
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setDefaultSectionSize(ColumnWidth);
    m_grid->horizontalHeader()->setMinimumSectionSize(ColumnWidth);
    m_grid->verticalHeader()->setMinimumSectionSize(RowHeight);
    m_grid->verticalHeader()->setDefaultSectionSize(RowHeight);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->setShowGrid(true);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int frame = 2 * m_grid->frameWidth();
    m_grid->setFixedSize(SlotColumns * ColumnWidth + frame +
                             m_grid->verticalScrollBar()->sizeHint().width(),
                         VisibleRows * RowHeight + frame);
    connect(m_grid, &TKestStrGrid::cellTextEdited, this, &TemplateEditor::checkCell);

    // The grid takes the focus first: the fields beside it are read-only.
    setTabOrder(m_grid, m_selectionTotal);
    setTabOrder(m_selectionTotal, m_guaranteedMatch);
    m_grid->setFocus();

    auto* columns = new QHBoxLayout;
    columns->addLayout(fields, 1);
    columns->addWidget(m_grid);
    contentLayout()->addLayout(columns);

    m_openButton = addButton("btnOpen", "&Open");
    m_openButton->setToolTip("Click here to open a templete.");
    m_saveButton = addButton("btnSave", "&Save");
    m_saveButton->setToolTip("Click here to save your template.");
    m_newButton = addButton("btnNew", "&New");
    m_newButton->setToolTip("Click here to create a new template.");
    m_closeButton = addButton("btnClose", "&Close");
    m_closeButton->setToolTip("Click here to close this dialog.");
    connect(m_openButton, &QPushButton::clicked, this, &TemplateEditor::openTemplate);
    connect(m_saveButton, &QPushButton::clicked, this, &TemplateEditor::saveTemplate);
    connect(m_newButton, &QPushButton::clicked, this, &TemplateEditor::newTemplate);
    connect(m_closeButton, &QPushButton::clicked, this, &QWidget::close);

    auto* status = new QStatusBar(this);
    status->setObjectName("StatusBar1");
    status->setSizeGripEnabled(false);
    m_statusPanel = new QLabel(this);
    m_statusPanel->setObjectName("StatusPanel1");
    status->addWidget(m_statusPanel, 1);
    layout()->addWidget(status);

    reset();
}

void TemplateEditor::checkCell(int row, int column, const QString& text)
{
    if (text.isEmpty())
        return;
    setModified();
    const QChar first = text.front();
    if (first < u'0' || first > u'9') {
        m_grid->setCellText(row, column, {});
        notice(NumericNotice);
        return;
    }
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || text.trimmed() != text) {
        m_grid->setCellText(row, column, {});
        return;
    }
    if (value == 0 || value >= 50) {
        m_grid->setCellText(row, column, {});
        notice(RangeNotice);
    }
}

void TemplateEditor::openTemplate()
{
    const QString fileName = TKestFileDialog::getOpenFileName(this, templateFiles("Open"));
    if (!fileName.isEmpty()) {
        reset();
        try {
            m_fileName = fileName;
            fill(ReadTemplate(fileName, EditorTemplateCapacity));
        } catch (const TKestError& error) {
            if (error.message() == TemplateReadFailure)
                notice(TemplateReadFailure);
            notice(OpenFailure);
        }
    }
    m_modified = false;
}

void TemplateEditor::fill(const TemplateData& values)
{
    m_selectionTotalSpin->setValue(values.selectionTotal);
    m_guaranteedMatchSpin->setValue(values.guaranteedMatch);
    // The grid keeps one row to type in even for a template without rows.
    m_grid->setRowCount(std::max<int>(1, int(values.rows.size())));
    for (int r = 0; r < int(values.rows.size()); ++r) {
        for (int k = 0; k < SlotColumns; ++k)
            m_grid->setCellText(r, k, values.rows[r][k]);
    }
    showCount(m_grid->rowCount());
}

TemplateData TemplateEditor::content() const
{
    TemplateData values;
    values.selectionTotal = m_selectionTotalSpin->value();
    values.guaranteedMatch = m_guaranteedMatchSpin->value();
    values.rows.resize(m_grid->rowCount());
    for (int r = 0; r < int(values.rows.size()); ++r) {
        for (int k = 0; k < SlotColumns; ++k)
            values.rows[r][k] = m_grid->cellText(r, k);
    }
    return values;
}

void TemplateEditor::saveTemplate()
{
    const QString fileName = TKestFileDialog::getSaveFileName(this, templateFiles("Save As"));
    if (fileName.isEmpty())
        return;
    try {
        WriteTemplate(fileName, content());
        m_modified = false;
        m_fileName = fileName;
        showCoverage();
    } catch (const TKestError&) {
        notice(TemplateSaveFailure);
    }
}

void TemplateEditor::newTemplate()
{
    if (m_modified)
        askToSave();
    else
        reset();
}

void TemplateEditor::askToSave()
{
    if (TKestMessage::question(this, windowTitle(), SaveQuestion) == QMessageBox::Yes)
        saveTemplate();
    else
        reset();
}

void TemplateEditor::reset()
{
    m_selectionTotalSpin->setValue(LowestTotal);
    m_guaranteedMatchSpin->setValue(LowestMatch);
    m_grid->clearCells(1);
    m_grid->setCurrentCell(0, 0);
    m_fileName.clear();
    showCount(0);
    m_saveButton->setEnabled(false);
    m_modified = false;
}

void TemplateEditor::reject()
{
    close();
}

void TemplateEditor::closeEvent(QCloseEvent* event)
{
    // Closing settles changes as New does, by the button, the title bar or Escape alike.
    if (isVisible()) {
        newTemplate();
        emit closed();
    }
    event->accept();
}

void TemplateEditor::showCount(int count)
{
    m_statusPanel->setText(QString("Combination Count : %1").arg(count));
    showCoverage();
}

void TemplateEditor::showCoverage()
{
    if (!m_coverage)
        return;
    const CoverageNote note = DescribeCoverage(content(), m_fileName);
    QString text = "True guarantee: " + note.summary.toHtmlEscaped();
    if (!note.warning.isEmpty())
        text += "<br><span style=\"color:#c00000\">" + note.warning.toHtmlEscaped() + "</span>";
    m_coverage->setText(text);
    m_coverage->setToolTip(note.details);
}

void TemplateEditor::setModified()
{
    m_modified = true;
    m_saveButton->setEnabled(true);
    showCount(m_grid->rowCount());
}

void TemplateEditor::notice(const QString& text)
{
    if (TKernel* kernel = TKernel::instance())
        kernel->ShowNotice(text);
}
