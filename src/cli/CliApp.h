#pragma once

#include "core/generator/Generator.h"

#include <QStringList>
#include <QTextStream>

#include <functional>
#include <vector>

class QCommandLineParser;
class TKernel;
class TKestTable;

// drawsage-cli: the engine's pages and operations as text, one row per line, cells separated
// by TAB. Errors go to standard error with a non-zero exit status.
class CliApp {
public:
    CliApp();
    int run(const QStringList& arguments);

private:
    // What a command needs rebuilt before it runs.
    enum class Needs { Nothing, Statistics, StatisticsAndNews };
    struct Command {
        QString name;
        QString arguments; // as the help shows them
        QString help;
        int argumentCount; // AnyArguments: the command checks its own
        Needs needs;
        std::function<int(TKernel&, const QStringList&)> run;
    };

    static constexpr int AnyArguments = -1;

    std::vector<Command> commands();
    QString helpText();
    // A command's line of the help: its name, arguments and description.
    static QString commandEntry(const Command& command);
    int printCommandHelp(const QString& name);
    int importFile(TKernel& kernel, const QStringList& args);
    int printDraws(TKestTable& table, int firstField);
    int printPositions(TKernel& kernel, const QStringList& args);
    int printFrequencies(TKernel& kernel);
    int printHotCold(TKernel& kernel);
    int printHistory(TKernel& kernel);
    int printRandom(const QStringList& args);
    int generate(TKernel& kernel, const QStringList& args);
    int applyTemplate(TKernel& kernel, const QStringList& args);
    // The numbers an automatic selection of this kind picks for a selection total.
    QList<int> pickedNumbers(TKernel& kernel, const QString& kind, int total);
    int showTicket(const QStringList& args);
    void printTicketRows(const TicketRows& rows);
    void printStatus(const StatusTexts& status);
    bool parseOptions(QCommandLineParser& parser, const QString& command, const QStringList& args);
    void printRows(const std::vector<QStringList>& rows);
    int fail(const QString& message, int status = 1);

    QTextStream m_out;
    QTextStream m_err;
};
