#pragma once

#include <QString>

// Makes a folder read-only for the lifetime of the object. Root writes through permissions,
// so for root a read-only bind mount stands in; usable() is false where neither works.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(QString folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool usable() const { return m_state != State::Unusable; }

private:
    enum class State { Unusable, Mounted, Chmodded };
    QString m_folder;
    State m_state = State::Unusable;
};
