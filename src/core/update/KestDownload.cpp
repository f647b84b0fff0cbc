#include "core/update/KestDownload.h"

#include <QAuthenticator>
#include <QFileInfo>
#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringConverter>
#include <QTime>
#include <cmath>

namespace {

QString timeText(qint64 milliseconds)
{
    return QTime(0, 0).addMSecs(std::max<qint64>(milliseconds, 0)).toString("hh:mm:ss");
}

// Qt's network errors by their meaning. A response that arrived with an HTTP error status is
// handled before this: its body is the data.
qint32 resultOf(QNetworkReply::NetworkError error)
{
    using E = QNetworkReply::NetworkError;
    using namespace DownloadResult;
    switch (error) {
    case E::NoError:
        return Ok;
    case E::OperationCanceledError:
        return Aborted;
    case E::ConnectionRefusedError:
    case E::ProxyConnectionRefusedError:
        return CannotConnect;
    case E::HostNotFoundError:
    case E::ProxyNotFoundError:
        return ServerNotFound;
    case E::RemoteHostClosedError:
    case E::ProxyConnectionClosedError:
    case E::ProtocolFailure:
        return Interrupted;
    case E::TimeoutError:
    case E::ProxyTimeoutError:
        return TimedOut;
    case E::SslHandshakeFailedError:
    case E::InsecureRedirectError:
        return SecurityProblem;
    case E::TemporaryNetworkFailureError:
    case E::NetworkSessionFailedError:
    case E::BackgroundRequestNotAllowedError:
        return NoSession;
    case E::ContentNotFoundError:
    case E::ContentGoneError:
        return ObjectNotFound;
    case E::AuthenticationRequiredError:
    case E::ProxyAuthenticationRequiredError:
        return AuthenticationRequired;
    case E::ProtocolUnknownError:
        return UnknownProtocol;
    case E::ProtocolInvalidOperationError:
        return InvalidRequest;
    case E::TooManyRedirectsError:
        return CannotLoad;
    default:
        return DataNotAvailable;
    }
}

QByteArray encoded(const QString& text, TCodePageOption codepage)
{
    switch (codepage) {
    case TCodePageOption::UTF8:
        return text.toUtf8();
    case TCodePageOption::ThreadsAnsi:
        return text.toLocal8Bit();
    default:
        return text.toLatin1();
    }
}

} // namespace

TKestDownload::TKestDownload(QObject* parent)
    : QObject(parent)
{}

TKestDownload::~TKestDownload()
{
    // Transfers still running end quietly: their receivers may be gone with this component.
    OnComplete = nullptr;
    OnProgress = nullptr;
    Cancel();
}

QNetworkAccessManager& TKestDownload::network()
{
    if (!m_network) {
        m_network = new QNetworkAccessManager(this);
        m_network->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    }
    return *m_network;
}

void TKestDownload::Download(const QString& URL, const QString& FileName)
{
    m_cancelled = false;
    auto* transfer = new TBSCB(*this, URL, FileName);
    transfer->start();
}

void TKestDownload::Cancel()
{
    m_cancelled = true;
    emit cancelRequested();
}

TBSCB::TBSCB(TKestDownload& owner, const QString& url, const QString& fileName)
    : QObject(&owner)
    , m_owner(owner)
    , m_settings(owner)
    , m_url(QUrl::fromUserInput(url))
    , m_fileName(fileName)
{
    m_inactivity.setSingleShot(true);
    connect(&m_inactivity, &QTimer::timeout, this, [this] { abortWith(DownloadResult::TimedOut); });
    connect(&owner, &TKestDownload::cancelRequested, this,
            [this] { abortWith(DownloadResult::Aborted); });
}

void TBSCB::start()
{
    const QUrl given(m_url);
    if (!given.isValid() || given.host().isEmpty() ||
        (given.scheme() != "http" && given.scheme() != "https")) {
        complete(nullptr, DownloadResult::InvalidUrl);
        return;
    }
    if (m_owner.cancelled()) {
        complete(nullptr, DownloadResult::Aborted);
        return;
    }
    sendRequest();
}

