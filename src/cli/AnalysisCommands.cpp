#include "AnalysisCommands.h"

#include "core/generator/WheelCoverage.h"
#include "core/kernel/Kernel.h"
#include "core/stats/Fairness.h"

std::vector<QStringList> fairnessRows(TKernel& kernel)
{
    const bool ascending = BallsStoredAscending(kernel.ResultsTable);
    return FairnessRows(FairnessTest(kernel.Stats, ascending));
}

std::vector<QStringList> templateCoverageRows(const QString& fileName)
{
    const WheelCoverage coverage = AnalyseWheel(LoadGeneratorTemplate(fileName));
    std::vector<QStringList> rows = CoverageRows(coverage);
    if (const QString warning = OverClaimWarning(fileName, coverage); !warning.isEmpty())
        rows.push_back({"Warning", warning});
    return rows;
}

std::optional<Priorities> priorityOption(const QString& text)
{
    Priorities priorities;
    for (const QString& word : text.split(',', Qt::SkipEmptyParts)) {
        const QString kind = word.trimmed().toLower();
        if (kind == "due")
            priorities.due = true;
        else if (kind == "overdue")
            priorities.overdue = true;
        else if (kind == "favourite")
            priorities.favourite = true;
        else
            return std::nullopt;
    }
    return priorities;
}
