#include "cli/printer/PrintCommand.h"

#include "cli/CompanionCommands.h"
#include "core/kernel/Kernel.h"
#include "core/tickets/TicketSummary.h"
#include "print/DocumentRenderer.h"

#include <QFileInfo>

int PrintCommand::run(TKernel& kernel, const QStringList& args)
{
    // The ticket and "--pdf OUT.pdf", in either order.
    const qsizetype option = args.indexOf("--pdf");
    if (args.size() != 3 || option < 0 || option == args.size() - 1)
        throw CompanionCommands::UsageError("print takes FILE.dtk --pdf OUT.pdf");
    const QString pdf = args[option + 1];
    const QString ticket = args[option == 0 ? 2 : 0];

    TicketRows rows;
    LoadTicket(rows, ticket);
    const PrintDocument document = ticketDocument(rows, QFileInfo(ticket).completeBaseName(),
                                                  kernel.ReadSettingFloat("CostUnit"),
                                                  printDocument(TicketPrintTitle, kernel));
    if (!DocumentRenderer::writePdf(document, pdf))
        throw TKestError(QString("Unable to write the PDF file \"%1\"").arg(pdf));
    return 0;
}