QByteArray TBSCB::requestHeaders() const
{
    QByteArray block;
    if (!m_settings.UserAgent.isEmpty())
        block += "User-agent: " + m_settings.UserAgent.toLatin1() + "\r\n";
    const TKestDownloadRange& range = m_settings.Range;
    if (range.RangeBegin != 0 || range.RangeEnd != 0) {
        block += "Range: bytes=" + QByteArray::number(range.RangeBegin) + "-";
        if (range.RangeEnd != 0)
            block += QByteArray::number(range.RangeEnd);
        block += "\r\n";
    }
    for (const QString& line : m_settings.AdditionalHeader)
        block += line.toLatin1() + "\r\n";
    return block;
}

QByteArray TBSCB::body() const
{
    switch (m_settings.Method) {
    case TBindVerbOption::Post:
        return encoded(m_settings.PostData, m_settings.Codepage);
    case TBindVerbOption::Put: {
        QFile file(m_settings.PutFileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    default:
        return {};
    }
}

void TBSCB::sendRequest()
{
    TKestDownloadRange& range = m_settings.Range;
    if (!m_fileName.isEmpty()) {
        const QFileInfo existing(m_fileName);
        if (!existing.exists()) {
            range = {};
        } else {
            range.RangeEnd = 0;
            quint32 action = ResumeAction::Resume;
            if (m_owner.OnResume)
                m_owner.OnResume(this, m_fileName, action);
            if (action == ResumeAction::Skip) {
                m_completed = true; // not downloading is not a transfer that ends
                deleteLater();
                return;
            }
            range.RangeBegin = action == ResumeAction::StartOver ? 0 : existing.size();
        }
    }

    QNetworkRequest request(m_url);
    const QByteArray headers = requestHeaders();
    for (const QByteArray& line : headers.split('\n')) {
        const int colon = line.indexOf(':');
        if (colon > 0)
            request.setRawHeader(line.left(colon).trimmed(), line.mid(colon + 1).trimmed());
    }
    if (m_owner.OnBeginningTransaction) {
        const qint32 answer =
            m_owner.OnBeginningTransaction(this, m_url.toString(), QString::fromLatin1(headers));
        if (answer != DownloadResult::Ok) {
            complete(nullptr, answer);
            return;
        }
    }

    QNetworkAccessManager& network = m_owner.network();
    const QByteArray data = body();
    switch (m_settings.Method) {
    case TBindVerbOption::Post:
        m_reply = network.post(request, data);
        break;
    case TBindVerbOption::Put:
        m_reply = network.put(request, data);
        break;
    case TBindVerbOption::Custom:
        if (!m_settings.CustomVerb.isEmpty()) {
            m_reply = network.sendCustomRequest(request, m_settings.CustomVerb.toLatin1());
            break;
        }
        [[fallthrough]];
    case TBindVerbOption::Get:
        m_reply = network.get(request);
        break;
    }
    m_reply->setParent(this);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &TBSCB::onMetaData);
    connect(m_reply, &QIODevice::readyRead, this, &TBSCB::onReadyRead);
    connect(m_reply, &QNetworkReply::downloadProgress, this, &TBSCB::onProgress);
    connect(m_reply, &QNetworkReply::finished, this, &TBSCB::onFinished);
    connect(m_reply, &QNetworkReply::redirected, this,
            [this] { progress(0, 0, BindStatus::Redirecting); });
    connect(&network, &QNetworkAccessManager::authenticationRequired, this,
            [this](QNetworkReply* reply, QAuthenticator* authenticator) {
                if (reply != m_reply)
                    return;
                QString user = m_settings.Username;
                QString password = m_settings.Password;
                if (m_owner.OnAuthenticate &&
                    m_owner.OnAuthenticate(this, user, password) != DownloadResult::Ok)
                    return;
                if (user.isEmpty())
                    return; // no credentials: the transfer ends as refused
                authenticator->setUser(user);
                authenticator->setPassword(password);
            });
    connect(m_reply, &QNetworkReply::sslErrors, this, [this](const QList<QSslError>& errors) {
        // Going on despite a certificate problem needs the handler's explicit consent.
        QStringList texts;
        for (const QSslError& error : errors)
            texts << error.errorString();
        if (m_owner.OnSecurityProblem &&
            m_owner.OnSecurityProblem(this, texts.join('\n')) == DownloadResult::Ok)
            m_reply->ignoreSslErrors();
    });
    progress(0, 0, BindStatus::SendingRequest);
    if (m_settings.TimeOut > 0) {
        m_inactivity.setInterval(m_settings.TimeOut);
        m_inactivity.start();
    }
}

void TBSCB::onMetaData()
{
    if (m_responseHandled || !m_reply)
        return;
    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid())
        return;
    m_responseCode = status.toInt();
    if (m_responseCode >= 300 && m_responseCode < 400 && m_reply->hasRawHeader("Location"))
        return; // followed by the transport
    m_responseHandled = true;
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    m_contentLength = length.isValid() ? length.toLongLong() : -1;
    if (m_contentLength == 0) {
        complete(nullptr, DownloadResult::Ok);
        abortWith(DownloadResult::Ok);
        return;
    }
    if ((m_responseCode >= 400 && m_responseCode <= 499) || m_owner.cancelled()) {
        abortWith(DownloadResult::Aborted);
        return;
    }
    if (m_owner.OnResponse) {
        QStringList responseHeaders;
        for (const auto& [name, value] : m_reply->rawHeaderPairs())
            responseHeaders << QString::fromLatin1(name + ": " + value);
        const qint32 answer = m_owner.OnResponse(this, m_responseCode, responseHeaders.join("\r\n"),
                                                 QString::fromLatin1(requestHeaders()));
        if (answer != DownloadResult::Ok) {
            abortWith(answer);
            return;
        }
    }
    if (!openOutput())
        abortWith(DownloadResult::StorageAccess);
}

