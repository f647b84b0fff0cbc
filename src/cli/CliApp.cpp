#include "CliApp.h"
#include "cli/CompanionCommands.h"
#include "cli/HelpText.h"
#include "cli/RecordCommands.h"
#include "cli/TicketCommands.h"
#include "cli/UpdateCommand.h"

#include "cli/AnalysisCommands.h"
#include "core/generator/NumberSelection.h"
#include "core/kernel/Installation.h"
#include "core/kernel/Kernel.h"
#include "core/kernel/KestError.h"
#include "core/kernel/Numbers.h"
#include "core/kernel/Random.h"
#include "core/records/FilterScripts.h"
#include "core/stats/CombinationFrequencies.h"
#include "core/stats/DrawInformation.h"
#include "core/stats/FrequencyTable.h"
#include "core/stats/NumberInformation.h"
#include "core/stats/OverallReport.h"
#include "core/stats/Statistics.h"
#include "core/tickets/TicketFile.h"
#include "core/update/ResultsFile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocale>

#include <charconv>
#include <cstdio>
#include <exception>
#include <limits>
#include <new>
#include <optional>
#include <tuple>
#include <utility>

namespace {
enum Status { Ok = 0, Failed = 1, BadUsage = 2 };

// An integer option's value within low and high, or none when it is not one.
std::optional<int> integerValue(const QString& text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<std::uint32_t> seedValue(const QString& text)
{
    bool ok = false;
    const std::uint32_t seed = text.toUInt(&ok);
    return ok ? std::optional(seed) : std::nullopt;
}
} // namespace

CliApp::CliApp(Runner print)
    : m_print(std::move(print))
    , m_out(stdout)
    , m_err(stderr)
{
    m_out.setEncoding(QStringConverter::Utf8);
    m_err.setEncoding(QStringConverter::Utf8);
}

int CliApp::main(Runner print)
{
    QCoreApplication::setApplicationName("drawsage-cli");
    QCoreApplication::setOrganizationName("Kestrix");
    QCoreApplication::setApplicationVersion(DRAWSAGE_VERSION);
    // The last resort: whatever escapes a command ends the program with one line, not an
    // abort and a core dump.
    try {
        return CliApp(std::move(print)).run(QCoreApplication::arguments());
    } catch (const std::bad_alloc&) {
        std::fputs("drawsage-cli: out of memory: the input is too large\n", stderr);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "drawsage-cli: %s\n", error.what());
    } catch (...) {
        std::fputs("drawsage-cli: an unexpected error ended the command\n", stderr);
    }
    return 1;
}

int CliApp::fail(const QString& message, int status)
{
    m_err << "drawsage-cli: " << message << Qt::endl;
    return status;
}

int CliApp::run(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption config("config", "", "FILE");
    const QCommandLineOption game("game", "", "GAME", "lotto");
    const QCommandLineOption filter("filter", "", "EXPRESSION");
    parser.addOptions({config, game, filter});
    // Options stop at the command so that a command's own options are its own.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!parser.parse(arguments))
        return fail(parser.errorText(), BadUsage);
    if (parser.isSet("help")) {
        m_out << helpText() << Qt::flush;
        return Ok;
    }
    if (parser.isSet("version")) {
        m_out << QCoreApplication::applicationName() << ' '
              << QCoreApplication::applicationVersion() << Qt::endl;
        return Ok;
    }
    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return fail("no command given; see --help", BadUsage);
    if (positional.size() == 2 && (positional.last() == "--help" || positional.last() == "-h"))
        return printCommandHelp(positional.first());
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
    QObject::connect(&kernel, &TKernel::errorOccurred,
                     [this, &status](const QString& message) { status = fail(message); });
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
                return fail(FilterScripts::NoMatch);
        }
        const QString name = positional.takeFirst();
        for (const Command& command : commands()) {
            if (command.name != name)
                continue;
            if (command.argumentCount != AnyArguments && positional.size() != command.argumentCount)
                return fail(QString("%1 takes %2; see --help").arg(name, command.arguments),
                            BadUsage);
            if (command.needs != Needs::Nothing)
                kernel.RecalculateAll(command.needs == Needs::StatisticsAndNews ? NewsLine::Compose
                                                                                : NewsLine::Skip);
            return command.run(kernel, positional);
        }
        return fail(QString("unknown command: %1; see --help").arg(name), BadUsage);
    } catch (const CompanionCommands::UsageError& error) {
        return fail(error.message(), BadUsage);
    } catch (const TKestError& error) {
        return fail(error.message());
    }
}

