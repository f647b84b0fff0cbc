#pragma once

#include "core/generator/TemplateFile.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

// What a template (a wheel over K numbers) truly guarantees, worked out by enumerating every
// way the draw can fall on the player's K numbers.

struct WheelGuarantee {
    int drawn = 0; // m: how many of the K numbers are drawn
    int match = 0; // t: at least one row then matches t of them
};

struct WheelCoverage {
    int selectionTotal = 0;
    int rows = 0;
    std::vector<WheelGuarantee> guarantees; // m from 2 to min(6, K)
    // The chance that at least one row wins division d in one draw (index d, 1 to 7), the
    // player's K numbers being any fixed K numbers.
    std::array<double, 8> divisionChance{};
    double expectedWinningLines = 0; // rows winning any division, per draw
};

// The enumeration steps AnalyseWheel takes, for deciding whether to run it while a window
// waits.
double WheelWork(int selectionTotal, int rows);
// A window analyses a template only within this many steps (a blink: it runs on every edit).
inline constexpr double InteractiveWheelWork = 2e7;

// Throws TKestError (CheckTemplateRows) for a template with an unusable row or selection total.
WheelCoverage AnalyseWheel(const TemplateData& data);

// "2 if 3, 3 if 4": t if m for every m, smallest m first.
QString GuaranteeSummary(const WheelCoverage& coverage);

// The guarantee a template's file name claims ("Wheel10-4if5" claims 4 if 5), if any.
std::optional<WheelGuarantee> ClaimedGuarantee(const QString& fileName);
// A warning when the name claims more than the rows reach; empty otherwise.
QString OverClaimWarning(const QString& fileName, const WheelCoverage& coverage);

// What a window shows of a template: the guarantee summary, an over-claim warning, and the
// division chances for a tool tip. A template with unusable rows has only a summary saying so;
// one too large to work out while a window waits says that instead.
struct CoverageNote {
    QString summary;
    QString warning;
    QString details;
};
CoverageNote DescribeCoverage(const TemplateData& data, const QString& fileName);

// "m<TAB>t" per m, "DivN<TAB>chance" per division, "Expected winning lines<TAB>value".
std::vector<QStringList> CoverageRows(const WheelCoverage& coverage);
