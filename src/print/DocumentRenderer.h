#pragma once

#include "core/kernel/PrintDocument.h"

class QPagedPaintDevice;

// Lays a PrintDocument out on printer or PDF pages: title, game and date at the top of every
// page, the column heads repeated on each page, long cells wrapped, "Page n of m" at the
// bottom. The windows (through a printer) and drawsage-cli (through a PDF file) share it, so
// both print the same page. Fonts need a QGuiApplication; no widget is involved.
namespace DocumentRenderer {

// The margin of every side of the page, in millimetres.
inline constexpr double MarginMillimetres = 15;

// Paints the document on the device, from its current page on, and returns the number of
// pages; 0 when the device cannot be painted on (a file that cannot be written).
int render(const PrintDocument& document, QPagedPaintDevice& device);

// Writes the document to a PDF file of A4 pages; false when the file cannot be written.
bool writePdf(const PrintDocument& document, const QString& fileName);

} // namespace DocumentRenderer
