#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// The program's pictures, drawn with QPainter so that they stay sharp at any size and need no
// artwork files.

// A shaded lottery ball, size by size pixels on a transparent background, with the text (a
// number such as "07") on a white disc. The ball's colour follows the number's decade, as the
// balls of the draw machine do.
QPixmap ballPicture(const QString& text, int size);

// The rating of a combination's sum: five stars in a row, the first `stars` (0 to 5) of them
// filled, on the background colour (white in the lists, the selection colour for a selected
// row). The lists use 65 by 13 pixels.
QPixmap ratingPicture(int stars, QSize size, const QColor& background = Qt::white);

// The toolbar and menu icons in one flat style, each at 16 and 32 pixels (and the sizes
// between). An unknown name gives a null icon.
QIcon commandIcon(const QString& name);
