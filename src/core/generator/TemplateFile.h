#pragma once

#include <QString>
#include <array>
#include <vector>

// A template: combinations written over positions 1 to K of a selection of K numbers instead
// of over lottery numbers. Each row holds six slot texts, two digits each as the file and the
// editor's cells hold them ("01" is the smallest number of the selection).
using TemplateRow = std::array<QString, 6>;

struct TemplateData {
    int selectionTotal = 7;  // K
    int guaranteedMatch = 0; // shown only, never computed
    std::vector<TemplateRow> rows;
};

// How many data lines a reader takes at most (the three values, then rows); lines after that
// are ignored.
inline constexpr int EditorTemplateCapacity = 19999;
inline constexpr int GeneratorTemplateCapacity = 9999;
inline constexpr int TemplateValueLines = 3;

inline const QString TemplateReadFailure = "There was error while loading requested template";
inline const QString TemplateSaveFailure = "Unable to save template";

// Reads a .tpl file: lines ending in CR LF (or LF), Latin-1. Empty lines and lines starting with
// ";" are skipped anywhere; a line of spaces is a data line. The first three data lines are the
// selection total, the row count N and the guaranteed match, each an integer as a whole line;
// the next N data lines are the rows, of which the first 12 characters count. Rows the file
// lacks are empty; N is kept within 0 and the capacity's rows. A short row line gives shorter
// or empty slot texts, never characters the line does not hold.
//
// Throws TKestError: TemplateReadFailure when the file cannot be read, or the conversion error
// of a value that is not an integer.
TemplateData ReadTemplate(const QString& fileName, int capacity);

// Writes the editor's lines: K, the row count, the guaranteed match, then per row the six cells
// as integers with "%.2d", joined and cut to 12 characters; CR LF after every line. A cell that
// is not an integer, or a file that cannot be written, throws TKestError(TemplateSaveFailure)
// and leaves an existing file as it was.
void WriteTemplate(const QString& fileName, const TemplateData& data);

// The notice for a selection total the generator's board cannot serve (below 1 or above 49),
// or an empty text when it can.
QString SelectionTotalNotice(int selectionTotal);

// Checks that every row names six different slots "01" to K, each two digits, and that K is
// one the board can serve. Throws TKestError naming the first unusable row, so that no
// combination is made from such a template.
void CheckTemplateRows(const TemplateData& data);

// The generator's load: ReadTemplate with the generator's capacity, then CheckTemplateRows.
TemplateData LoadGeneratorTemplate(const QString& fileName);