bool TBSCB::openOutput()
{
    if (m_fileName.isEmpty()) {
        m_outputOpen = m_memory.open(QIODevice::ReadWrite);
        return m_outputOpen;
    }
    m_file.setFileName(m_fileName);
    qint64& begin = m_settings.Range.RangeBegin;
    if (begin != 0 && m_responseCode == 206) {
        // Append only what continues the file exactly; a 200 carries the whole resource.
        const QByteArray contentRange = m_reply->rawHeader("Content-Range");
        const QByteArray first = contentRange.mid(contentRange.indexOf(' ') + 1).split('-').at(0);
        if (first.toLongLong() != begin || !m_file.open(QIODevice::ReadWrite))
            return false;
        m_file.seek(m_file.size());
    } else {
        begin = 0;
        if (!m_file.open(QIODevice::ReadWrite | QIODevice::Truncate))
            return false;
    }
    m_outputOpen = true;
    return true;
}

void TBSCB::onReadyRead()
{
    if (!m_started.isValid())
        m_started.start();
    if (m_owner.cancelled()) {
        abortWith(DownloadResult::Aborted);
        return;
    }
    if (m_inactivity.isActive())
        m_inactivity.start();
    if (m_completed || !m_responseHandled)
        return;
    QByteArray chunk = m_reply->readAll();
    const qint64 read = chunk.size();
    if (m_owner.OnData)
        m_owner.OnData(this, chunk);
    QIODevice& output = m_fileName.isEmpty() ? static_cast<QIODevice&>(m_memory) : m_file;
    if (output.write(chunk) != chunk.size()) {
        abortWith(DownloadResult::StorageAccess);
        return;
    }
    m_bytesRead += read;
}

void TBSCB::onProgress(qint64 received, qint64 total)
{
    if (m_completed || !m_responseHandled || received == 0)
        return;
    progress(quint64(received), quint64(std::max<qint64>(total, 0)), BindStatus::DownloadingData);
}

