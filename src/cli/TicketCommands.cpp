#include "cli/TicketCommands.h"

#include "core/kernel/Kernel.h"
#include "core/kernel/KestError.h"
#include "core/kernel/Numbers.h"
#include "core/records/DrawDates.h"
#include "core/tickets/TicketCheck.h"
#include "core/tickets/TicketSummary.h"

#include <QFileInfo>

namespace {

void printRows(QTextStream& out, const std::vector<QStringList>& rows)
{
    for (const QStringList& row : rows)
        out << row.join('\t') << '\n';
}

QStringList combinationTexts(const TicketRows& rows)
{
    QStringList texts;
    for (const TicketRow& row : rows)
        texts << row.subItems.value(0);
    return texts;
}

// The newest draw of that date: the table runs newest first.
CheckDraw drawOf(const std::vector<CheckDraw>& draws, const QString& date)
{
    for (const CheckDraw& draw : draws) {
        if (DrawDates::sameDate(draw.date, date))
            return draw;
    }
    throw TKestError(QString("No draw of \"%1\" was found").arg(date));
}

DrawBalls ballsOf(const QStringList& texts)
{
    DrawBalls balls{};
    if (texts.size() != int(balls.size()))
        throw TKestError("--numbers takes six numbers and the bonus ball");
    for (int i = 0; i < texts.size(); ++i) {
        bool ok = false;
        balls[i] = texts[i].toInt(&ok);
        if (!ok || !isLottoNumber(balls[i]))
            throw TKestError(
                QString("--numbers takes numbers from 1 to 49, not \"%1\"").arg(texts[i]));
    }
    return balls;
}

} // namespace

int TicketCommands::check(TKernel& kernel, const QStringList& args, QTextStream& out)
{
    const QString usage = "check takes FILE [--draw \"DD Month YYYY\" | --numbers N1 N2 N3 N4 "
                          "N5 N6 BONUS | --all-draws]";
    if (args.isEmpty())
        throw TKestError(usage);
    const QString fileName = args.first();
    const QString mode = args.value(1);
    const QStringList rest = args.mid(2);
    if (!(mode.isEmpty() || (mode == "--draw" && rest.size() == 1) || mode == "--numbers" ||
          (mode == "--all-draws" && rest.isEmpty())))
        throw TKestError(usage);

    TicketRows rows;
    LoadTicket(rows, fileName);
    const QStringList texts = combinationTexts(rows);
    const std::vector<CheckNumbers> combinations = combinationNumbers(texts);

    if (mode == "--numbers") {
        printRows(out, checkCustom(combinations, ballsOf(rest)).rows);
        return 0;
    }
    const std::vector<CheckDraw> draws = visibleDraws(kernel.ResultsTable);
    if (draws.empty())
        throw TKestError("There is no draw to check against.");
    if (mode == "--all-draws") {
        const TicketHistory history = checkAllDraws(combinations, draws);
        printRows(out, paidDrawRows(history));
        printRows(out, historyTotals(history, kernel.ReadSettingFloat("CostUnit")));
        return 0;
    }
    const CheckDraw draw = mode.isEmpty() ? draws.front() : drawOf(draws, rest.first());
    const DrawCheck check = checkDraw(texts, combinations, draw);
    printRows(out, check.rows);
    if (!check.error.isEmpty())
        throw TKestError(check.error);
    out << '\n';
    const QString date = ticketListDate(QFileInfo(fileName).lastModified());
    printRows(out, checkSummaryRows(draw, date, QString::number(rows.size()),
                                    check.highestMatch.isEmpty() ? "None" : check.highestMatch));
    out << totalPrizeText(check.totalPrize) << '\n';
    if (check.sixMatched)
        kernel.ShowNotice(SixMatchedNotice);
    return 0;
}

int TicketCommands::info(TKernel& kernel, const QString& fileName, QTextStream& out)
{
    TicketRows rows;
    LoadTicket(rows, fileName);
    const auto information = ticketInformation(rows, kernel.ReadSettingFloat("CostUnit"));
    // An empty ticket shows what the viewer shows before its first ticket.
    const QStringList texts =
        information ? information->texts() : QStringList(5, QStringLiteral(": 00"));
    for (const QString& text : texts)
        out << text << '\n';
    return 0;
}