std::vector<CliApp::Command> CliApp::commands()
{
    const auto rows = [this](std::vector<QStringList> lines) {
        printRows(lines);
        return int(Ok);
    };
    return {
        {"import", "FILE", "replace the game's draws with the draws of a results file", 1,
         Needs::Nothing, [this](TKernel& k, const QStringList& a) { return importFile(k, a); }},
        {"draws", "", "every draw, newest first: one a line, its fields separated by TAB", 0,
         Needs::Nothing,
         [this](TKernel& k, const QStringList&) { return printDraws(k.ResultsTable, 0); }},
        {"report", "", "the overall information: Item TAB Value", 0, Needs::Statistics,
         [rows](TKernel& k, const QStringList&) { return rows(OverallReportRows(k.Stats)); }},
        {"numbers", "", "the number information, one number a line", 0, Needs::Statistics,
         [rows](TKernel& k, const QStringList&) {
             return rows(NumberInformationRows(k.Stats, k.ResultsTable.filtered()));
         }},
        {"combinations", "",
         "every combination drawn: combination TAB times drawn TAB sum TAB rating", 0,
         Needs::Statistics,
         [rows](TKernel& k, const QStringList&) { return rows(CombinationRows(k.Stats)); }},
        {"positions", "N", "the draw information of ball position N (1 to 6; 7 is the bonus ball)",
         1, Needs::Statistics,
         [this](TKernel& k, const QStringList& a) { return printPositions(k, a); }},
        {"news", "", "the news line", 0, Needs::StatisticsAndNews,
         [rows](TKernel& k, const QStringList&) { return rows({{k.Stats.News}}); }},
        {"hotcold", "", "the six hot numbers, then the six cold numbers, a line each", 0,
         Needs::Statistics, [this](TKernel& k, const QStringList&) { return printHotCold(k); }},
        {"frequencies", "",
         "how often each number was drawn: number TAB as a main ball TAB as the bonus ball", 0,
         Needs::Statistics, [this](TKernel& k, const QStringList&) { return printFrequencies(k); }},
        {"history", "", "the running count of each number after every draw: date TAB 49 counts", 0,
         Needs::Nothing, [this](TKernel& k, const QStringList&) { return printHistory(k); }},
        {"random", "--seed S [--count N] [--range LOW HIGH]",
         "seed the random source with S, then print N of its values (default 10), one a line: "
         "numbers in [0,1), or whole numbers from LOW to HIGH with --range",
         AnyArguments, Needs::Nothing,
         [this](TKernel&, const QStringList& a) { return printRandom(a); }},
        {"generate",
         "--seed S [--count N] [--quick-pick] [--frequency both|hot|cold] [--even K] [--high K] "
         "[--no-duplicate-check] [--no-drawn-check] [--priority due,overdue,favourite] "
         "[--save FILE.dtk]",
         "generate N combinations (default 16): sequence TAB combination TAB sum TAB rating; "
         "due, overdue or favourite numbers are preferred only when --priority names them",
         AnyArguments, Needs::Statistics,
         [this](TKernel& k, const QStringList& a) { return generate(k, a); }},
        {"template",
         "apply FILE.tpl (--numbers N1,N2,... | --pick KIND [--seed S]) | coverage FILE.tpl",
         "apply: the combinations of a wheel template over the numbers given or picked (KIND: "
         "hot, cold, due, overdue, non-due, favourite or random), as generate prints them; "
         "coverage: the template's guaranteed win and expected winning lines",
         AnyArguments, Needs::Nothing,
         [this, rows](TKernel& k, const QStringList& a) {
             if (a.value(0) == "coverage" && a.size() == 2)
                 return rows(templateCoverageRows(a.last()));
             return applyTemplate(k, a);
         }},
        {"ticket", "show|info FILE.dtk",
         "show: the combinations of a ticket file; info: its summary", 2, Needs::Nothing,
         [this](TKernel& k, const QStringList& a) {
             return a.first() == "info" ? TicketCommands::info(k, a.last(), m_out) : showTicket(a);
         }},
        {"check", "FILE.dtk [--draw \"DD Month YYYY\" | --numbers N1 .. N6 BONUS | --all-draws]",
         "check a ticket against a draw (default: the newest), against six numbers and a bonus "
         "ball, or against every draw",
         AnyArguments, Needs::Nothing,
         [this](TKernel& k, const QStringList& a) { return TicketCommands::check(k, a, m_out); }},
        {"pairs", "[--top K]",
         "the pairs of numbers drawn together, most often first: N1 TAB N2 TAB count", AnyArguments,
         Needs::Nothing,
         [rows](TKernel& k, const QStringList& a) { return rows(CompanionCommands::pairs(k, a)); }},
        {"triplets", "[--top K]",
         "the triplets drawn together, most often first: N1 TAB N2 TAB N3 TAB count", AnyArguments,
         Needs::Nothing,
         [rows](TKernel& k, const QStringList& a) {
             return rows(CompanionCommands::triplets(k, a));
         }},
        {"consecutive", "",
         "draws by their longest run of consecutive numbers: run TAB draws TAB share TAB expected "
         "share",
         0, Needs::Nothing,
         [rows](TKernel& k, const QStringList& a) {
             return rows(CompanionCommands::consecutive(k, a));
         }},
        {"skips", "N",
         "the draws skipped between the appearances of N, newest first, then the current skip", 1,
         Needs::Nothing,
         [rows](TKernel& k, const QStringList& a) { return rows(CompanionCommands::skips(k, a)); }},
        {"print", "FILE.dtk --pdf OUT.pdf",
         "write the ticket as a PDF, laid out as the ticket viewer prints it", 3, Needs::Nothing,
         m_print},
        {"fairness", "",
         "chi-square tests that every number has an equal chance: Item TAB Value, then number "
         "TAB observed TAB expected TAB residual",
         0, Needs::Statistics,
         [rows](TKernel& k, const QStringList&) { return rows(fairnessRows(k)); }},
        {"update", "[--server URL]",
         "download both games' results files and replace the draws of each game whose file arrived "
         "whole",
         AnyArguments, Needs::Nothing,
         [this](TKernel& k, const QStringList& a) { return runUpdateCommand(k, a, m_out, m_err); }},
        {"add", "--date \"DD Month YYYY\" --balls B1 .. B6 --bonus B [...]",
         "add a draw at the top of the table, checked as in the draw entry window (options: "
         "--machine A|B|C, --ballset, --sales, --pool, --rollover, --rollover-count, --estimated, "
         "--guaranteed N; --div K AMOUNT WINNERS); figures not given are 0",
         AnyArguments, Needs::Nothing,
         [this](TKernel& k, const QStringList& a) { return RecordCommands::add(k, a, m_err); }},
        {"remove", "\"DD Month YYYY\"", "remove the newest draw of that date", 1, Needs::Nothing,
         [this](TKernel& k, const QStringList& a) { return RecordCommands::remove(k, a, m_err); }},
        {"info", "[\"DD Month YYYY\"]",
         "a draw's balls, date, prizes and winners: Item TAB Value (default: the newest draw)",
         AnyArguments, Needs::Nothing,
         [this](TKernel& k, const QStringList& a) { return RecordCommands::info(k, a, m_out); }},
    };
}

