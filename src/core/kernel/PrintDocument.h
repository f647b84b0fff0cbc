#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

class TKernel;

// What a printed page shows, as plain texts: the renderer lays it out on printer or PDF pages
// (title, game and date at the top of every page, the column heads repeated, page numbers at
// the bottom), so that a window and drawsage-cli print the same page.
struct PrintDocument {
    QString title{};
    QString game{};
    QString date{};
    std::vector<QStringList> summary{}; // Item and Value lines above the table, first page only
    QStringList columns{};              // the column heads; none for a list without heads
    std::vector<QStringList> rows{};
    QStringList notes{}; // lines below the table, such as totals
};

// "National Lotto" or "National Lotto Plus", by the results table's file name.
QString gameName(const QString& resultsTable);

// A document titled `title` for the kernel's current game, dated `date` as "dd MMMM yyyy".
PrintDocument printDocument(const QString& title, const TKernel& kernel,
                            const QDate& date = QDate::currentDate());
