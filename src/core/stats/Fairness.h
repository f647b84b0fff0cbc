#pragma once

#include "core/stats/Statistics.h"

#include <QString>
#include <QStringList>
#include <vector>

class TKestTable;

// Chi-square goodness-of-fit tests of the drawn numbers against a fair draw: are the
// differences between hot and cold numbers more than chance?

struct NumberFit {
    int number = 0;
    int observed = 0;
    double expected = 0;
    double residual = 0; // (observed - expected) / standard deviation of the count
};

struct FitTest {
    QString name;       // "Main balls", "Bonus ball", "Ball 1" ...
    bool valid = false; // false without draws: no figures
    double statistic = 0;
    int degreesOfFreedom = 0;
    double pValue = 1;
    std::vector<NumberFit> numbers; // the values that can be drawn here, ascending
};

struct FairnessReport {
    int draws = 0;
    // True when every draw stores its main balls ascending: a position then holds an order
    // statistic, and its expected counts are those of the k-th smallest of six.
    bool ballsAscending = false;
    FitTest mainBalls;
    FitTest bonusBall;
    std::vector<FitTest> positions; // "Ball 1" to "Ball 6"
};

// True when every draw the results table shows (a filter applies) holds its six main balls in
// ascending order; false for an empty table. The cursor does not move.
bool BallsStoredAscending(const TKestTable& results);

// The tests over the statistics of the last rebuild.
//
// Main balls: six different numbers per draw are not six independent picks, so Pearson's sum
// over the 49 counts is spread as 43/48 of a chi-square variable; it is scaled by 48/43 to
// follow chi-square with 48 degrees of freedom. Bonus ball: one pick per draw, plain Pearson.
// Positions: against equal chances, or the order-statistic chances when ballsAscending; the
// degrees of freedom are the possible values less one.
FairnessReport FairnessTest(const TStatistics& stats, bool ballsAscending);

// A plain-language reading of one test's p-value.
QString FairnessVerdict(const FitTest& test);

// "Item<TAB>Value" rows: the draws, each test's statistic, degrees of freedom and p-value, the
// verdict; then one row per number of the main-ball test: number, observed, expected,
// residual.
std::vector<QStringList> FairnessRows(const FairnessReport& report);
