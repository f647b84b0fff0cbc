#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

class TKestTable;

// A private home for one test: settings file, XDG folders and a data folder inside one
// temporary folder, so that no test touches a real user's files.
class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();

    QString root() const { return m_dir.path(); }
    QString path(const QString& relative) const { return m_dir.filePath(relative); }
    QString configFile() const { return path("config/Drawsage.ini"); }

private:
    QTemporaryDir m_dir;
};

// Writes draws in the operator's results layout (header line first, newest draw first).
namespace TestData {
// The real 6/49 history shipped with the tests, newest first, limited to the newest `limit`
// draws when limit > 0. Prize and sales columns are 0; the date is written " d MMMM yyyy".
void writeRealHistoryResults(const QString& path, int limit = 0);
// `count` synthetic draws with valid distinct balls, for sizes the real history lacks.
void writeSyntheticResults(const QString& path, int count);
QString resultsHeader();
// Writes the bytes as the whole file and returns its path; a file that cannot be written ends
// the test run.
QString writeBytes(const QString& path, const QByteArray& bytes);
// The first-start installation with the sample database, in the current test home.
void installSample();
// Creates an empty table file in the folder and returns it open.
std::unique_ptr<TKestTable> newTable(const QString& folder, const QString& tableName);
} // namespace TestData