void TBSCB::progress(quint64 done, quint64 total, quint32 status)
{
    if (m_owner.cancelled()) {
        abortWith(DownloadResult::Aborted);
        return;
    }
    if (!m_owner.OnProgress)
        return;
    QString elapsed, speed, estimated;
    if (status == BindStatus::DownloadingData && m_started.isValid()) {
        const qint64 milliseconds = std::max<qint64>(m_started.elapsed(), 1);
        elapsed = timeText(milliseconds);
        // Bytes per millisecond are kilobytes per second; cut after the second decimal.
        const double perMillisecond = double(done) / double(milliseconds);
        const double shown = std::trunc(perMillisecond * 100) / 100;
        speed = QLocale().toString(shown, 'f', QLocale::FloatingPointShortest) + " kb/sec";
        if (total != 0 && perMillisecond > 0)
            estimated = timeText(qint64(double(total - std::min(done, total)) / perMillisecond));
    }
    const quint64 offset = quint64(m_settings.Range.RangeBegin);
    m_owner.OnProgress(this, done + offset, total + offset, status, BindStatusText(status), elapsed,
                       speed, estimated);
}

void TBSCB::abortWith(qint32 result)
{
    if (!m_reply || m_reply->isFinished())
        return;
    if (!m_completed && m_abortResult == DownloadResult::Ok)
        m_abortResult = result;
    m_reply->abort();
}

void TBSCB::onFinished()
{
    m_inactivity.stop();
    if (m_completed) {
        deleteLater();
        return;
    }
    qint32 result = DownloadResult::Ok;
    if (m_abortResult != DownloadResult::Ok ||
        m_reply->error() == QNetworkReply::OperationCanceledError)
        result = m_abortResult != DownloadResult::Ok ? m_abortResult : DownloadResult::Aborted;
    else if (!m_responseHandled || m_reply->error() < QNetworkReply::ContentAccessDenied ||
             m_reply->error() > QNetworkReply::UnknownServerError)
        result = resultOf(m_reply->error());
    if (result == DownloadResult::Ok && m_reply->bytesAvailable() > 0)
        onReadyRead();
    // A body shorter than announced did not arrive, whatever the connection said.
    const bool identity = m_reply->rawHeader("Content-Encoding").isEmpty() ||
                          m_reply->rawHeader("Content-Encoding") == "identity";
    if (result == DownloadResult::Ok && identity && m_contentLength > 0 &&
        m_bytesRead != m_contentLength)
        result = DownloadResult::Interrupted;
    if (result == DownloadResult::Ok && m_started.isValid())
        progress(quint64(m_bytesRead), quint64(m_bytesRead), BindStatus::EndDownloadData);

    if (m_outputOpen) {
        QIODevice& output = m_fileName.isEmpty() ? static_cast<QIODevice&>(m_memory) : m_file;
        output.seek(0);
        complete(&output, result);
        output.close();
    } else {
        complete(nullptr, result);
    }
    deleteLater();
}

void TBSCB::complete(QIODevice* stream, qint32 result)
{
    if (m_completed)
        return;
    m_completed = true;
    m_inactivity.stop();
    if (!m_owner.OnComplete)
        return;
    try {
        m_owner.OnComplete(this, stream, result);
    } catch (...) {
        // A handler's error does not leave the transfer.
    }
}

QString BindStatusText(quint32 statusCode)
{
    static const char* const texts[] = {"Finding resource...",
                                        "Connecting to server...",
                                        "Server redirecting client...",
                                        "Beginning to download data...",
                                        "Downloading data...",
                                        "Ending data download...",
                                        "Beginning to download components...",
                                        "Installing components...",
                                        "Ending component download...",
                                        "Using cached copy...",
                                        "Sending request...",
                                        "CLSID available...",
                                        "MIME type available...",
                                        "Cache file name available..."};
    if (statusCode >= 1 && statusCode <= std::size(texts))
        return texts[statusCode - 1];
    return "Bindstatus Unknown";
}

