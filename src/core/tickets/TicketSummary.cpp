#include "core/tickets/TicketSummary.h"

#include "core/kernel/Format.h"
#include "core/kernel/KestError.h"
#include "core/stats/CombinationFrequencies.h"

#include <QLocale>

namespace {
constexpr int CombinationsPerTicket = 8;
constexpr int SumColumn = 1; // of the sub-items
} // namespace

std::optional<TicketInformation> ticketInformation(const TicketRows& rows, double costUnit)
{
    if (rows.empty())
        return std::nullopt;
    const qint64 combinations = qint64(rows.size());
    qint64 sumTotal = 0;
    for (const TicketRow& row : rows) {
        const QString sum = row.subItems.value(SumColumn);
        bool ok = false;
        sumTotal += sum.toInt(&ok);
        if (!ok)
            throw TKestError(QString("'%1' is not a valid integer value").arg(sum));
    }
    const qint64 average = sumTotal / combinations;
    TicketInformation info;
    info.combinations = Format(": %.3d", {combinations});
    info.costPerUnit = Format(": %.2n", {costUnit});
    info.totalCost = Format(": %.2n", {costUnit * double(combinations)});
    info.totalTickets =
        Format(": %.3d", {(combinations + CombinationsPerTicket - 1) / CombinationsPerTicket});
    info.averageSum = Format(": %.3d", {average});
    const SumRating rating = RateSum(int(average));
    info.ratingPicture = rating.picture;
    info.rating = rating.text;
    return info;
}

PrintDocument ticketDocument(const TicketRows& rows, const QString& ticketName, double costUnit,
                             PrintDocument page)
{
    page.summary.push_back({"Ticket", ": " + ticketName});
    if (const auto information = ticketInformation(rows, costUnit)) {
        const QStringList texts = information->texts();
        for (int i = 0; i < texts.size(); ++i)
            page.summary.push_back({TicketInformationCaptions[i].trimmed(), texts[i]});
        page.summary.push_back({"Overall Rating", ": " + information->rating});
    }
    page.columns = QStringList{"Sequence", "Combinations", "Sum", "Rating"};
    page.rows.reserve(rows.size());
    for (const TicketRow& row : rows)
        page.rows.push_back(QStringList{row.caption} + row.subItems);
    return page;
}

std::vector<QStringList> checkSummaryRows(const CheckDraw& draw, const QString& ticketDate,
                                          const QString& ticketCombinations,
                                          const QString& highestMatch)
{
    const DrawBalls& b = draw.balls;
    return {
        {"Draw Date", ":" + draw.date},
        {"Ticket Date", ": " + ticketDate},
        {"Winning Numbers",
         Format(": %.2d - %.2d - %.2d - %.2d - %.2d - %.2d", {b[0], b[1], b[2], b[3], b[4], b[5]})},
        {"Bonus Ball", Format(": %.2d", {b[6]})},
        {"Total Ticket Combinations", ": " + ticketCombinations},
        {"Highest Match", ": " + highestMatch},
    };
}

QString ticketListDate(const QDateTime& modified)
{
    return QLocale().toString(modified, "dd MMMM yyyy");
}
