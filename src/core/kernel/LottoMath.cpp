#include "core/kernel/LottoMath.h"

#include <algorithm>
#include <cmath>

double Combinations(int n, int k)
{
    double result = 1.0;
    for (; k > 0; --n, --k)
        result = double(result * (static_cast<long double>(n) / k));
    // The partial products carry representation error (C(49, 5) comes out as
    // 1906884.0000000002); rounding to nearest, ties to even, absorbs it.
    return std::nearbyint(result);
}

double TicketOdds(int lines)
{
    // A status bar may ask for the odds of an empty template; an infinite figure helps nobody.
    return Combinations(49, 6) / std::max(lines, 1);
}

QString DivisionName(int matched, bool bonus)
{
    if (matched == 6)
        return QStringLiteral("Div1");
    if (matched < 3 || matched > 6)
        return QString();
    // Five matches give Div2/Div3, four Div4/Div5, three Div6/Div7; the bonus takes the better.
    const int division = 2 * (5 - matched) + (bonus ? 2 : 3);
    return QStringLiteral("Div%1").arg(division);
}
