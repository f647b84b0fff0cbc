#include "gui/shell/KestInstance.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QWidget>

namespace {
constexpr QByteArrayView Request = "raise\n";
constexpr QByteArrayView Answer = "raised\n";

QString runtimeFile(const QString& suffix)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(QFileInfo(QCoreApplication::applicationFilePath()).fileName() +
                                 suffix);
}

void bringToFront(QWidget* window)
{
    if (window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}
} // namespace

TKestInstance::TKestInstance(QObject* parent)
    : QObject(parent)
    , m_lock(std::make_unique<QLockFile>(lockPath()))
{
    // Only a dead owner makes a lock stale, however old it is.
    m_lock->setStaleLockTime(0);
    // A lock that cannot be made at all (no runtime folder) guards nothing: run unguarded
    // rather than refuse to start.
    m_first = m_lock->tryLock(0) || m_lock->error() != QLockFile::LockFailedError;
    if (!m_first)
        return;
    m_server = new QLocalServer(this);
    // A socket file left by a copy that crashed would keep the server from listening.
    QLocalServer::removeServer(serverPath());
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (m_server->listen(serverPath()))
        connect(m_server, &QLocalServer::newConnection, this, &TKestInstance::answer);
    connect(qApp, &QApplication::focusChanged, this, [this] {
        QWidget* active = QApplication::activeWindow();
        if (active && active != m_main)
            m_lastActive = active;
    });
    connect(this, &TKestInstance::raiseRequested, this, &TKestInstance::raiseWindows);
}

TKestInstance::~TKestInstance() = default;

QString TKestInstance::lockPath()
{
    return runtimeFile(".lock");
}

QString TKestInstance::serverPath()
{
    return runtimeFile(".socket");
}

void TKestInstance::setMainWindow(QWidget* window)
{
    m_main = window;
}

bool TKestInstance::raisePriorInstance(int timeoutMs) const
{
    QLocalSocket socket;
    socket.connectToServer(serverPath());
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(Request.data(), Request.size());
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (socket.bytesAvailable() < Answer.size())
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    return socket.readAll().startsWith(Answer.data());
}

void TKestInstance::answer()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            if (socket->readLine() == Request.toByteArray()) {
                emit raiseRequested();
                socket->write(Answer.data(), Answer.size());
                socket->flush();
            }
            socket->disconnectFromServer();
        });
    }
}

void TKestInstance::raiseWindows()
{
    if (m_main)
        bringToFront(m_main);
    if (m_lastActive && m_lastActive->isVisible())
        bringToFront(m_lastActive);
}
