#pragma once

#include <QString>
#include <QStringList>

// The layout of the command-line help as terminal users know it: entries indented by two,
// their descriptions aligned in one column, or on a line of their own below an entry too
// long for it, everything wrapped to 80 columns.
namespace HelpText {

constexpr int Width = 80;
constexpr int DescriptionColumn = 24;

// The words of text filled into lines of at most width columns.
QStringList wrapped(const QString& text, int width);

// One entry: "  head" (wrapped, continued further indented) and its description.
QString entry(const QString& head, const QString& description);

} // namespace HelpText
