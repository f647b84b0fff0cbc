#pragma once

#include <QString>
#include <QVariantList>

// Formats every text the user sees from a pattern and its arguments, in the style of the
// classic printf-like format strings:
//
//   %[width][.precision]type
//
//   d  integer; precision is the minimum number of digits, zero-padded after the sign
//   s  text; precision, if given, is the maximum number of characters
//   n  number with the locale's group and decimal separators, always grouped;
//      precision is the number of decimals (2 when not given)
//   f  number with the locale's decimal separator and no grouping; decimals as for n
//   %% a percent sign
//
// A width pads the result with blanks on the left. Numbers round half away from zero at the
// last decimal shown, and a value that rounds to zero is shown without a minus sign.
// The locale is QLocale() (the system's unless a default was set).
//
// Throws TKestError when the pattern is malformed, when there are fewer or more arguments
// than conversions, or when an argument does not suit its conversion (d takes integers only,
// n and f take numbers, s takes text).
QString Format(const QString& pattern, const QVariantList& args);
