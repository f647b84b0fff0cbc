#pragma once

#include "core/generator/TemplateFile.h"
#include "core/stats/Statistics.h"
#include "core/tickets/TicketFile.h"

#include <QElapsedTimer>
#include <QList>
#include <QSet>
#include <array>
#include <bitset>

class TKestTable;

// The combination generator: one combination from the frequency ranking (MakeCombination), a
// run of them with duplicate and drawn-combination prevention (GenerateCombinations) and the
// combinations of a template over picked numbers (ApplyTemplate). All randomness comes from
// the process's random source (uRandom).

// The items of the " Frequency " group.
enum FrequencyMode { UseBothEqually = 0, UseMoreHot = 1, UseMoreCold = 2 };

// What MakeCombination is asked for: the controls of the "Generator" page.
struct CombinationSettings {
    bool quickPick = false;
    int frequencyMode = UseMoreHot;
    bool useOddEven = false;
    int evenCount = 3; // how many even numbers, 0 to 6
    bool useLowHigh = false;
    int highCount = 3; // how many high numbers (25 to 49), 0 to 6; the repair reads it always
};

// R[1] to R[49]: the numbers from the most to the least frequent; R[0] is unused.
using Ranking = std::array<int, NumberSlots>;
// The ranking of the last statistics rebuild. Before any rebuild (no complete ranking) it is
// the ranking of a game without draws: 49 down to 1.
Ranking RankingOf(const TStatistics& stats);

// The numbers the " Priority " boxes prefer, indexed by number.
using PreferredNumbers = std::bitset<NumberSlots>;
struct Priorities {
    bool due = false;
    bool overdue = false;
    bool favourite = false;
};
// The due and/or overdue numbers of the statistics and/or the given favourites, as checked.
PreferredNumbers PriorityNumbers(const TStatistics& stats, const Priorities& priorities,
                                 const QList<int>& favourites);
// The numbers of the favourites table from its first row on; values outside 1 to 49 are left
// out.
QList<int> FavouriteNumbers(TKestTable& favouriteTable);

// How many preferred numbers the priority puts into one combination at the most: enough to
// favour them, few enough that a long run still finds different combinations.
inline constexpr int PreferredPerCombination = 2;

struct GeneratedCombination {
    std::array<int, 6> numbers{}; // in slot order
    QString text;
    int sum = 0;
};

// One combination of six different numbers, ascending, by the base pick (quick pick or the hot
// and cold halves of the ranking), the odd/even and low/high balances when asked for, then the
// repair of equal numbers by numbers of the same class until all six differ. `betweenPasses`
// runs after every repair pass (a window lets pending events through there).
//
// Priority: with `preferred` empty every number is drawn exactly as described. Otherwise, in a
// frequency pick (not a quick pick), while the other slots hold fewer than
// PreferredPerCombination preferred numbers, a number drawn from a list (a half of the ranking,
// a parity list or a class list) that is not preferred gives way to the first preferred number
// after it in the same list and the same position range, wrapping round, that no other slot
// holds; with none such the drawn number stays. The
// replacement comes from the very list and range the draw used, so the balances, the classes and
// the frequency ranges hold as without priority; every draw still takes one step of the random
// source.
GeneratedCombination MakeCombination(const Ranking& ranking, const CombinationSettings& settings,
                                     const PreferredNumbers& preferred = {},
                                     const KeepResponsive& betweenPasses = {});

// A result row: the sequence "%.3d" as caption; the combination text, the sum "%.3d" and the
// sum's rating text as sub-items; image index 0.
TicketRow ResultRow(int sequence, const QString& text, int sum);

// True when a row holds `text` in `column` (0 the caption, n > 0 the n-th sub-item), compared
// without regard to case; searched from the top.
bool FindInList(const TicketRows& list, const QString& text, int column);

// The limits and texts of a run.
inline constexpr int MaxGenerateCount = 32767;
inline const QString LongRunQuestion = "Calculating 999 combinations may take a while with the "
                                       "current configuration, Do you want to proceed?";
inline const QString ProcessAborted = " Process Aborded.";

// A "Generator" page run as the window sets it up.
struct GeneratorOptions {
    int count = 16; // 1 to MaxGenerateCount
    CombinationSettings combination;
    bool checkDuplicates = true; // "Duplicate Combinations"
    bool checkDrawn = true;      // "Previously Drawn Combinations"
    PreferredNumbers preferred;  // from PriorityNumbers; empty without priority
};

// The window asks LongRunQuestion before a run for which this is true.
bool NeedsConfirmation(const GeneratorOptions& options);

// Panels 1 to 3 of the status bar. An empty `prevented` leaves panel 2 as it is (a template
// run, where the window shows the selection there).
struct StatusTexts {
    QString successful;
    QString prevented;
    QString accuracy;
};

// Makes the rows of one run at a time and keeps them with the run's state until the next run
// or Clear. A window calls GenerateCombinations or ApplyTemplate from its Calculate command and
// Stop from its Stop command; Stop gets in through `keepResponsive`.
class TCombinationGenerator {
public:
    struct RunState {
        int count = 0;     // the rows the run is to make
        int sequence = 0;  // the row being made, from 1
        int prevented = 0; // combinations refused during the run
        int sumTotal = 0;  // of the rows made
        int averageSum = 0;
        bool stopRequested = false;
    };

    // Called during a run at most every ResponsiveInterval milliseconds: where a window lets
    // pending events through (painting, Stop, the random timer's reseeding) and shows rows()
    // and statusTexts(). Unset, a run never yields, so a seeded run is reproducible.
    KeepResponsive keepResponsive;
    static constexpr int ResponsiveInterval = 20;

    // Makes options.count rows from the ranking. With checkDuplicates a combination already
    // among the run's rows is refused; with checkDrawn one of `drawn` is refused; each refusal
    // counts once as prevented and the row is made again. Both lookups are hashed. Returns
    // false when stopped (the rows made so far stay). A run that cannot find enough different
    // combinations keeps trying until stopped.
    bool GenerateCombinations(const Ranking& ranking, const CombinationList& drawn,
                              const GeneratorOptions& options);

    // One row per template row: slot j takes picked[j], the j-th smallest picked number, in
    // slot order, neither sorted nor checked again. Throws TKestError, before any row is made,
    // when the template has an unusable row (CheckTemplateRows) or the picks are not exactly
    // selectionTotal different numbers from 1 to 49. Returns false when stopped.
    bool ApplyTemplate(const TemplateData& data, QList<int> picked);

    void Stop() { m_state.stopRequested = true; }
    // Forgets the rows and the sums (the window's Clear).
    void Clear();

    const TicketRows& rows() const { return m_rows; }
    const RunState& state() const { return m_state; }
    // 100 without refusals; otherwise (count - prevented) / sequence * 100 kept within 0 to 100.
    double accuracy() const;
    // The texts the run shows for its current state.
    StatusTexts statusTexts() const;

private:
    enum class RunKind { None, DuplicateCheck, DrawnCheck, NoCheck, Template };

    void start(RunKind kind, int count);
    // Lets the window respond if the interval has passed; true when a stop was requested.
    bool respond();
    void append(const QString& text, int sum);

    TicketRows m_rows;
    RunState m_state;
    RunKind m_kind = RunKind::None;
    QElapsedTimer m_sinceResponse;
};
