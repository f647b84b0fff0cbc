#pragma once

#include "core/kernel/TableSchema.h"

#include <QString>

#include <array>

// The two games and every text that names them.
struct GameTexts {
    QString name; // the game list's entry
    QString tableName;
    QString status;            // the status bar's game panel
    QString statisticsHeading; // over the statistics pages
    QString drawsHeading;      // over the draw grid
};

namespace Games {

inline const std::array<GameTexts, 2>& all()
{
    static const std::array<GameTexts, 2> games{
        GameTexts{"National Lotto", Tables::Lotto, " Database : National Lotto",
                  "National Lotto Statistics", "National Lotto Draw(s)"},
        GameTexts{"National Lotto Plus", Tables::LottoPlus, " Database : National Lotto Plus",
                  "National Lotto Plus Statistics", "National Lotto Plus Draw(s)"}};
    return games;
}

// The game of that table file; the National Lotto for any other name.
inline const GameTexts& of(const QString& tableName)
{
    return all()[1].tableName.compare(tableName, Qt::CaseInsensitive) == 0 ? all()[1] : all()[0];
}

} // namespace Games
