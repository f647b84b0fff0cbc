#pragma once

#include <QDate>
#include <QString>

#include <array>
#include <vector>

// The real 6/49 history kept in tests/data: tests check the engine against figures worked out
// here, independently of the import.
namespace RealHistory {

struct Draw {
    QDate date;
    std::array<int, 6> balls{}; // in the order drawn
    int bonus = 0;
};

QString path();
// Every draw, oldest first as the file lists them. Ends the test program when the file is
// missing or malformed, since every figure taken from it would be wrong.
const std::vector<Draw>& draws();

} // namespace RealHistory
