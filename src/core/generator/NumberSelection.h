#pragma once

#include "core/generator/Generator.h"

#include <QList>
#include <functional>

// The automatic selections of the Custom page: each gives an order of numbers, and the board
// picks by toggling them in turn until it holds the template's selection total.

// R[1] to R[49]: the most frequent number first.
QList<int> HotOrder(const Ranking& ranking);
// R[49] to R[1]: the least frequent number first.
QList<int> ColdOrder(const Ranking& ranking);

// Called after every pass of RandomNumbers; returns true to stop.
using PassEnded = std::function<bool()>;

// `total` numbers from 1 to 49 (kept within 0 and 49), each RandomInRange(1, 49). Pass by pass
// the numbers are sorted and every number equal to the one before it is drawn again, until a
// pass replaces nothing (the result is then ascending and distinct) or `passEnded` asks to
// stop, which may leave numbers repeated.
QList<int> RandomNumbers(int total, const PassEnded& passEnded = {});

// What a board limited to `total` numbers holds after `order` is toggled in turn from empty: a
// number is picked while fewer than `total` are, and a number met again is unpicked. Only
// numbers from 1 to 49 count. Ascending.
QList<int> PickInOrder(const QList<int>& order, int total);
