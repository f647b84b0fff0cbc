#pragma once

#include "core/stats/Statistics.h"

#include <QStringList>
#include <vector>

class TKernel;

// The "Draw Information" page for one ball position: 0 to 5 the main balls in the order the
// results give them, BonusPosition the bonus ball (the index of the page's list box item).
struct DrawInformationPage {
    // Four rows of {caption, value}: the most and least frequent number, then the highest and
    // lowest number drawn at the position, each value "%.2d appeared %.2d times".
    std::vector<QStringList> summary;
    // 49 rows of {Number, Ratio, Appeared}, in number order.
    std::vector<QStringList> rows;
};

// Reads the per-position figures of the last rebuild; the ratios refer to the draws it
// scanned. A position outside 0 to 6 gives an empty page.
DrawInformationPage DrawInformation(const TStatistics& stats, int position);

// The filter that narrows the results to the draws holding `number` at `position`, as
// "[BALL3]='07'" or "[BONUSBALL]='07'". Given the text of an active filter, the result keeps
// it in parentheses before " AND ", so that its OR parts stay bound together.
QString NumberFilterExpression(int position, int number, const QString& activeFilter = {});

// The page's "Filter Number" action. Refuses with the notice NumberNotFound when the number
// was not drawn at the position in the last rebuild and returns false; otherwise filters the
// results table, narrowing a filter that is active, and returns true. The caller then runs
// ShowStatistics and refills the page.
bool FilterNumber(TKernel& kernel, int position, int number);
// The page's "Stop Filter" action: filtering off and the filter text cleared. The caller then
// runs ShowStatistics and refills the page.
void StopFilter(TKernel& kernel);

inline constexpr auto NumberNotFound = "The number selected could not be found";
