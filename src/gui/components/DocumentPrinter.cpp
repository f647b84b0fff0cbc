#include "gui/components/DocumentPrinter.h"

#include "core/kernel/KestError.h"
#include "gui/components/KestFileDialog.h"
#include "gui/components/KestMessage.h"
#include "gui/components/StatisticsListView.h"
#include "print/DocumentRenderer.h"

#include <QDir>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <optional>

namespace {

std::optional<QString> nextPrintFile;

void preparePrinter(QPrinter& printer, const PrintDocument& document)
{
    // A4 as the PDF files are, so that a print and drawsage-cli's PDF are the same page; the
    // print dialog can change it.
    printer.setPageSize(QPageSize(QPageSize::A4));
    const qreal margin = DocumentRenderer::MarginMillimetres;
    printer.setPageMargins(QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter);
    printer.setDocName(document.title);
    printer.setCreator(QStringLiteral("Drawsage"));
}

} // namespace

void DocumentPrinter::print(QWidget* parent, const PrintDocument& document)
{
    QPrinter printer(QPrinter::HighResolution);
    if (nextPrintFile) {
        // Before the page is set up: a change of output format resets it.
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(*nextPrintFile);
        nextPrintFile.reset();
        preparePrinter(printer, document);
        DocumentRenderer::render(document, printer);
        return;
    }
    preparePrinter(printer, document);
    // The preview's own print button opens the print dialog.
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(document.title);
    QObject::connect(
        &preview, &QPrintPreviewDialog::paintRequested, &preview,
        [&document](QPrinter* target) { DocumentRenderer::render(document, *target); });
    preview.exec();
}

bool DocumentPrinter::exportPdf(QWidget* parent, const PrintDocument& document)
{
    const QString suggested = QDir::home().filePath(document.title + ".pdf");
    const QString file =
        TKestFileDialog::getSaveFileName(parent, {"Export to PDF", "PDF|*.pdf", "pdf", suggested});
    if (file.isEmpty())
        return false;
    if (DocumentRenderer::writePdf(document, file))
        return true;
    TKestMessage::critical(parent, "I/O Error",
                           QString("Unable to write the PDF file \"%1\"").arg(file));
    return false;
}

void DocumentPrinter::setNextPrintFile(const QString& fileName)
{
    nextPrintFile = fileName;
}

PrintMenu::PrintMenu(QWidget* parent, DocumentSource document, std::function<bool()> hasContent)
    : QMenu(parent)
    , m_print(addAction("&Print\u2026"))
    , m_export(addAction("Export to P&DF\u2026"))
    , m_hasContent(std::move(hasContent))
{
    setObjectName("PrintMenu");
    m_print->setObjectName("actPrint");
    m_export->setObjectName("actExportPdf");
    // A document that cannot be built (a ticket row whose sum is no number) is told, not
    // printed.
    const auto guarded = [parent](const std::function<void()>& command) {
        try {
            command();
        } catch (const TKestError& error) {
            TKestMessage::critical(parent, "Drawsage", error.message());
        }
    };
    connect(m_print, &QAction::triggered, parent, [parent, document, guarded] {
        guarded([&] { DocumentPrinter::print(parent, document()); });
    });
    connect(m_export, &QAction::triggered, parent, [parent, document, guarded] {
        guarded([&] { DocumentPrinter::exportPdf(parent, document()); });
    });
    connect(this, &QMenu::aboutToShow, this, &PrintMenu::refresh);
}

void PrintMenu::refresh()
{
    const bool enabled = m_hasContent();
    m_print->setEnabled(enabled);
    m_export->setEnabled(enabled);
}

void addListRows(PrintDocument& document, const StatisticsListView& list)
{
    const QAbstractItemModel* model = list.model();
    for (int column = 0; column < model->columnCount(); ++column)
        document.columns << model->headerData(column, Qt::Horizontal).toString();
    for (int row = 0; row < model->rowCount(); ++row)
        document.rows.push_back(list.rowAt(row));
}
