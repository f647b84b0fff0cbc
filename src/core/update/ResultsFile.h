#pragma once

#include <QString>
#include <functional>

class TKestTable;

// The column map of the operator's results file. The same names, each after a blank but the
// first, head the file's first line.
inline constexpr auto ResultsFileMap =
    "Key,DrawDate,Ball1,Ball2,Ball3,Ball4,Ball5,Ball6,BonusBall,Div1,Div2,Div3,Div4,Div5,Div6,"
    "Div7,Div1NoWin,Div2NoWin,Div3NoWin,Div4NoWin,Div5NoWin,Div6NoWin,Div7NoWin,PrizePayable,"
    "Rollover,RolloverCount,Provisional,TotalSales,DrawMachine,BallSet,NextEstimatedJackpot,"
    "NextGuaranteedJackpot";

// Replaces every record of a game table with the draws of an operator's results file, in file
// order, as the update does. The table is opened if it is closed and left as it was found;
// a filter on it is switched off.
//
// All or nothing: the table keeps its previous records, and TKestError is thrown, when the
// file did not arrive intact, that is when it
//   - cannot be opened or read,
//   - does not begin with the header line (an error page or another file),
//   - holds no draw after the header line (an empty download must not wipe a game),
//   - or holds a line whose record the table refuses.
// The contents of the draws themselves are taken as they come.
//
// keepResponsive, when given, is called once per line and once per record of the longer
// passes, so that a window can let pending events through.
void importResultsFile(TKestTable& table, const QString& path,
                       const std::function<void()>& keepResponsive = {});
