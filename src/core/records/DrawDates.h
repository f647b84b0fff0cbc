#pragma once

#include <QDate>
#include <QString>

class TKestTable;

// Draw dates as the user types them on the command line ("5 March 2008") against DRAWDATE,
// which is free text to the program.
namespace DrawDates {

// A date written "D Month YYYY" in the system's language or in English; invalid otherwise.
QDate read(const QString& text);

// Whether a stored DRAWDATE is the date the user typed. A typed text that reads as no date is
// compared as text, blanks around it aside.
bool sameDate(const QString& stored, const QString& typed);

// Makes the newest draw of that date current (the table runs newest first). False when no draw has
// that date.
bool findNewest(TKestTable& results, const QString& date);

} // namespace DrawDates
