#include "core/update/ResultsUpdate.h"

#include "core/kernel/KestError.h"
#include "core/kernel/KestSettings.h"
#include "core/kernel/KestTable.h"
#include "core/kernel/TableSchema.h"
#include "core/update/ResultsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QUrl>

namespace {

constexpr qint64 MaxHeaderLine = 64 * 1024;

// A first look before any table is touched: the results header first, then at least one more
// line. The import checks everything again inside its transaction.
bool looksLikeResultsFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> header = file.readLine(MaxHeaderLine).split(',');
    if (header.size() < 2 || header.at(1).toUpper() != " DRAWDATE")
        return false;
    while (!file.atEnd()) {
        if (!file.readLine(MaxHeaderLine).trimmed().isEmpty())
            return true;
    }
    return false;
}

// Opens a game's table, replaces its draws with the file's and closes it, letting events
// through between the steps, as opening and closing wait on the disk.
void replaceDraws(const QString& dataFolder, const QString& tableName, const QString& file,
                  const std::function<void()>& keepResponsive)
{
    const auto letEventsThrough = [&keepResponsive] {
        if (keepResponsive)
            keepResponsive();
    };
    TKestTable table;
    table.setDatabasePath(dataFolder);
    table.setTableName(tableName);
    table.Open();
    letEventsThrough();
    importResultsFile(table, file, keepResponsive);
    table.Close();
    letEventsThrough();
}

} // namespace

const std::array<ResultsGame, ResultsUpdate::GameCount>& ResultsUpdate::games()
{
    static const std::array<ResultsGame, GameCount> list{
        ResultsGame{"National Lotto", Tables::Lotto, "/lotto/clientfiles/lotto/lottoresults.csv",
                    "update.tmp"},
        ResultsGame{"National Lotto Plus", Tables::LottoPlus,
                    "/lotto/clientfiles/lotto/lottoplusresults.csv", "updateplus.tmp"}};
    return list;
}

QString ResultsUpdate::server(const TKestSettings& settings)
{
    const QString value = settings.read(ServerSetting).value_or(QVariant()).toString().trimmed();
    return value.isEmpty() ? QString(DefaultServer) : value;
}

QString ResultsUpdate::serverProblem(const QString& server)
{
    const QUrl url(server.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (url.isValid() && (scheme == "http" || scheme == "https") && !url.host().isEmpty() &&
        (url.path().isEmpty() || url.path() == "/") && !url.hasQuery() && !url.hasFragment())
        return {};
    return QString("\"%1\" is not a usable results server: give an http:// or https:// address "
                   "with a host name and, if needed, a port, such as %2")
        .arg(server, DefaultServer);
}

std::function<void()> ResultsUpdate::eventPump(int interval)
{
    auto sinceEvents = std::make_shared<QElapsedTimer>();
    sinceEvents->start();
    return [sinceEvents, interval] {
        if (sinceEvents->elapsed() >= interval) {
            QCoreApplication::processEvents();
            sinceEvents->restart();
        }
    };
}

ResultsUpdate::ResultsUpdate(QObject* parent)
    : QObject(parent)
{}

ResultsUpdate::~ResultsUpdate() = default;

void ResultsUpdate::start(const QString& server, const QString& tempFolder)
{
    cancel();
    m_errorLines.clear();
    QString base = server.trimmed();
    while (base.endsWith('/'))
        base.chop(1);
    m_running = GameCount;
    for (int game = 0; game < GameCount; ++game) {
        Transfer& transfer = m_transfers[game];
        transfer = {};
        transfer.file = QDir(tempFolder).filePath(games()[game].tempFile);
        // A fresh download every time, never a resumed one.
        QFile::remove(transfer.file);
        transfer.download = std::make_unique<TKestDownload>();
        TKestDownload& download = *transfer.download;
        download.TimeOut = m_timeOut;
        download.UserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Win32)";
        download.OnProgress = [this, game](TBSCB*, quint64 done, quint64 total, quint32 status,
                                           const QString&, const QString&, const QString& speed,
                                           const QString& estimated) {
            if (status == BindStatus::DownloadingData)
                emit progress(game, qint64(done), qint64(total), speed, estimated);
        };
        download.OnComplete = [this, game](TBSCB* sender, QIODevice*, qint32 result) {
            completed(game, sender, result);
        };
    }
    for (int game = 0; game < GameCount; ++game)
        m_transfers[game].download->Download(base + games()[game].remotePath,
                                             m_transfers[game].file);
}

void ResultsUpdate::cancel()
{
    for (Transfer& transfer : m_transfers) {
        if (transfer.download)
            transfer.download->Cancel();
    }
}

void ResultsUpdate::completed(int game, TBSCB* sender, qint32 result)
{
    Transfer& transfer = m_transfers[game];
    const int status = sender->ResponseCode();
    if (result != DownloadResult::Ok) {
        addError(game, status > 400 ? HttpStatusText(status) : ResultText(result));
    } else if (status != 200 && status != 206) {
        // The downloader takes an error page as data; it is not the results.
        addError(game, HttpStatusText(status));
    } else if (!looksLikeResultsFile(transfer.file)) {
        addError(game,
                 QString("%1 is not a results file").arg(QDir::toNativeSeparators(transfer.file)));
    } else {
        transfer.usable = true;
    }
    emit downloaded(game, transfer.usable);
    if (--m_running == 0)
        emit finished();
}

void ResultsUpdate::addError(int game, const QString& reason)
{
    m_transfers[game].reason = reason;
    m_errorLines << ErrorHeading << reason;
    emit errorAdded(reason);
}

int ResultsUpdate::install(const QString& dataFolder,
                           const std::function<void(const QString&)>& memo,
                           const std::function<void()>& keepResponsive)
{
    int updated = 0;
    memo("Please wait while Drawsage updates the needed file(s)...");
    for (int game = 0; game < GameCount; ++game) {
        const ResultsGame& about = games()[game];
        Transfer& transfer = m_transfers[game];
        memo({});
        memo(QString("Updating the South African %1 Database").arg(about.name));
        if (transfer.usable) {
            try {
                replaceDraws(dataFolder, about.tableName, transfer.file, keepResponsive);
                memo("Verifying new data");
                ++updated;
                continue;
            } catch (const TKestError& error) {
                transfer.usable = false;
                addError(game, error.message());
            }
        }
        memo(QString("The %1 Database was kept as it was: %2").arg(about.name, transfer.reason));
    }
    memo({});
    memo("Update has completed...");
    return updated;
}