namespace {
// The help's sections in order; a command not named here is listed under "Other commands".
const std::vector<std::pair<QString, QStringList>> HelpSections{
    {"Draws", {"draws", "info", "add", "remove", "import", "update"}},
    {"Statistics",
     {"report", "numbers", "combinations", "positions", "news", "hotcold", "frequencies", "history",
      "pairs", "triplets", "consecutive", "skips", "fairness"}},
    {"Combinations and tickets", {"random", "generate", "template", "ticket", "check", "print"}},
};
} // namespace

QString CliApp::commandEntry(const Command& command)
{
    return HelpText::entry(command.name + ' ' + command.arguments, command.help);
}

QString CliApp::helpText()
{
    QString text = "Usage: drawsage-cli [OPTIONS] COMMAND [ARGUMENTS]\n" +
                   HelpText::wrapped("The Drawsage engine without windows: the statistics, draws "
                                     "and combinations as text, one row a line, cells separated "
                                     "by TAB.",
                                     HelpText::Width)
                       .join('\n') +
                   "\n\nOptions:\n";
    for (const auto& [option, description] : std::initializer_list<std::pair<QString, QString>>{
             {"--config FILE", "use this settings file instead of the user's"},
             {"--game lotto|plus", "the game to work on (default: lotto)"},
             {"--filter EXPRESSION", "only the draws that pass this filter expression"},
             {"-h, --help", "show this help; COMMAND --help shows one command's"},
             {"-v, --version", "show the version"}})
        text += HelpText::entry(option, description);

    const std::vector<Command> table = commands();
    QStringList listed;
    const auto section = [&](const QString& title, const auto& belongs) {
        QString entries;
        for (const Command& command : table) {
            if (belongs(command.name)) {
                entries += commandEntry(command);
                listed << command.name;
            }
        }
        if (!entries.isEmpty())
            text += '\n' + title + ":\n" + entries;
    };
    // Not a structured binding: clang 14 cannot capture one.
    for (const auto& entry : HelpSections) {
        const QStringList& names = entry.second;
        section(entry.first, [&names](const QString& name) { return names.contains(name); });
    }
    section("Other commands", [&listed](const QString& name) { return !listed.contains(name); });

    text += "\nExamples:\n"
            "  drawsage-cli --game plus report\n"
            "  drawsage-cli generate --seed 7 --count 5 --even 3\n"
            "  drawsage-cli --filter \"DRAWMACHINE='B'\" frequencies\n";
    return text;
}

