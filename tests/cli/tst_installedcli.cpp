#include "CliRunner.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

// drawsage-cli as a user meets it: its help on a terminal, and a copy laid out as installed,
// whose first start takes the sample files from <prefix>/share/drawsage.
class TestInstalledCli : public QObject {
    Q_OBJECT

private slots:
    void helpIsLaidOutForATerminal()
    {
        TestEnvironment env;
        const CliResult help = runCli(env, {"--help"});
        QCOMPARE(help.status, 0);
        QCOMPARE(help.lines.first(), "Usage: drawsage-cli [OPTIONS] COMMAND [ARGUMENTS]");
        for (const QString& line : help.lines)
            QVERIFY2(line.size() <= 80, qPrintable(line));
        const QString text = help.lines.join('\n');
        for (const char* section : {"Options:", "Draws:", "Statistics:", "Examples:"})
            QVERIFY(help.lines.contains(section));
        // A long entry keeps its description apart: beside it in the column, or below it.
        const qsizetype ticket = help.lines.indexOf("  ticket show|info FILE.dtk");
        QVERIFY(ticket > 0);
        QVERIFY(help.lines.value(ticket + 1).startsWith(QString(24, ' ') + "show: "));
        QVERIFY(help.lines.contains(QRegularExpression("  import FILE {11}replace .*")));
        QVERIFY(help.lines.contains("  random --seed S [--count N] [--range LOW HIGH]"));
        QVERIFY(!text.contains("32 fields") && !text.contains("task bar"));

        const CliResult random = runCli(env, {"random", "--help"});
        QCOMPARE(random.status, 0);
        QVERIFY(random.lines.join(' ').contains(
            "in [0,1), or whole numbers from LOW to HIGH with --range"));
        QCOMPARE(runCli(env, {"nonsense", "--help"}).status, 2);

        const CliResult version = runCli(env, {"--version"});
        QCOMPARE(version.status, 0);
        QVERIFY(QRegularExpression("^drawsage-cli \\d+\\.\\d+\\.\\d+$")
                    .match(version.lines.value(0))
                    .hasMatch());
    }

    void firstStartInstallsFromTheInstalledDataFolder()
    {
        TestEnvironment env;
        const QString share = env.path("prefix/share/drawsage");
        QVERIFY(QDir().mkpath(env.path("prefix/bin")));
        QVERIFY(QDir().mkpath(share + "/templates"));
        QVERIFY(QDir().mkpath(share + "/filters"));
        const QString program = env.path("prefix/bin/drawsage-cli");
        QVERIFY(QFile::copy(DRAWSAGE_CLI, program));
        TestData::writeSyntheticResults(share + "/lottoresults.csv", 5);
        TestData::writeSyntheticResults(share + "/lottoplusresults.csv", 3);
        for (const char* file : {"templates/Installed.tpl", "filters/Installed.flt"}) {
            QFile made(share + '/' + QString(file));
            QVERIFY(made.open(QIODevice::WriteOnly));
        }

        QCOMPARE(runCli(env, {"draws"}, program).lines.size(), 5);
        QCOMPARE(runCli(env, {"--game", "plus", "draws"}, program).lines.size(), 3);
        const QString data = env.path("xdg/data/Kestrix/Drawsage");
        QCOMPARE(QDir(data + "/Templates").entryList(QDir::Files), QStringList{"Installed.tpl"});
        QCOMPARE(QDir(data + "/Filters").entryList(QDir::Files), QStringList{"Installed.flt"});

        // This copy has no page printer beside it nor where an installation puts it.
        const CliResult print =
            runCli(env, {"print", env.path("mine.dtk"), "--pdf", env.path("mine.pdf")}, program);
        QCOMPARE(print.status, 1);
        QVERIFY2(print.errors.contains("drawsage-cli: cannot start the page printer " +
                                       env.path("prefix/")),
                 qPrintable(print.errors));
    }
};

QTEST_GUILESS_MAIN(TestInstalledCli)
#include "tst_installedcli.moc"
