#pragma once

#include "core/stats/Statistics.h"

#include <QStringList>
#include <vector>

// The rows of the "Overall Information" page: 38 rows of two cells, the item and its value,
// under the headings of combinations, balance, frequency and the prediction matrix. A heading,
// separator or empty row has an empty value cell.
//
// The page is refilled by the main window's ShowStatistics, which first rebuilds the
// statistics (TKernel::RecalculateAll) and then fills the combination, overall and number
// pages from the same TStatistics; these rows read nothing but that.
std::vector<QStringList> OverallReportRows(const TStatistics& stats);