int CliApp::printCommandHelp(const QString& name)
{
    for (const Command& command : commands()) {
        if (command.name == name) {
            const QString usageLine =
                "Usage: drawsage-cli [OPTIONS] " + command.name + ' ' + command.arguments;
            m_out << HelpText::wrapped(usageLine, HelpText::Width).join("\n    ") << "\n\n"
                  << HelpText::wrapped(command.help, HelpText::Width).join('\n') << Qt::endl;
            return Ok;
        }
    }
    return fail(QString("unknown command: %1; see --help").arg(name), BadUsage);
}

void CliApp::printRows(const std::vector<QStringList>& rows)
{
    for (const QStringList& row : rows)
        m_out << row.join('\t') << '\n';
    m_out.flush();
}

int CliApp::importFile(TKernel& kernel, const QStringList& args)
{
    if (kernel.ResultsTable.filtered())
        return fail("import replaces all draws: run it without --filter", BadUsage);
    importResultsFile(kernel.ResultsTable, args.first());
    kernel.RecalculateAll(NewsLine::Skip);
    m_err << kernel.ResultsTable.RecordCount() << " draws imported" << Qt::endl;
    return Ok;
}

int CliApp::printDraws(TKestTable& table, int firstField)
{
    for (int row = 0, rows = table.RecordCount(); row < rows; ++row)
        m_out << table.rowText(row, firstField, '\t') << '\n';
    m_out.flush();
    return Ok;
}

int CliApp::printPositions(TKernel& kernel, const QStringList& args)
{
    bool ok = false;
    const int position = args.first().toInt(&ok);
    if (!ok || position < 1 || position > PositionCount)
        return fail("positions takes a position from 1 to 7", BadUsage);
    const DrawInformationPage page = DrawInformation(kernel.Stats, position - 1);
    printRows(page.summary);
    printRows(page.rows);
    return Ok;
}

int CliApp::printFrequencies(TKernel& kernel)
{
    // Both tables hold one row per number after a rebuild; read them by number, not by order.
    std::vector<QStringList> rows(NumberSlots - 1);
    for (const TKestTable* table : {&kernel.NumberTable, &kernel.BonusTable}) {
        for (const FrequencyRow& frequency : ReadFrequencyTable(*table)) {
            QStringList& row = rows[frequency.number - 1];
            if (row.isEmpty())
                row << QString::number(frequency.number);
            row << QString::number(frequency.total, 'f', QLocale::FloatingPointShortest);
        }
    }
    printRows(rows);
    return Ok;
}

int CliApp::printHistory(TKernel& kernel)
{
    // The rows the history table is rebuilt with, computed from the draws: the windows
    // rebuild the table themselves whenever they show it.
    QString line;
    ForEachHistoryRow(
        kernel.ResultsTable, [&](const QString& date, const std::array<int, NumberSlots>& counts) {
            line = date;
            for (int n = 1; n < NumberSlots; ++n) {
                char digits[16];
                const auto end = std::to_chars(digits, digits + sizeof(digits), counts[n]).ptr;
                line += '\t';
                line += QLatin1StringView(digits, end - digits);
            }
            line += '\n';
            m_out << line;
        });
    m_out.flush();
    return Ok;
}

int CliApp::printHotCold(TKernel& kernel)
{
    // The group as first built: six hot numbers, the cold heading, six cold numbers.
    QStringList lines{QString()};
    for (const TaskBarEntry& entry : HotColdEntries(kernel.Stats, HotColdBuild::FirstBuild)) {
        if (entry.kind == TaskBarEntry::Heading) {
            if (!lines.last().isEmpty())
                lines << QString();
            continue;
        }
        lines.last() += (lines.last().isEmpty() ? "" : " ") + entry.text;
    }
    printRows({{lines.value(0)}, {lines.value(1)}});
    return Ok;
}

