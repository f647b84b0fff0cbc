#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>

// The geometry of a board of square cells numbered from 1, row by row, as the number boards
// of the checker and the favourites draw them.
struct NumberGrid {
    int columns;
    int rows;
    int cellSize;

    constexpr QSize size() const { return {columns * cellSize, rows * cellSize}; }
    constexpr QPoint cellOrigin(int number) const
    {
        return {(number - 1) % columns * cellSize, (number - 1) / columns * cellSize};
    }
    constexpr QRect cell(int number) const
    {
        return {cellOrigin(number), QSize(cellSize, cellSize)};
    }
    // The number of the cell under a point inside the board.
    constexpr int numberAt(QPoint at) const
    {
        return at.y() / cellSize * columns + at.x() / cellSize + 1;
    }

    // The small bold figures the boards write in their cells.
    static QFont numberFont(QFont font)
    {
        font.setPixelSize(10);
        font.setBold(true);
        return font;
    }
};
