#pragma once

#include "core/update/KestDownload.h"

#include <QObject>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

class TKestSettings;

// One of the two games an update brings up to date.
struct ResultsGame {
    QString name;       // "National Lotto"
    QString tableName;  // its draw table file
    QString remotePath; // on the results server
    QString tempFile;   // in the temporary folder
};

// The update of both game tables from the operator's results server: both files are
// downloaded at once, then each game whose file arrived whole replaces its draws with it.
// A game whose file did not (an HTTP error, an error page, a broken or silent connection, a
// file that does not import) keeps its draws untouched, and the reason goes to the error list.
class ResultsUpdate : public QObject {
    Q_OBJECT

public:
    static constexpr int GameCount = 2;
    static constexpr auto ServerSetting = "ResultsServer";
    // Where tools/serve-results.sh serves the sample files.
    static constexpr auto DefaultServer = "http://127.0.0.1:8049";
    // A server that stops answering for this long has failed.
    static constexpr int DefaultTimeOut = 30000;
    static constexpr auto ErrorHeading = "Drawsage encountered the following error(s) :";

    static const std::array<ResultsGame, GameCount>& games();
    // The ResultsServer setting, or the default when it is not set.
    static QString server(const TKestSettings& settings);
    // Why an address cannot be the results server, or empty when it can: it must be an http or
    // https address with a host and, as the paths are fixed, nothing after the port.
    static QString serverProblem(const QString& server);

    // Lets pending events through at most every interval milliseconds: what a window passes
    // to install so that it stays responsive without slowing the passes down.
    static std::function<void()> eventPump(int interval = 10);

    explicit ResultsUpdate(QObject* parent = nullptr);
    ~ResultsUpdate() override;

    void setTimeOut(int milliseconds) { m_timeOut = milliseconds; }
    // Deletes both temporary files, then starts both downloads.
    void start(const QString& server, const QString& tempFolder);
    void cancel();
    bool downloading() const { return m_running > 0; }
    bool usable(int game) const { return m_transfers[game].usable; }
    bool anyUsable() const { return usable(0) || usable(1); }
    // Why a game's file is not usable, once its download has ended.
    QString reason(int game) const { return m_transfers[game].reason; }
    QStringList errorLines() const { return m_errorLines; }

    // Replaces the draws of each game whose file is usable, one transaction per table, in the
    // data folder's table files. Returns how many games were updated. memo receives the lines
    // of the update step; keepResponsive is called during the long passes.
    int install(const QString& dataFolder, const std::function<void(const QString&)>& memo,
                const std::function<void()>& keepResponsive = {});

signals:
    // Download progress of one game: bytes so far and in all, and the speed and remaining
    // time texts.
    void progress(int game, qint64 done, qint64 total, const QString& speed,
                  const QString& estimated);
    void downloaded(int game, bool usable);
    void errorAdded(const QString& reason);
    // Both downloads have ended, well or not.
    void finished();

private:
    struct Transfer {
        std::unique_ptr<TKestDownload> download;
        QString file;
        bool usable = false;
        QString reason;
    };

    void completed(int game, TBSCB* sender, qint32 result);
    void addError(int game, const QString& reason);

    std::array<Transfer, GameCount> m_transfers;
    QStringList m_errorLines;
    int m_running = 0;
    int m_timeOut = DefaultTimeOut;
};
