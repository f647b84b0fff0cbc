#include "ReadOnlyFolder.h"
#include "TestEnvironment.h"
#include "core/kernel/Installation.h"
#include "core/kernel/Kernel.h"
#include "core/kernel/KestError.h"

#include <QDir>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

class TestKernel : public QObject {
    Q_OBJECT

    static QStringList tablesIn(const QString& folder)
    {
        return QDir(folder).entryList({"*.DB"}, QDir::Files, QDir::Name);
    }

private slots:
    void settingsThatCannotBeOpenedGiveEmptyResultsAndANotice()
    {
        TestEnvironment env;
        // A folder where the file should be: it can be neither read nor created.
        QDir().mkpath(env.configFile());
        TKernel kernel;
        QSignalSpy notices(&kernel, &TKernel::noticeRequested);
        QSignalSpy errors(&kernel, &TKernel::errorOccurred);
        QCoreApplication::processEvents(); // creation's own notice and error arrive queued
        QCOMPARE(notices.count(), 1);
        QCOMPARE(errors.count(), 1); // the tables cannot be found: reported, start goes on

        notices.clear();
        QCOMPARE(kernel.GetDataDir(), QString());
        QCOMPARE(kernel.GetTicketDir(), QString());
        QCOMPARE(kernel.ReadSettingInteger("Marquee"), 0);
        QCOMPARE(kernel.ReadSettingFloat("CostUnit"), 0.0);
        kernel.WriteSettingInteger("Marquee", 100);
        QCOMPARE(notices.count(), 5);
        for (const QList<QVariant>& notice : notices)
            QCOMPARE(notice.at(0).toString(),
                     QString("Unable to find required registry information."));
        QVERIFY(!kernel.ResultsTable.Active());
    }

    void numbersAreStoredAndReadBack()
    {
        TestEnvironment env;
        TKernel kernel;
        kernel.WriteSettingInteger("Marquee", 150);
        kernel.WriteSettingFloat("CostUnit", 2.5);
        QCOMPARE(kernel.ReadSettingInteger("Marquee"), 150);
        QCOMPARE(kernel.ReadSettingFloat("CostUnit"), 2.5);
        // A number that is missing or of another type is an error for the caller.
        QVERIFY_THROWS_EXCEPTION(TKestError, kernel.ReadSettingInteger("Missing"));
        QSettings(env.configFile(), QSettings::IniFormat).setValue("Marquee", "fast");
        QVERIFY_THROWS_EXCEPTION(TKestError, kernel.ReadSettingInteger("Marquee"));
        QCOMPARE(kernel.GetTempDir(), QString()); // a missing text is empty
    }

    void aliasPointsAtTheDataFolder()
    {
        TestEnvironment env;
        TKestSettings settings;
        settings.write("DataDir", env.path("data"));
        {
            TKernel kernel;
            QCOMPARE(kernel.DataAlias.AliasDriver("Drawsage"), QString("SQLITE"));
            QCOMPARE(kernel.DataAlias.AliasParam("Drawsage", "PATH"), env.path("data"));
        }
        // An alias that exists gets exactly three parameters at the next start.
        TKestAlias alias(settings);
        alias.ModifyAlias("Drawsage", {"PATH=/elsewhere", "EXTRA=1"});
        settings.write("DataDir", env.path("other"));
        TKernel kernel;
        QCOMPARE(kernel.DataAlias.AliasParams("Drawsage"),
                 QStringList({"DRIVER=SQLITE", "ENABLE BCD=FALSE", "PATH=" + env.path("other")}));
        QCOMPARE(kernel.DataAlias.AliasNames(), QStringList({"Drawsage"}));
    }

    void dataDirDecidesTheFolderEvenWhereTheAliasCannotFollow()
    {
        TestEnvironment env;
        TestData::installSample();
        TKestSettings settings;
        const QString data = settings.read("DataDir")->toString();
        // An alias added under another spelling is the one that follows.
        settings.remove("Aliases");
        TKestAlias(settings).AddAlias("drawsage", "PARADOX", {"PATH=" + env.path("old")});
        {
            TKernel kernel;
            QCOMPARE(kernel.DataAlias.AliasNames(), QStringList({"drawsage"}));
            QCOMPARE(kernel.DataAlias.AliasParam("Drawsage", "PATH"), data);
        }
        // A settings file nobody may write, with no alias and with an old one.
        for (const bool oldAlias : {false, true}) {
            settings.remove("Aliases");
            if (oldAlias)
                TKestAlias(settings).AddAlias("Drawsage", "SQLITE", {"PATH=" + env.path("old")});
            const ReadOnlyFolder readOnly(env.path("config"));
            if (!readOnly.usable())
                QSKIP("cannot make a read-only folder here");
            TKernel kernel;
            QSignalSpy notices(&kernel, &TKernel::noticeRequested);
            QCOMPARE(kernel.DataFolder(), data);
            QVERIFY(kernel.ResultsTable.Active());
            QVERIFY(kernel.ResultsTable.RecordCount() > 0);
            QVERIFY(notices.wait());
            QCOMPARE(notices.count(), 1);
            QVERIFY(notices.at(0).at(0).toString().contains(env.configFile()));
        }
    }

