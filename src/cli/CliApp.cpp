#include "CliApp.h"

#include "kernel/Installation.h"
#include "kernel/KestError.h"
#include "kernel/uKernel.h"
#include "update/ResultsFile.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {

constexpr auto Usage = R"(Commands:
  import FILE     replace the current game's draws with an operator results file
  draws           the draws of the table, newest first, the 32 fields in order)";

enum Status { Ok = 0, Failed = 1, BadUsage = 2 };

} // namespace

CliApp::CliApp()
    : m_out(stdout)
    , m_err(stderr)
{
    m_out.setEncoding(QStringConverter::Utf8);
    m_err.setEncoding(QStringConverter::Utf8);
}

int CliApp::fail(const QString& message, int status)
{
    m_err << "drawsage-cli: " << message << Qt::endl;
    return status;
}

int CliApp::run(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QString("The Drawsage engine without windows.\n\n") + Usage);
    parser.addHelpOption();
    const QCommandLineOption config("config", "Use this settings file.", "FILE");
    const QCommandLineOption game("game", "The game: lotto (default) or plus.", "GAME", "lotto");
    const QCommandLineOption filter("filter", "Run this filter expression first.", "EXPRESSION");
    parser.addOptions({config, game, filter});
    parser.addPositionalArgument("command", "The command to run.", "COMMAND [ARGS]");
    // Options stop at the command so that a command's own options are its own.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!parser.parse(arguments))
        return fail(parser.errorText(), BadUsage);
    if (parser.isSet("help")) {
        m_out << parser.helpText();
        return Ok;
    }
    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return fail("no command given; see --help", BadUsage);
    const QString gameName = parser.value(game).toLower();
    if (gameName != "lotto" && gameName != "plus")
        return fail("--game takes lotto or plus", BadUsage);
    if (parser.isSet(config))
        qputenv("DRAWSAGE_CONFIG", parser.value(config).toLocal8Bit());

    TKestSettings settings;
    try {
        Installation::ensureInstalled(settings);
    } catch (const TKestError& error) {
        return fail(error.message());
    }
    TKernel kernel;
    QObject::connect(&kernel, &TKernel::noticeRequested,
                     [this](const QString& text) { m_err << text << Qt::endl; });
    int status = Ok;
    QObject::connect(&kernel, &TKernel::errorOccurred, [this, &status](const QString& message) {
        status = fail(message);
    });
    QCoreApplication::processEvents();
    if (status != Ok)
        return status;
    try {
        if (gameName == "plus")
            kernel.OpenGame(Tables::LottoPlus);
        if (parser.isSet(filter)) {
            kernel.ResultsTable.setFilter(parser.value(filter));
            kernel.ResultsTable.setFiltered(true);
            if (kernel.ResultsTable.IsEmpty())
                return fail("No maching record(s) was found");
        }
        const QString command = positional.takeFirst();
        return runCommand(kernel, command, positional);
    } catch (const TKestError& error) {
        return fail(error.message());
    }
}

int CliApp::runCommand(TKernel& kernel, const QString& command, const QStringList& args)
{
    if (command == "import")
        return importFile(kernel, args);
    if (command == "draws" && args.isEmpty())
        return printDraws(kernel);
    return fail(QString("unknown command or wrong arguments: %1; see --help").arg(command),
                BadUsage);
}

int CliApp::importFile(TKernel& kernel, const QStringList& args)
{
    if (args.size() != 1)
        return fail("import takes one results file", BadUsage);
    if (kernel.ResultsTable.filtered())
        return fail("import replaces all draws: run it without --filter", BadUsage);
    importResultsFile(kernel.ResultsTable, args.first());
    kernel.RecalculateAll();
    m_out << kernel.ResultsTable.RecordCount() << " draws imported" << Qt::endl;
    return Ok;
}

int CliApp::printDraws(TKernel& kernel)
{
    TKestTable& table = kernel.ResultsTable;
    const int fields = table.FieldCount();
    for (table.First(); !table.Eof(); table.Next()) {
        QStringList cells;
        for (int field = 0; field < fields; ++field)
            cells << table.AsString(field);
        m_out << cells.join('\t') << '\n';
    }
    m_out.flush();
    return Ok;
}
