#include "RealHistory.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

namespace RealHistory {

namespace {

std::vector<Draw> readDraws()
{
    QFile file(path());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("Cannot read the real history %s", qPrintable(path()));
    // "Month Day, Year",n1,...,n6,bonus: the date is quoted because of its comma. Months are
    // told by their first three letters, since the file misspells one ("Febraury").
    const QRegularExpression pattern("^\"([A-Za-z]{3})[A-Za-z]* (\\d+), (\\d+)\"" +
                                     QString(",(\\d+)").repeated(7) + "$");
    std::vector<Draw> draws;
    QTextStream in(&file);
    in.readLine(); // column names
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty())
            continue;
        const QRegularExpressionMatch match = pattern.match(line);
        Draw draw;
        if (match.hasMatch()) {
            draw.date = QDate::fromString(match.captured(1) + ' ' + match.captured(2) + ' ' +
                                              match.captured(3),
                                          "MMM d yyyy");
        }
        if (!draw.date.isValid())
            qFatal("Malformed line in %s: %s", qPrintable(path()), qPrintable(line));
        for (int i = 0; i < 6; ++i)
            draw.balls[i] = match.captured(i + 4).toInt();
        draw.bonus = match.captured(10).toInt();
        draws.push_back(draw);
    }
    return draws;
}

} // namespace

QString path()
{
    return QStringLiteral(DRAWSAGE_TEST_DATA "/lotto649-1982-2025.csv");
}

const std::vector<Draw>& draws()
{
    static const std::vector<Draw> all = readDraws();
    return all;
}

} // namespace RealHistory
