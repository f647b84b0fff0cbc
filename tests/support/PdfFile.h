#pragma once

#include <QString>

// A written PDF file as poppler's tools read it (pdfinfo, pdftotext, pdftoppm from
// poppler-utils), independently of the code that wrote it.
namespace PdfFile {
bool toolsAvailable();
// 0 when the file is no PDF poppler can read.
int pageCount(const QString& file);
// The text of every page, in reading order; pages are separated by form feeds.
QString text(const QString& file);
// Renders page `page` (from 1) at `dpi` to the PNG file `png`; false when it could not.
bool renderPage(const QString& file, int page, int dpi, const QString& png);
} // namespace PdfFile
