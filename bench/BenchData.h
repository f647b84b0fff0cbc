#pragma once

#include "core/kernel/KestTable.h"

#include <QString>
#include <QTemporaryDir>

// Data for the benchmarks: results files and draw tables of any size, in temporary folders
// the caller owns.
namespace BenchData {

// Writes `draws` synthetic draws in the operator's results layout (header line first, newest
// draw first, CR LF line ends) to folder/fileName and returns its path.
QString writeResultsFile(const QString& folder, int draws, const QString& fileName = "results.csv");

// Creates the draw table file tableName in folder, holding `draws` synthetic draws imported
// the way the update does, and returns the folder. Throws TKestError on failure.
QString makeDrawTable(const QString& folder, const QString& tableName, int draws = 0);

// A data folder with a results table of `draws` synthetic draws and the derived tables, all
// open: what the statistics passes work on.
struct DrawTables {
    explicit DrawTables(int draws);
    ~DrawTables();
    QTemporaryDir folder;
    TKestTable results;
    TKestTable numbers;
    TKestTable bonus;
    TKestTable history;
};

} // namespace BenchData
