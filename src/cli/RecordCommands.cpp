#include "cli/RecordCommands.h"

#include "cli/CompanionCommands.h"
#include "core/kernel/Kernel.h"
#include "core/kernel/KestError.h"
#include "core/records/DrawDates.h"
#include "core/records/DrawDetails.h"
#include "core/records/DrawEntry.h"

#include <map>

namespace {

using CompanionCommands::UsageError;

constexpr auto AddUsage =
    "add takes --date \"DD Month YYYY\" --balls B1 B2 B3 B4 B5 B6 --bonus B [--machine A|B|C] "
    "[--ballset N] [--sales N] [--pool N] [--rollover N] [--rollover-count N] [--estimated N] "
    "[--guaranteed N] [--div K AMOUNT WINNERS]...";

// The entry boxes the single-value options fill.
std::map<QString, QString DrawEntry::*> singleOptions()
{
    return {{"--bonus", &DrawEntry::bonus},
            {"--machine", &DrawEntry::machine},
            {"--ballset", &DrawEntry::ballSet},
            {"--sales", &DrawEntry::totalSales},
            {"--pool", &DrawEntry::prizePool},
            {"--rollover", &DrawEntry::rollover},
            {"--rollover-count", &DrawEntry::rolloverCount},
            {"--estimated", &DrawEntry::nextEstimated},
            {"--guaranteed", &DrawEntry::nextGuaranteed}};
}

// The option's values, which must all be there.
QStringList take(const QStringList& args, int& at, int count)
{
    if (at + count >= args.size())
        throw UsageError(AddUsage);
    const QStringList values = args.mid(at + 1, count);
    at += count;
    return values;
}

DrawEntry entryOf(const QStringList& args)
{
    DrawEntry entry;
    // Amounts and counts not given are 0, as a finished draw whose figures are not known.
    for (QString* box : {&entry.ballSet, &entry.totalSales, &entry.prizePool, &entry.rollover,
                         &entry.rolloverCount, &entry.nextEstimated, &entry.nextGuaranteed})
        *box = "0";
    entry.divisionAmounts.fill("0");
    entry.divisionWinners.fill("0");
    bool dated = false;
    bool balls = false;
    const auto options = singleOptions();
    for (int at = 0; at < args.size(); ++at) {
        const QString& option = args[at];
        if (option == "--date") {
            entry.date = DrawDates::read(take(args, at, 1).first());
            if (!entry.date.isValid())
                throw UsageError(QString("--date takes a date such as \"5 March 2008\", not \"%1\"")
                                     .arg(args[at]));
            dated = true;
        } else if (option == "--balls") {
            const QStringList values = take(args, at, 6);
            std::copy(values.begin(), values.end(), entry.balls.begin());
            balls = true;
        } else if (option == "--div") {
            const QStringList values = take(args, at, 3);
            bool ok = false;
            const int division = values[0].toInt(&ok);
            if (!ok || division < 1 || division > 7)
                throw UsageError(
                    QString("--div takes a division from 1 to 7, not \"%1\"").arg(values[0]));
            entry.divisionAmounts[division - 1] = values[1];
            entry.divisionWinners[division - 1] = values[2];
        } else if (const auto found = options.find(option); found != options.end()) {
            entry.*(found->second) = take(args, at, 1).first();
        } else {
            throw UsageError(AddUsage);
        }
    }
    if (!dated || !balls || entry.bonus.isEmpty())
        throw UsageError(AddUsage);
    if (!entry.machine.isEmpty() && !QStringList({"A", "B", "C"}).contains(entry.machine))
        throw UsageError("--machine takes A, B or C");
    return entry;
}

} // namespace

int RecordCommands::add(TKernel& kernel, const QStringList& args, QTextStream& err)
{
    const DrawEntry entry = entryOf(args);
    // The checks the window makes while the boxes are typed in refuse with the window's notice.
    if (DrawEntryRules::checkBallSet(entry.ballSet) == DrawEntryRules::Check::Invalid &&
        args.contains("--ballset"))
        throw TKestError(DrawEntryRules::BallSetEmpty);
    DrawEntryRules::store(kernel.ResultsTable, entry);
    err << "Added the draw of" << DrawEntryRules::drawDateText(entry.date) << Qt::endl;
    return 0;
}

int RecordCommands::remove(TKernel& kernel, const QStringList& args, QTextStream& err)
{
    if (args.size() != 1)
        throw UsageError("remove takes \"DD Month YYYY\"");
    TKestTable& results = kernel.ResultsTable;
    if (!DrawDates::findNewest(results, args.first()))
        throw TKestError(QString("No draw of \"%1\" was found").arg(args.first()));
    const QString date = results.AsString("DRAWDATE");
    results.Delete();
    err << "Removed the draw of" << date << Qt::endl;
    return 0;
}

int RecordCommands::info(TKernel& kernel, const QStringList& args, QTextStream& out)
{
    if (args.size() > 1)
        throw UsageError("info takes [\"DD Month YYYY\"]");
    TKestTable& results = kernel.ResultsTable;
    if (args.isEmpty() ? results.IsEmpty() : !DrawDates::findNewest(results, args.first()))
        throw TKestError(args.isEmpty() ? QString("There is no draw to show")
                                        : QString("No draw of \"%1\" was found").arg(args.first()));
    if (args.isEmpty())
        results.First();
    const DrawDetails details = drawDetails(results);
    out << details.balls.join('\t') << '\n' << details.date << '\n';
    for (const QStringList& row : details.rows)
        out << row.join('\t') << '\n';
    out.flush();
    return 0;
}