    void aliasesAreAdministeredInTheSettingsFile()
    {
        TestEnvironment env;
        TKestSettings settings;
        TKestAlias alias(settings);
        QVERIFY(alias.AddAlias("Archive", "SQLITE", {"PATH=/srv/archive"}));
        QVERIFY(!alias.AddAlias("archive", "SQLITE", {})); // names ignore case
        QCOMPARE(alias.AliasParams("Archive"), QStringList({"DRIVER=SQLITE", "PATH=/srv/archive"}));
        QCOMPARE(alias.DriverNames(), QStringList({"SQLITE"}));
        QCOMPARE(alias.DriverParams("SQLITE"), QStringList({"DRIVER=SQLITE", "PATH="}));
        // A second accessor on the same file sees what the first wrote.
        TKestAlias other(settings);
        QVERIFY(other.IsAlias("Archive"));
        QVERIFY(other.DeleteAlias("Archive"));
        QVERIFY(!alias.IsAlias("Archive"));
        QVERIFY(alias.AliasParams("Archive").isEmpty());
        QVERIFY(!alias.ModifyAlias("Archive", {"PATH=/x"}));
    }

    void firstStartInstallsAndSecondStartKeepsEverything()
    {
        TestEnvironment env;
        TKestSettings settings;
        const QStringList written = Installation::ensureInstalled(settings);
        QCOMPARE(written, QStringList({"DataDir", "TempDir", "FilterDir", "Templates", "TicketDir",
                                       "Marquee", "CostUnit"}));
        const QString root = env.path("xdg/data/Kestrix/Drawsage");
        QCOMPARE(Installation::defaultRoot(), root);
        QCOMPARE(tablesIn(root + "/Data"), QStringList({"NL00A1.DB", "NL00A2.DB", "NL00B1.DB",
                                                        "NL00B2.DB", "NL00C1.DB", "NL00D1.DB"}));
        QVERIFY(!QDir(root + "/Templates").entryList({"*.tpl"}).isEmpty());
        QVERIFY(!QDir(root + "/Filters").entryList({"*.flt"}).isEmpty());
        QVERIFY(QFileInfo(root + "/Temp").isDir());
        QVERIFY(QFileInfo(root + "/Tickets").isDir());

        int lottoDraws = 0;
        {
            TKernel kernel;
            QCOMPARE(kernel.GetDataDir(), root + "/Data");
            QVERIFY(kernel.ResultsTable.Active());
            QVERIFY(kernel.HistoryTable.Active());
            lottoDraws = kernel.ResultsTable.RecordCount();
            QVERIFY(lottoDraws > 2000); // twice a week since 2000
            for (kernel.ResultsTable.First(); !kernel.ResultsTable.Eof();
                 kernel.ResultsTable.Next())
                QVERIFY(kernel.ResultsTable.AsString("DRAWDATE").toUpper() != " DRAWDATE");
            // The user's own change must survive the next start.
            kernel.ResultsTable.First();
            kernel.ResultsTable.Delete();
            QFile::remove(root + "/Templates/" + QDir(root + "/Templates").entryList().first());
        }
        QCOMPARE(Installation::ensureInstalled(settings), QStringList());
        TKernel kernel;
        QCOMPARE(kernel.ResultsTable.RecordCount(), lottoDraws - 1);
    }

    void openGameSwitchesOnlyTheResultsTable()
    {
        TestEnvironment env;
        TKestSettings settings;
        Installation::ensureInstalled(settings);
        TKernel kernel;
        const int lotto = kernel.ResultsTable.RecordCount();
        kernel.FavouriteTable.Append();
        kernel.FavouriteTable.SetField("FavouriteNr", 7);
        kernel.FavouriteTable.Post();
        QSignalSpy recalculated(&kernel, &TKernel::recalculated);
        kernel.OpenGame("NL00A2.DB");
        QCOMPARE(kernel.currentGame(), QString("NL00A2.DB"));
        QVERIFY(kernel.ResultsTable.RecordCount() < lotto); // the Plus started four years later
        QCOMPARE(kernel.FavouriteTable.RecordCount(), 1);
        QCOMPARE(recalculated.count(), 1);
        QVERIFY(kernel.HistoryStale);
        QVERIFY(kernel.SystemTimer.isActive());
    }

    void closingClosesEveryTableEvenWhileFiltered()
    {
        TestEnvironment env;
        TKestSettings settings;
        Installation::ensureInstalled(settings);
        TKernel kernel;
        kernel.ResultsTable.setFilter("(BALL1<'10')");
        kernel.ResultsTable.setFiltered(true);
        kernel.CloseTables();
        for (TKestTable* table : {&kernel.ResultsTable, &kernel.NumberTable, &kernel.BonusTable,
                                  &kernel.FavouriteTable, &kernel.HistoryTable})
            QVERIFY(!table->Active());
        QVERIFY(!kernel.SystemTimer.isActive());
    }
};

QTEST_GUILESS_MAIN(TestKernel)
#include "tst_kernel.moc"
