#pragma once

#include "core/kernel/PrintDocument.h"
#include "core/tickets/TicketCheck.h"
#include "core/tickets/TicketFile.h"

#include <QDateTime>
#include <QStringList>
#include <vector>

// The viewer's " Information " lines of a ticket: the texts after each caption and the
// rating picture (0 for "5/5" ... 5 for "0/5" and for sums outside the bands).
struct TicketInformation {
    QString combinations; // ": %.3d"
    QString costPerUnit;  // ": %.2n"
    QString totalCost;    // ": %.2n"
    QString totalTickets; // ": %.3d", eight combinations to a ticket
    QString averageSum;   // ": %.3d", truncated
    int ratingPicture = 5;
    QString rating; // the average sum's rating text, "5/5" ... "0/5" or "Unknown"

    QStringList texts() const
    {
        return {combinations, costPerUnit, totalCost, totalTickets, averageSum};
    }
};
// The captions of those lines, as the viewer shows them.
inline const QStringList TicketInformationCaptions{"Combinations ", "Cost per Unit", "Total Cost",
                                                   "Total Tickets ", "Average Sum "};
// None for an empty ticket. Throws TKestError when a row's Sum is not an integer.
std::optional<TicketInformation> ticketInformation(const TicketRows& rows, double costUnit);

inline const QString TicketPrintTitle = "Lotto Ticket";
// The ticket as printed: its name and the viewer's information lines above its rows (Sequence,
// Combinations, Sum, Rating). `page` gives the title, game and date.
PrintDocument ticketDocument(const TicketRows& rows, const QString& ticketName, double costUnit,
                             PrintDocument page);

// The checker's summary list: six rows of Item and Value.
std::vector<QStringList> checkSummaryRows(const CheckDraw& draw, const QString& ticketDate,
                                          const QString& ticketCombinations,
                                          const QString& highestMatch);
// A ticket file's date as the checker shows it after choosing it from the list: "dd MMMM yyyy".
QString ticketListDate(const QDateTime& modified);