QString HttpStatusText(int statusCode)
{
    switch (statusCode) {
    case 100:
        return "Continue";
    case 101:
        return "Switching Protocols";
    case 200:
        return "OK";
    case 201:
        return "Created";
    case 202:
        return "Accepted";
    case 203:
        return "Non-Authoritative Information";
    case 204:
        return "No Content";
    case 205:
        return "Reset Content";
    case 206:
        return "Partial Content";
    case 300:
        return "Multiple Choices";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Moved Temporarily";
    case 303:
        return "See Other";
    case 304:
        return "Not Modified";
    case 305:
        return "Use Proxy";
    case 400:
        return "Bad Request";
    case 401:
        return "Unauthorized";
    case 402:
        return "Payment Required";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 406:
        return "None Acceptable";
    case 407:
        return "Proxy Authentication Required";
    case 408:
        return "Request Timeout";
    case 409:
        return "Conflict";
    case 410:
        return "Gone";
    case 411:
        return "Length Required";
    case 412:
        return "Precondition Failed";
    case 413:
        return "Request Entity Too Large";
    case 414:
        return "Request-URI Too Long";
    case 415:
        return "Unsupported Media Type";
    case 416:
        return "Requested Range Not Satisfiable";
    case 417:
        return "Expectation Failed";
    case 500:
        return "Internal Server Error";
    case 501:
        return "Not Implemented";
    case 502:
        return "Bad Gateway";
    case 503:
        return "Service Unavailable";
    case 504:
        return "Gateway Timeout";
    case 505:
        return "HTTP Version Not Supported";
    default:
        return "Unknown Response";
    }
}

QString ResultText(qint32 result)
{
    switch (quint32(result)) {
    case 0:
        return "Download complete...";
    case 0x80004004:
        return "Cancelled ...";
    case 0x80030005:
        return "Unable to access the storage object.";
    case 0x800401E0:
        return "The operation was unable to connect to the storage, possibly because a network "
               "device could not be connected to. For more information, see "
               "IMoniker::BindToObject.";
    case 0x800401E1:
        return "The operation could not be completed within the time limit specified by the bind "
               "context's BIND_OPTS structure.";
    case 0x800401E4:
        return "A moniker could not be created because of invalid URL syntax.";
    case 0x800401E7:
        return "An intermediate object was found but it did not support an interface required for "
               "an operation. For example, an item moniker returns this value if its container "
               "does not support the IOleItemContainer interface.";
    case 0x800401ED:
        return "The object identified by the moniker does not have its own storage.";
    case 0x8007000E:
        return "There was insufficient memory ...";
    case 0x80070057:
        return "One or more parameters are invalid.";
    case 0x800C0002:
        return "The URL could not be parsed.";
    case 0x800C0003:
        return "No Internet session was established.";
    case 0x800C0004:
        return "The attempt to connect to the Internet has failed.";
    case 0x800C0005:
        return "The server or proxy was not found.";
    case 0x800C0006:
        return "The object was not found.";
    case 0x800C0007:
        return "An Internet connection was established, but the data cannot be retrieved.";
    case 0x800C0008:
        return "The download has failed (the connection was interrupted).";
    case 0x800C0009:
        return "Authentication is needed to access the object.";
    case 0x800C000A:
        return "The object is not in one of the acceptable MIME types.";
    case 0x800C000B:
        return "The Internet connection has timed out.";
    case 0x800C000C:
        return "The request was invalid.";
    case 0x800C000D:
        return "The protocol is not known and no pluggable protocols have been entered that match.";
    case 0x800C000E:
        return "A security problem was encountered.";
    case 0x800C000F:
        return "The object could not be loaded.";
    case 0x800C0010:
        return "CoCreateInstance failed.";
    case 0x800C0011:
        return "Use the default action.";
    case 0x800C0013:
        return "The requested option is unknown.";
    case 0x800C0014:
        return "The request is being redirected.";
    case 0x800C0015:
        return "The request is being redirected to a directory.";
    case 0x800C0016:
        return "The requested resource could not be locked.";
    default:
        return "Error: " + QString::number(result);
    }
}
