#pragma once

#include "core/kernel/KestError.h"

#include <QString>
#include <QStringList>
#include <vector>

// One row of a combination list as a ticket file keeps it. The generator's rows carry the
// sequence as caption and the combination, the sum and the rating as sub-items.
struct TicketRow {
    QString caption;
    QStringList subItems;
    qint32 imageIndex = 0;

    bool operator==(const TicketRow&) const = default;
};
using TicketRows = std::vector<TicketRow>;

// The 16-bit counts and lengths of the format bound a ticket to this many rows and every text
// to this many bytes.
inline constexpr int TicketFieldLimit = 65535;
// The largest ticket file read or written. The format alone would allow terabytes; a full
// list of generated lines takes a few megabytes, and reading stays within memory.
inline constexpr qint64 TicketSizeLimit = 16 * 1024 * 1024;

// The caption of the message box that shows a TicketFileError.
inline const QString TicketErrorCaption = "I/O Error";
// The texts of a TicketFileError; %1 is the file name without its folder.
inline const QString TicketMissingText = "File \"%1\" does not exist!";
inline const QString TicketSignatureText = "\"%1\" is not a Ticket file!";
inline const QString TicketTruncatedText =
    "\"%1\" is damaged: it ends before its declared rows are complete.";
inline const QString TicketTooLargeText = "\"%1\" is too large to be a Ticket file.";

// A fault of the file's content, for a modal "I/O Error" box owned by the window of the list.
// A file that cannot be created or opened raises a plain TKestError instead, for the
// application's general error report.
class TicketFileError : public TKestError {
public:
    using TKestError::TKestError;
};

// Writes the rows as a ticket file ("GEN", the row count, the row records; integers
// little-endian; texts in Latin-1 with a 16-bit length in front). A list of more than 65,535
// rows or a text of more than 65,535 bytes is refused with a TKestError before the file is
// touched, so that no file ever declares a count that disagrees with its rows.
void SaveTicket(const TicketRows& rows, const QString& fileName);

// Replaces `rows` with the rows of the file. Throws TicketFileError for a missing file, a
// wrong signature (or something that is not a plain file), a file larger than TicketSizeLimit
// or a file that ends before its declared rows are complete; `rows` then keeps
// what it held. A file of the three signature bytes alone is an empty ticket. Bytes after the
// last declared row are ignored.
void LoadTicket(TicketRows& rows, const QString& fileName);
