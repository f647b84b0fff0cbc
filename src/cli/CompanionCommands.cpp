#include "CompanionCommands.h"

#include "core/kernel/Kernel.h"
#include "core/stats/Companions.h"

namespace CompanionCommands {

namespace {

// The value of --top, or -1 for all rows.
int topOption(const QString& command, const QStringList& args)
{
    if (args.isEmpty())
        return -1;
    bool ok = false;
    const int top = args.size() == 2 && args.first() == "--top" ? args.last().toInt(&ok) : -1;
    if (!ok || top < 0)
        throw UsageError(QString("%1 takes [--top K] with K 0 or more").arg(command));
    return top;
}

std::vector<QStringList> companionRows(const std::vector<Companion>& list, int size)
{
    std::vector<QStringList> rows;
    rows.reserve(list.size());
    for (const Companion& companion : list) {
        QStringList row;
        for (int i = 0; i < size; ++i)
            row << QString::asprintf("%.2d", companion.numbers[i]);
        rows.push_back(row << QString::number(companion.count));
    }
    return rows;
}

QString share(double value)
{
    return QString::number(value, 'f', 6);
}

} // namespace

std::vector<QStringList> pairs(TKernel& kernel, const QStringList& args)
{
    const int top = topOption("pairs", args);
    return companionRows(CompanionCounts(ReadDraws(kernel.ResultsTable)).pairs(top), 2);
}

std::vector<QStringList> triplets(TKernel& kernel, const QStringList& args)
{
    const int top = topOption("triplets", args);
    return companionRows(CompanionCounts(ReadDraws(kernel.ResultsTable)).triplets(top), 3);
}

std::vector<QStringList> consecutive(TKernel& kernel, const QStringList&)
{
    std::vector<QStringList> rows;
    for (const RunShare& run : ConsecutiveRuns(ReadDraws(kernel.ResultsTable))) {
        const QString name = run.length == 1 ? "none" : QString::number(run.length);
        rows.push_back({name, QString::number(run.draws), share(run.share), share(run.expected)});
    }
    return rows;
}

std::vector<QStringList> skips(TKernel& kernel, const QStringList& args)
{
    bool ok = false;
    const int number = args.value(0).toInt(&ok);
    if (!ok || number < 1 || number > 49)
        throw UsageError("skips takes a number from 1 to 49");
    const SkipHistory history = Skips(ReadDraws(kernel.ResultsTable), number);
    std::vector<QStringList> rows;
    for (const Skip& skip : history.appearances)
        rows.push_back({skip.date, QString::number(skip.draws)});
    rows.push_back({"Current", QString::number(history.current)});
    return rows;
}

} // namespace CompanionCommands
