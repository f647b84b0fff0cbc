#include "BenchData.h"

#include "core/kernel/KestError.h"
#include "core/kernel/KestTable.h"
#include "core/kernel/TableSchema.h"
#include "core/update/ResultsFile.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStringList>

#include <algorithm>

namespace BenchData {

QString writeResultsFile(const QString& folder, int draws, const QString& fileName)
{
    const QString path = QDir(folder).filePath(fileName);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw TKestError(QString("Cannot write %1").arg(path));
    QByteArray text = QByteArray(ResultsFileMap).replace(",", ", ") + "\r\n";
    quint32 state = 2463534242u;
    const auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    const QDate first(1982, 6, 12);
    for (int key = draws; key >= 1; --key) {
        int balls[7];
        for (int i = 0; i < 7; ++i) {
            do
                balls[i] = int(next() % 49) + 1;
            while (std::find(balls, balls + i, balls[i]) != balls + i);
        }
        QStringList cells{QString::number(key),
                          QLocale::c().toString(first.addDays(3 * key), " d MMMM yyyy")};
        for (const int ball : balls)
            cells << QString::number(ball);
        for (int division = 1; division <= 7; ++division)
            cells << QString::number(double(next() % 100000000) / 100, 'f', 2);
        for (int division = 1; division <= 7; ++division)
            cells << QString::number(next() % (division * 1000));
        cells << "12345678.90"
              << "0"
              << "0"
              << " N"
              << "23456789.00"
              << " A" << QString::number(next() % 9 + 1) << "5000000"
              << "0";
        text += cells.join(',').toLatin1() + "\r\n";
        if (text.size() > (1 << 20)) {
            file.write(text);
            text.clear();
        }
    }
    if (file.write(text) != text.size())
        throw TKestError(QString("Cannot write %1").arg(path));
    return path;
}

QString makeDrawTable(const QString& folder, const QString& tableName, int draws)
{
    Tables::createTableFile(QDir(folder).filePath(tableName), tableName);
    if (draws > 0) {
        const QString results = writeResultsFile(folder, draws, tableName + ".csv");
        TKestTable table;
        table.setDatabasePath(folder);
        table.setTableName(tableName);
        importResultsFile(table, results);
        QFile::remove(results);
    }
    return folder;
}

} // namespace BenchData

namespace BenchData {

DrawTables::DrawTables(int draws)
{
    makeDrawTable(folder.path(), Tables::Lotto, draws);
    for (const char* name : {Tables::Numbers, Tables::Bonus, Tables::History})
        Tables::createTableFile(QDir(folder.path()).filePath(name), name);
    const std::pair<TKestTable*, const char*> tables[] = {{&results, Tables::Lotto},
                                                          {&numbers, Tables::Numbers},
                                                          {&bonus, Tables::Bonus},
                                                          {&history, Tables::History}};
    for (const auto& [table, name] : tables) {
        table->setDatabasePath(folder.path());
        table->setTableName(name);
        table->Open();
    }
}

DrawTables::~DrawTables() = default;

} // namespace BenchData