bool CliApp::parseOptions(QCommandLineParser& parser, const QString& command,
                          const QStringList& args)
{
    // The parser takes the first argument for the program's name.
    if (parser.parse(QStringList{command} + args))
        return true;
    fail(QString("%1: %2").arg(command, parser.errorText()), BadUsage);
    return false;
}

int CliApp::printRandom(const QStringList& args)
{
    QCommandLineParser parser;
    const QCommandLineOption seed("seed", "", "S");
    const QCommandLineOption count("count", "", "N", "10");
    const QCommandLineOption range("range", "", "LOW");
    parser.addOptions({seed, count, range});
    parser.addPositionalArgument("high", "", "HIGH"); // --range LOW HIGH
    if (!parseOptions(parser, "random", args))
        return BadUsage;
    const auto seedNumber = seedValue(parser.value(seed));
    const auto values = integerValue(parser.value(count), 0, std::numeric_limits<int>::max());
    const QStringList rest = parser.positionalArguments();
    if (!parser.isSet(seed) || !seedNumber || !values ||
        rest.size() != (parser.isSet(range) ? 1 : 0))
        return fail("random takes --seed S [--count N] [--range LOW HIGH]", BadUsage);
    const int lowest = std::numeric_limits<int>::min();
    const int highest = std::numeric_limits<int>::max();
    const auto low = parser.isSet(range) ? integerValue(parser.value(range), lowest, highest) : 0;
    const auto high = parser.isSet(range) ? integerValue(rest.first(), lowest, highest) : 0;
    if (!low || !high)
        return fail("--range takes two integers LOW HIGH", BadUsage);

    SeedRandom(*seedNumber);
    for (int i = 0; i < *values; ++i) {
        if (parser.isSet(range))
            m_out << RandomInRange(*low, *high) << '\n';
        else
            m_out << QString::number(NextRandom(), 'g', QLocale::FloatingPointShortest) << '\n';
    }
    m_out.flush();
    return Ok;
}

int CliApp::generate(TKernel& kernel, const QStringList& args)
{
    QCommandLineParser parser;
    const QCommandLineOption seed("seed", "", "S");
    const QCommandLineOption count("count", "", "N", "16");
    const QCommandLineOption quickPick("quick-pick");
    const QCommandLineOption frequency("frequency", "", "MODE", "hot");
    const QCommandLineOption even("even", "", "K");
    const QCommandLineOption high("high", "", "K");
    const QCommandLineOption noDuplicates("no-duplicate-check");
    const QCommandLineOption noDrawn("no-drawn-check");
    const QCommandLineOption save("save", "", "FILE");
    const QCommandLineOption priority("priority", "", "KINDS");
    parser.addOptions(
        {seed, count, quickPick, frequency, even, high, noDuplicates, noDrawn, save, priority});
    if (!parseOptions(parser, "generate", args))
        return BadUsage;
    if (!parser.positionalArguments().isEmpty())
        return fail("generate takes options only; see --help", BadUsage);
    const auto seedNumber = seedValue(parser.value(seed));
    if (!parser.isSet(seed) || !seedNumber)
        return fail("generate takes --seed S", BadUsage);

    // The "Generator" page as it starts, changed only where an option says so.
    GeneratorOptions options;
    const auto rows = integerValue(parser.value(count), 1, MaxGenerateCount);
    if (!rows)
        return fail(QString("--count takes 1 to %1").arg(MaxGenerateCount), BadUsage);
    options.count = *rows;
    CombinationSettings& settings = options.combination;
    settings.quickPick = parser.isSet(quickPick);
    const QStringList modes{"both", "hot", "cold"};
    settings.frequencyMode = int(modes.indexOf(parser.value(frequency)));
    if (settings.frequencyMode < 0)
        return fail("--frequency takes both, hot or cold", BadUsage);
    for (const auto& [option, use, target] :
         {std::tuple(&even, &settings.useOddEven, &settings.evenCount),
          std::tuple(&high, &settings.useLowHigh, &settings.highCount)}) {
        if (!parser.isSet(*option))
            continue;
        const auto value = integerValue(parser.value(*option), 0, 6);
        if (!value)
            return fail(QString("--%1 takes 0 to 6").arg(option->names().first()), BadUsage);
        *use = true;
        *target = *value;
    }
    options.checkDuplicates = !parser.isSet(noDuplicates);
    options.checkDrawn = !parser.isSet(noDrawn);
    const auto priorities = priorityOption(parser.value(priority));
    if (!priorities)
        return fail("--priority takes due, overdue and favourite, separated by commas", BadUsage);
    if (!settings.quickPick) // as the window, which disables the boxes for a quick pick
        options.preferred = PriorityNumbers(
            kernel.Stats, *priorities,
            priorities->favourite ? FavouriteNumbers(kernel.FavouriteTable) : QList<int>{});

    SeedRandom(*seedNumber);
    TCombinationGenerator generator;
    generator.GenerateCombinations(RankingOf(kernel.Stats), kernel.Stats.Combinations, options);
    printTicketRows(generator.rows());
    printStatus(generator.statusTexts());
    if (parser.isSet(save))
        SaveTicket(generator.rows(), parser.value(save));
    return Ok;
}

