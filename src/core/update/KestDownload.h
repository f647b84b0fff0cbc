#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <functional>

class QIODevice;
class QNetworkAccessManager;
class QNetworkReply;
class TKestDownload;
class TBSCB;

enum class TCodePageOption { Ansi, OEM, Mac, ThreadsAnsi, Symbol, UTF7, UTF8 };
enum class TBindVerbOption { Get = 0, Post = 1, Put = 2, Custom = 3 };

// Result codes of a transfer: 0 is success, the others are the transport's failure codes.
namespace DownloadResult {
inline constexpr qint32 Ok = 0;
inline constexpr qint32 Aborted = qint32(0x80004004);
inline constexpr qint32 InvalidUrl = qint32(0x800401E4);
inline constexpr qint32 OutOfMemory = qint32(0x8007000E);
inline constexpr qint32 NoSession = qint32(0x800C0003);
inline constexpr qint32 CannotConnect = qint32(0x800C0004);
inline constexpr qint32 ServerNotFound = qint32(0x800C0005);
inline constexpr qint32 ObjectNotFound = qint32(0x800C0006);
inline constexpr qint32 DataNotAvailable = qint32(0x800C0007);
inline constexpr qint32 Interrupted = qint32(0x800C0008);
inline constexpr qint32 AuthenticationRequired = qint32(0x800C0009);
inline constexpr qint32 TimedOut = qint32(0x800C000B);
inline constexpr qint32 InvalidRequest = qint32(0x800C000C);
inline constexpr qint32 UnknownProtocol = qint32(0x800C000D);
inline constexpr qint32 SecurityProblem = qint32(0x800C000E);
inline constexpr qint32 CannotLoad = qint32(0x800C000F);
inline constexpr qint32 StorageAccess = qint32(0x80030005);
} // namespace DownloadResult

// Progress status codes of OnProgress.
namespace BindStatus {
inline constexpr quint32 Connecting = 2;
inline constexpr quint32 Redirecting = 3;
inline constexpr quint32 BeginDownloadData = 4;
inline constexpr quint32 DownloadingData = 5;
inline constexpr quint32 EndDownloadData = 6;
inline constexpr quint32 SendingRequest = 11;
} // namespace BindStatus

// What OnResume may answer: start over, do not download, or (any other value) resume.
namespace ResumeAction {
inline constexpr quint32 Resume = 0;
inline constexpr quint32 StartOver = 1;
inline constexpr quint32 Skip = 2;
} // namespace ResumeAction

struct TKestDownloadRange {
    qint64 RangeBegin = 0;
    qint64 RangeEnd = 0; // 0: to the end of the resource
};

using TDownloadProgressEvent = std::function<void(
    TBSCB* Sender, quint64 ulProgress, quint64 ulProgressMax, quint32 ulStatusCode,
    const QString& szStatusText, const QString& ElapsedTime, const QString& Speed,
    const QString& EstimatedTime)>;
using TDownloadResumeEvent =
    std::function<void(TBSCB* Sender, const QString& Filename, quint32& Action)>;
using TDownloadBeginningTransactionEvent =
    std::function<qint32(TBSCB* Sender, const QString& szURL, const QString& szHeaders)>;
using TDownloadResponseEvent =
    std::function<qint32(TBSCB* Sender, int dwResponseCode, const QString& szResponseHeaders,
                         const QString& szRequestHeaders)>;
using TDownloadAuthenticateEvent =
    std::function<qint32(TBSCB* Sender, QString& szUserName, QString& szPassWord)>;
// Stream is the received data positioned at its start, or nullptr when nothing was stored.
using TDownloadCompleteEvent = std::function<void(TBSCB* Sender, QIODevice* Stream, qint32 Result)>;
using TDownloadDataEvent = std::function<void(TBSCB* Sender, QByteArray& Buffer)>;
using TDownloadSecurityProblemEvent = std::function<qint32(TBSCB* Sender, const QString& problem)>;

// The request settings a transfer copies when it starts, so that later changes to the
// component do not affect it.
struct TKestDownloadSettings {
    int TimeOut = 0; // milliseconds of inactivity; 0 = none
    QString CustomVerb;
    TCodePageOption Codepage = TCodePageOption::Ansi;
    TBindVerbOption Method = TBindVerbOption::Get;
    TKestDownloadRange Range;
    QString Password;
    QString Username;
    QString PutFileName;
    QStringList AdditionalHeader{QStringLiteral("Content-Type: application/x-www-form-urlencoded")};
    QString PostData;
    QString UserAgent = QStringLiteral("Mozilla/5.0 (X11; Linux x86_64) Drawsage");
};

// Fetches one URL at a time into a file, or into memory when no file name is given, without
// blocking the event loop. Every event arrives on the thread that owns the component, with
// the transfer as Sender. Every started transfer ends with exactly one OnComplete, except one
// that OnResume told not to download.
class TKestDownload : public QObject, public TKestDownloadSettings {
    Q_OBJECT

public:
    explicit TKestDownload(QObject* parent = nullptr);
    ~TKestDownload() override;

    void Download(const QString& URL, const QString& FileName);
    // Stops every running transfer of this component; the next Download clears it again.
    void Cancel();
    bool cancelled() const { return m_cancelled; }
    QNetworkAccessManager& network();

    TDownloadProgressEvent OnProgress;
    TDownloadResumeEvent OnResume;
    TDownloadBeginningTransactionEvent OnBeginningTransaction;
    TDownloadResponseEvent OnResponse;
    TDownloadAuthenticateEvent OnAuthenticate;
    TDownloadCompleteEvent OnComplete;
    TDownloadDataEvent OnData;
    TDownloadSecurityProblemEvent OnSecurityProblem;

signals:
    void cancelRequested();

private:
    bool m_cancelled = false;
    QNetworkAccessManager* m_network = nullptr;
};

// One transfer of a TKestDownload.
class TBSCB : public QObject {
    Q_OBJECT

public:
    TBSCB(TKestDownload& owner, const QString& url, const QString& fileName);

    void start();
    // The HTTP status code of the last response; 0 before one arrived.
    int ResponseCode() const { return m_responseCode; }
    QUrl url() const { return m_url; }
    // The value of the last response's Content-Length, or -1 when it sent none.
    qint64 contentLength() const { return m_contentLength; }
    // Bytes of the response body read so far.
    qint64 bytesRead() const { return m_bytesRead; }
    qint64 rangeBegin() const { return m_settings.Range.RangeBegin; }

private:
    void sendRequest();
    QByteArray requestHeaders() const;
    QByteArray body() const;
    void onMetaData();
    void onReadyRead();
    void onProgress(qint64 received, qint64 total);
    void onFinished();
    void abortWith(qint32 result);
    void complete(QIODevice* stream, qint32 result);
    void progress(quint64 done, quint64 total, quint32 status);
    bool openOutput();

    TKestDownload& m_owner;
    TKestDownloadSettings m_settings;
    QUrl m_url;
    QString m_fileName;
    QFile m_file;
    QBuffer m_memory;
    QPointer<QNetworkReply> m_reply;
    QTimer m_inactivity;
    QElapsedTimer m_started; // from the first data
    qint64 m_bytesRead = 0;
    qint64 m_contentLength = -1;
    int m_responseCode = 0;
    bool m_responseHandled = false;
    bool m_outputOpen = false;
    bool m_completed = false;
    qint32 m_abortResult = 0; // the result an abort of our own ends with
};

// The texts callers show for a progress status, an HTTP status and a result code.
QString BindStatusText(quint32 statusCode);
QString HttpStatusText(int statusCode);
QString ResultText(qint32 result);
