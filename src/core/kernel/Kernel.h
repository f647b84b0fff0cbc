#pragma once

#include "core/kernel/KestAlias.h"
#include "core/kernel/KestSettings.h"
#include "core/kernel/KestTable.h"
#include "core/stats/Statistics.h"

#include <QObject>
#include <QTimer>

// The program's one data module: the five tables, the settings, the timers and the random
// seeding. It has no windows of its own: notices and the "calculating" state go out as
// signals for the main window to show.
class TKernel : public QObject {
    Q_OBJECT
public:
    // Creation seeds the random source, points the alias "Drawsage" at the data folder and
    // opens the tables; a table that cannot be opened is reported through errorOccurred and
    // the tables after it stay closed.
    explicit TKernel(QObject* parent = nullptr);
    ~TKernel() override;

    // The kernel of the running program, or nullptr before it exists.
    static TKernel* instance();

    TKestTable ResultsTable;
    TKestTable NumberTable;
    TKestTable BonusTable;
    TKestTable FavouriteTable;
    TKestTable HistoryTable;
    TKestSettings Settings;
    TKestAlias DataAlias;

    QTimer SystemTimer;
    QTimer ScrollTimer;
    QTimer RandomTimer;

    // Set by every statistics rebuild and by opening the tables; the frequency history
    // window rebuilds the history table when it is set.
    bool HistoryStale = true;

    // The statistics of the current game, from the last rebuild (all zero before the first).
    TStatistics Stats;
    // Set by the main window so that pending events get through during the long passes.
    KeepResponsive keepResponsive;

    static constexpr auto DatabaseName = "Drawsage";

    // Throws TKestError when a table cannot be opened; the tables after it stay closed.
    void OpenTables();
    void CloseTables();
    // "NL00A1.DB" or "NL00A2.DB". Throws TKestError when that game's tables cannot be opened;
    // the game that was open is then open again.
    void OpenGame(const QString& fileName);
    QString currentGame() const { return ResultsTable.tableName(); }
    // The folder of the tables: DataDir as it was read when the kernel was created.
    QString DataFolder() const { return m_dataFolder; }

    // Deletes every row; failures are swallowed, the open state is restored.
    static void EmptyTable(TKestTable& table);
    // A prefix match on one field, or, with field and value empty, filtering switched off.
    static void ApplyFieldFilter(TKestTable& table, const QString& fieldName, const QString& op,
                                 const QString& value, bool enable);

    // Settings. A file that cannot be opened shows "Unable to find required registry
    // information." and gives the empty or zero result. A missing or mistyped number throws
    // TKestError.
    QString GetDataDir() { return readText("DataDir"); }
    QString GetTempDir() { return readText("TempDir"); }
    QString GetFilterDir() { return readText("FilterDir"); }
    QString GetTemplatesDir() { return readText("Templates"); }
    QString GetTicketDir() { return readText("TicketDir"); }
    QString GetCacheDir();
    int ReadSettingInteger(const QString& name);
    double ReadSettingFloat(const QString& name);
    void WriteSettingInteger(const QString& name, int value);
    void WriteSettingFloat(const QString& name, double value);

    void ShowNotice(const QString& text);
    void ShowCalculating();
    // Rebuilds the statistics and frequency tables from the draws, then tells the windows. A
    // rebuild that fails keeps the previous statistics, silently.
    void RecalculateAll(NewsLine news = NewsLine::Compose);
    // Refills the history table if a rebuild has made it stale since. On failure the notice
    // HistoryFailure goes out, the history stays stale, and the result is false.
    bool RebuildHistory(const ProgressReport& progress = {});

    static constexpr auto SettingsFailure = "Unable to find required registry information.";
    static constexpr auto SettingsReadOnly =
        "The settings file %1 cannot be written. Drawsage runs with the folders it names, "
        "but changed preferences will not be kept.";
    static constexpr auto HistoryFailure = "Unable to process the requested information";

signals:
    void noticeRequested(const QString& text);
    void calculating();
    void recalculated();
    // An error nothing caught, for the application's error report.
    void errorOccurred(const QString& message);

private:
    QString m_dataFolder;
    bool m_creating = true;
    bool m_recalculating = false;
    bool m_recalculateAgain = false;

    QString readText(const QString& name);
    std::optional<QVariant> readNumber(const QString& name, QMetaType::Type type);
    void pointAliasAtDataDir();
};
