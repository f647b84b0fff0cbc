#pragma once

#include "core/kernel/PrintDocument.h"

#include <QMenu>
#include <functional>

class StatisticsListView;

// Prints a window's document through the print dialog, with a preview first, and exports it to
// PDF. Both draw the page with the renderer drawsage-cli uses. A test gives the next print a
// PDF file instead, so that no dialog blocks it.
class DocumentPrinter {
public:
    // The print preview, from which the user prints through the print dialog.
    static void print(QWidget* parent, const PrintDocument& document);
    // Asks for a file name and writes the document there as PDF; an "I/O Error" box tells when
    // the file cannot be written. True when a file was written.
    static bool exportPdf(QWidget* parent, const PrintDocument& document);

    // Tests only: the next print() shows no dialog and prints through the printer into this PDF
    // file.
    static void setNextPrintFile(const QString& fileName);
};

// The "Print..." and "Export to PDF..." commands of a window. The document is built when a
// command is chosen; both commands are disabled while `hasContent` finds nothing to print.
class PrintMenu : public QMenu {
    Q_OBJECT

public:
    using DocumentSource = std::function<PrintDocument()>;

    PrintMenu(QWidget* parent, DocumentSource document, std::function<bool()> hasContent);

    QAction* printAction() const { return m_print; }
    QAction* exportAction() const { return m_export; }
    // Enables the commands by `hasContent`; the menu does so each time it opens.
    void refresh();

private:
    QAction* m_print;
    QAction* m_export;
    std::function<bool()> m_hasContent;
};

// The list's captions and rows into the document, the rows in the order the list shows them.
void addListRows(PrintDocument& document, const StatisticsListView& list);
