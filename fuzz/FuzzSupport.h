#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

// What every harness needs: a Qt application for the duration of the run and a scratch
// folder to hand inputs to the readers as files, the way users hand them over.
namespace Fuzz {

inline QTemporaryDir& scratch()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    // In memory where the system offers it: the readers' files and the table's fsyncs would
    // otherwise make up most of each run.
    static QTemporaryDir dir(QFile::exists("/dev/shm")
                                 ? "/dev/shm/drawsage-fuzz-XXXXXX"
                                 : QDir::tempPath() + "/drawsage-fuzz-XXXXXX");
    return dir;
}

inline QString inputFile(const uint8_t* data, size_t size, const QString& name)
{
    const QString path = scratch().filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    return path;
}

// A broken invariant is a finding: libFuzzer keeps the input that caused it.
inline void require(bool holds)
{
    if (!holds)
        std::abort();
}

} // namespace Fuzz
