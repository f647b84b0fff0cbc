#pragma once

#include <QString>

// The game's arithmetic: 6 main balls from 49 plus a bonus ball, seven prize divisions.

// The number of k-element subsets of n elements, as a whole number in a double. Computed by
// the product rule in floating point; 1 for k <= 0. Meaningless for k > n or a negative n.
double Combinations(int n, int k);

// The odds of winning the jackpot with `lines` different combinations: C(49, 6) / lines,
// with its fraction. Fewer than one line counts as one.
double TicketOdds(int lines);

// The prize division ("Div1" ... "Div7") a line wins with `matched` of the six main balls and,
// when `bonus`, the bonus ball; empty for no prize. The name doubles as the draw record's
// prize field of that division.
QString DivisionName(int matched, bool bonus);
