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
    // A command's work: on the open kernel, with the arguments after the command's name.
    using Runner = std::function<int(TKernel&, const QStringList&)>;

    // print: how the print command runs. Drawing pages needs Qt Gui, which only the page
    // printer program links; drawsage-cli hands the command to it.
    explicit CliApp(Runner print);
    int run(const QStringList& arguments);
    // The whole program under the application object main() made: the command line of
    // QCoreApplication::arguments(), and a one-line message for whatever escapes a command.
    static int main(Runner print);

private:
    // What a command needs rebuilt before it runs.
    enum class Needs { Nothing, Statistics, StatisticsAndNews };
    struct Command {
        QString name;
        QString arguments; // as the help shows them
        QString help;
        int argumentCount; // AnyArguments: the command checks its own
        Needs needs;
        Runner run;
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

    Runner m_print;
    QTextStream m_out;
    QTextStream m_err;
};
