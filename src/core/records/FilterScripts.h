#pragma once

#include <QString>
#include <QStringList>

class TKestTable;

// Filter scripts: text files (*.flt) in the filter folder, each holding one filter expression
// of the results table, possibly over several lines.
namespace FilterScripts {

inline constexpr auto Extension = ".flt";
inline constexpr auto NoMatch = "No maching record(s) was found";

// The names of the saved scripts (file names without ".flt"), sorted.
QStringList savedScripts(const QString& folder);

// The script's lines as one text, lines joined by CR LF; empty when the file cannot be read.
QString load(const QString& path);
// Writes the script, each line ended by CR LF, in a single-byte code page. Throws TKestError
// when the file cannot be written; a file that was there stays as it was.
void save(const QString& path, const QString& script);

// What the editor offers: the draw record's fields (neither DRAWDATE nor KEY) and the operators.
const QStringList& fieldNames();
const QStringList& operators();
// One comparison as the editor's Add writes it: (FIELD<op>'value').
QString comparison(const QString& field, const QString& op, const QString& value);

enum class Outcome { Filtered, NothingMatched, NotApplied };

// Filters the table by the script when the table is open and holds draws. A script that
// matches nothing leaves the table unfiltered (its text stays set); one the store cannot read
// leaves it unfiltered too.
Outcome apply(TKestTable& results, const QString& script);

// Filtering off and the expression cleared.
void stop(TKestTable& results);

} // namespace FilterScripts