namespace {
// The automatic selections of the Custom page by name; the statuses in NumberStatus order.
const QStringList PickKinds{"non-due", "due", "overdue", "hot", "cold", "favourite", "random"};
} // namespace

QList<int> CliApp::pickedNumbers(TKernel& kernel, const QString& kind, int total)
{
    if (kind == "random")
        return RandomNumbers(total);
    if (kind == "favourite")
        return PickInOrder(FavouriteNumbers(kernel.FavouriteTable), total);
    kernel.RecalculateAll(NewsLine::Skip);
    const Ranking ranking = RankingOf(kernel.Stats);
    if (kind == "hot")
        return PickInOrder(HotOrder(ranking), total);
    if (kind == "cold")
        return PickInOrder(ColdOrder(ranking), total);
    return PickInOrder(NumbersOfStatus(kernel.Stats, NumberStatus(PickKinds.indexOf(kind))), total);
}

int CliApp::applyTemplate(TKernel& kernel, const QStringList& args)
{
    QCommandLineParser parser;
    const QCommandLineOption numbers("numbers", "", "N1,N2,...");
    const QCommandLineOption pick("pick", "", "KIND");
    const QCommandLineOption seed("seed", "", "S");
    parser.addOptions({numbers, pick, seed});
    if (!parseOptions(parser, "template", args))
        return BadUsage;
    const QStringList rest = parser.positionalArguments();
    const auto seedNumber = seedValue(parser.value(seed));
    if (rest.size() != 2 || rest.first() != "apply" ||
        parser.isSet(numbers) == parser.isSet(pick) || (parser.isSet(seed) && !seedNumber))
        return fail("template takes apply FILE.tpl (--numbers N1,N2,... | --pick KIND [--seed S])",
                    BadUsage);
    if (parser.isSet(pick) && !PickKinds.contains(parser.value(pick)))
        return fail("--pick takes " + PickKinds.join(", "), BadUsage);
    QList<int> picked;
    for (const QString& text :
         parser.isSet(numbers) ? parser.value(numbers).split(',') : QStringList{}) {
        const auto number = integerValue(text, 1, 49);
        if (!number)
            return fail(QString("--numbers takes numbers from 1 to 49, not \"%1\"").arg(text),
                        BadUsage);
        picked << *number;
    }
    const TemplateData data = LoadGeneratorTemplate(rest.last());
    if (parser.isSet(pick)) {
        if (seedNumber)
            SeedRandom(*seedNumber);
        picked = pickedNumbers(kernel, parser.value(pick), data.selectionTotal);
    }
    TCombinationGenerator generator;
    generator.ApplyTemplate(data, picked);
    printTicketRows(generator.rows());
    printStatus(generator.statusTexts());
    return Ok;
}

int CliApp::showTicket(const QStringList& args)
{
    if (args.first() != "show")
        return fail("ticket takes show|info FILE.dtk", BadUsage);
    TicketRows rows;
    LoadTicket(rows, args.last());
    printTicketRows(rows);
    return Ok;
}

void CliApp::printTicketRows(const TicketRows& rows)
{
    for (const TicketRow& row : rows)
        m_out << (QStringList{row.caption} + row.subItems).join('\t') << '\n';
    m_out.flush();
}

void CliApp::printStatus(const StatusTexts& status)
{
    QStringList panels{status.successful};
    if (!status.prevented.isEmpty())
        panels << status.prevented;
    m_err << (panels << status.accuracy).join('\t') << Qt::endl;
}
