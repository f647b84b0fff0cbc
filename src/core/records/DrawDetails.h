#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class TKestTable;

// What the draw information window shows of the current draw of the results table.
struct DrawDetails {
    QStringList balls; // the six balls then the bonus ball, "%.2d"; "--" for an empty ball
    QString date;      // DRAWDATE as stored
    std::vector<QStringList> rows; // Item, Value
};

namespace DrawDetailsReport {
inline constexpr auto Unknown = " Unknown! Please update Database";
}

// The details of the table's current draw; nothing when it has no current draw. The report
// ends at the first value that is empty: that row and the rows for what follows read Unknown.
DrawDetails drawDetails(const TKestTable& results);
