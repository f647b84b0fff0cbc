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
            btnSave->setEnabled(true);
            showCoverage();
        });
        return spin;
    };
    UpDown1 = addSpin(0, "Selection Total", "1", LowestTotal, HighestTotal, Edit1);
    UpDown2 = addSpin(1, "Guaranteed Match", "2", LowestMatch, HighestMatch, Edit2);
    m_coverage = new QLabel(this);
    m_coverage->setObjectName("lblCoverage");
    m_coverage->setWordWrap(true);
    m_coverage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    fields->addWidget(m_coverage, 2, 0, 1, 4);
    fields->setRowStretch(2, 1);
    fields->setColumnStretch(3, 1);

    KestStrGrid1 = new TKestStrGrid(this);
    KestStrGrid1->setObjectName("KestStrGrid1");
    KestStrGrid1->setToolTip(GridHint);
    KestStrGrid1->setColumnCount(SlotColumns);
    KestStrGrid1->setRowCount(1);
    KestStrGrid1->horizontalHeader()->hide();
    KestStrGrid1->verticalHeader()->hide();
    KestStrGrid1->horizontalHeader()->setDefaultSectionSize(ColumnWidth);
    KestStrGrid1->horizontalHeader()->setMinimumSectionSize(ColumnWidth);
    KestStrGrid1->verticalHeader()->setMinimumSectionSize(RowHeight);
    KestStrGrid1->verticalHeader()->setDefaultSectionSize(RowHeight);
    KestStrGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    KestStrGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    KestStrGrid1->setShowGrid(true);
    KestStrGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    KestStrGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int frame = 2 * KestStrGrid1->frameWidth();
    KestStrGrid1->setFixedSize(SlotColumns * ColumnWidth + frame +
                                   KestStrGrid1->verticalScrollBar()->sizeHint().width(),
                               VisibleRows * RowHeight + frame);
    connect(KestStrGrid1, &TKestStrGrid::cellTextEdited, this, &TemplateEditor::checkCell);

    // The grid takes the focus first: the fields beside it are read-only.
    setTabOrder(KestStrGrid1, Edit1);
    setTabOrder(Edit1, Edit2);
    KestStrGrid1->setFocus();

    auto* columns = new QHBoxLayout;
    columns->addLayout(fields, 1);
    columns->addWidget(KestStrGrid1);
    contentLayout()->addLayout(columns);

    btnOpen = addButton("btnOpen", "&Open");
    btnOpen->setToolTip("Click here to open a templete.");
    btnSave = addButton("btnSave", "&Save");
    btnSave->setToolTip("Click here to save your template.");
    btnNew = addButton("btnNew", "&New");
    btnNew->setToolTip("Click here to create a new template.");
    btnClose = addButton("btnClose", "&Close");
    btnClose->setToolTip("Click here to close this dialog.");
    connect(btnOpen, &QPushButton::clicked, this, &TemplateEditor::openTemplate);
    connect(btnSave, &QPushButton::clicked, this, &TemplateEditor::saveTemplate);
    connect(btnNew, &QPushButton::clicked, this, &TemplateEditor::newTemplate);
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);

    auto* status = new QStatusBar(this);
    status->setObjectName("StatusBar1");
    status->setSizeGripEnabled(false);
    statusPanel = new QLabel(this);
    statusPanel->setObjectName("StatusPanel1");
    status->addWidget(statusPanel, 1);
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
        KestStrGrid1->setCellText(row, column, {});
        notice(NumericNotice);
        return;
    }
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || text.trimmed() != text) {
        KestStrGrid1->setCellText(row, column, {});
        return;
    }
    if (value == 0 || value >= 50) {
        KestStrGrid1->setCellText(row, column, {});
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

void TemplateEditor::fill(const TemplateData& data)
{
    UpDown1->setValue(data.selectionTotal);
    UpDown2->setValue(data.guaranteedMatch);
    // The grid keeps one row to type in even for a template without rows.
    KestStrGrid1->setRowCount(std::max<int>(1, int(data.rows.size())));
    for (int r = 0; r < int(data.rows.size()); ++r) {
        for (int k = 0; k < SlotColumns; ++k)
            KestStrGrid1->setCellText(r, k, data.rows[r][k]);
    }
    showCount(KestStrGrid1->rowCount());
}

TemplateData TemplateEditor::content() const
{
    TemplateData data;
    data.selectionTotal = UpDown1->value();
    data.guaranteedMatch = UpDown2->value();
    data.rows.resize(KestStrGrid1->rowCount());
    for (int r = 0; r < int(data.rows.size()); ++r) {
        for (int k = 0; k < SlotColumns; ++k)
            data.rows[r][k] = KestStrGrid1->cellText(r, k);
    }
    return data;
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
    UpDown1->setValue(LowestTotal);
    UpDown2->setValue(LowestMatch);
    KestStrGrid1->clearCells(1);
    KestStrGrid1->setCurrentCell(0, 0);
    m_fileName.clear();
    showCount(0);
    btnSave->setEnabled(false);
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
    statusPanel->setText(QString("Combination Count : %1").arg(count));
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
    btnSave->setEnabled(true);
    showCount(KestStrGrid1->rowCount());
}

void TemplateEditor::notice(const QString& text)
{
    if (TKernel* kernel = TKernel::instance())
        kernel->ShowNotice(text);
}
