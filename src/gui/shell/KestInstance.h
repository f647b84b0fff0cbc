#pragma once

#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <memory>

class QLocalServer;
class QWidget;

// The single-instance guard. Every copy of the program tries to take a lock file named after
// its executable in the user's runtime folder; the one that holds it listens on a local socket
// beside it, through which a later copy asks it to come to the front. A lock left behind by a
// copy that crashed is recognised by its dead process and taken over.
class TKestInstance : public QObject {
    Q_OBJECT

public:
    explicit TKestInstance(QObject* parent = nullptr);
    ~TKestInstance() override;

    // True when this process holds the lock: it is the program's first copy.
    bool isFirst() const { return m_first; }
    // For a later copy: asks the first to raise its window; false when it did not answer.
    bool raisePriorInstance(int timeoutMs = 5000) const;
    // The first copy's main window, raised and restored on request together with the last
    // secondary window that was active.
    void setMainWindow(QWidget* window);

    // The lock file and the socket, named after the executable's file name.
    static QString lockPath();
    static QString serverPath();

signals:
    void raiseRequested();

private:
    void answer();
    void raiseWindows();

    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
    QPointer<QWidget> m_main;
    QPointer<QWidget> m_lastActive;
    bool m_first = false;
};
