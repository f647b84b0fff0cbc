#pragma once

#include "core/stats/Statistics.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// The "Number Information" page: one row of texts per number, as the list shows them.
inline const std::array<QString, 8> NumberInformationCaptions{
    "Number",           "Rank",
    "Appearences",      "Bonus Appearences",
    "Last Appeared",    "Apperance Cycle",
    "Last Appeared As", "Status"};

// Rows in ascending order of their Number text (01 to 49), the order the list keeps after a
// fill. With a filter active each row ends after the bonus appearances with the single text
// "Filter script running": the last-appeared, cycle and status figures of a filtered rebuild
// mean nothing. A rank holding no number (before the first rebuild) gives no row.
std::vector<QStringList> NumberInformationRows(const TStatistics& stats, bool filterActive);

// How the list colours a cell's text; Default leaves the list's own colour.
enum class CellColour { Default, Black, Green, Red };

// The colour of one cell of a row, taken from the row's texts so that it follows the row
// through any re-sorting: in a full row the status reads green when "Due", red when
// "Overdue", and every other cell but the number is black. Rows of a filtered view and the
// Number column keep the default.
CellColour NumberInformationCellColour(const QStringList& row, int column);

// The side task bar's "Hot and Cold" group.
inline const QString HotColdGroupCaption = "Hot and Cold";

struct TaskBarEntry {
    enum Kind { Number, Heading }; // a heading is drawn in the button-text colour
    Kind kind = Number;
    QString text;
    bool endsLine = false; // a number entry that closes its line of numbers
};

// The first build of the task bar lists the hot numbers without their heading; every later
// refresh puts "Hot Numbers" before them.
enum class HotColdBuild { FirstBuild, Refresh };

// The six most drawn numbers (most drawn first), the heading "Cold Numbers", then the six least
// drawn (least drawn first), each "%.2d", the last number of each list ending its line.
std::vector<TaskBarEntry> HotColdEntries(const TStatistics& stats, HotColdBuild build);
