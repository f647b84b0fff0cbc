#include "ReadOnlyFolder.h"

#include <QProcess>

#include <unistd.h>

ReadOnlyFolder::ReadOnlyFolder(QString folder)
    : m_folder(std::move(folder))
{
    if (geteuid() != 0) {
        if (QProcess::execute("chmod", {"-R", "a-w", m_folder}) == 0)
            m_state = State::Chmodded;
        return;
    }
    if (QProcess::execute("mount", {"--bind", m_folder, m_folder}) != 0)
        return;
    if (QProcess::execute("mount", {"-o", "remount,ro,bind", m_folder}) != 0) {
        QProcess::execute("umount", {m_folder});
        return;
    }
    m_state = State::Mounted;
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (m_state == State::Mounted)
        QProcess::execute("umount", {m_folder});
    else if (m_state == State::Chmodded)
        QProcess::execute("chmod", {"-R", "u+w", m_folder});
}
