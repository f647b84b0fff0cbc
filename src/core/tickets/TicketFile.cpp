#include "core/tickets/TicketFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

namespace {

const QByteArray Signature = "GEN";

void appendUInt16(QByteArray& out, int value)
{
    const quint16 le = qToLittleEndian(quint16(value));
    out.append(reinterpret_cast<const char*>(&le), sizeof le);
}

void appendText(QByteArray& out, const QByteArray& text)
{
    appendUInt16(out, int(text.size()));
    out.append(text);
}

QByteArray checkedText(const QString& text, qsizetype row)
{
    QByteArray bytes = text.toLatin1();
    if (bytes.size() > TicketFieldLimit)
        throw TKestError(QString("Row %1 holds a text of %2 bytes; a ticket keeps at most %3 "
                                 "bytes per text.")
                             .arg(row + 1)
                             .arg(bytes.size())
                             .arg(TicketFieldLimit));
    return bytes;
}

// Reads the file's bytes front to back and never past their end.
class TicketReader {
public:
    TicketReader(const QByteArray& bytes, qsizetype start)
        : m_bytes(bytes)
        , m_pos(start)
    {}
    bool atEnd() const { return m_pos == m_bytes.size(); }
    bool readUInt16(int& value) { return readInteger<quint16>(value); }
    bool readInt32(qint32& value) { return readInteger<qint32>(value); }
    bool readText(QString& text)
    {
        int length = 0;
        if (!readUInt16(length) || m_bytes.size() - m_pos < length)
            return false;
        QByteArrayView bytes(m_bytes.constData() + m_pos, length);
        m_pos += length;
        // A stored zero byte ends the text early.
        if (const qsizetype zero = bytes.indexOf('\0'); zero >= 0)
            bytes = bytes.first(zero);
        text = QString::fromLatin1(bytes);
        return true;
    }

private:
    template <typename T, typename Out> bool readInteger(Out& value)
    {
        if (m_bytes.size() - m_pos < qsizetype(sizeof(T)))
            return false;
        value = qFromLittleEndian<T>(m_bytes.constData() + m_pos);
        m_pos += sizeof(T);
        return true;
    }

    const QByteArray& m_bytes;
    qsizetype m_pos;
};

bool readRow(TicketReader& reader, TicketRow& row)
{
    int subItems = 0;
    if (!reader.readUInt16(subItems) || !reader.readInt32(row.imageIndex) ||
        !reader.readText(row.caption))
        return false;
    row.subItems.reserve(subItems);
    for (int i = 0; i < subItems; ++i) {
        QString text;
        if (!reader.readText(text))
            return false;
        row.subItems << text;
    }
    return true;
}

} // namespace

void SaveTicket(const TicketRows& rows, const QString& fileName)
{
    if (rows.size() > size_t(TicketFieldLimit))
        throw TKestError(QString("The list has %1 rows; a ticket keeps at most %2 rows.")
                             .arg(rows.size())
                             .arg(TicketFieldLimit));
    QByteArray out = Signature;
    appendUInt16(out, int(rows.size()));
    for (size_t r = 0; r < rows.size(); ++r) {
        const TicketRow& row = rows[r];
        if (row.subItems.size() > TicketFieldLimit)
            throw TKestError(QString("Row %1 has %2 columns; a ticket keeps at most %3.")
                                 .arg(r + 1)
                                 .arg(row.subItems.size())
                                 .arg(TicketFieldLimit));
        appendUInt16(out, int(row.subItems.size()));
        const qint32 image = qToLittleEndian(row.imageIndex);
        out.append(reinterpret_cast<const char*>(&image), sizeof image);
        appendText(out, checkedText(row.caption, qsizetype(r)));
        for (const QString& text : row.subItems)
            appendText(out, checkedText(text, qsizetype(r)));
    }
    if (out.size() > TicketSizeLimit)
        throw TKestError(QString("The list makes a ticket of %1 bytes; a ticket keeps at most %2.")
                             .arg(out.size())
                             .arg(TicketSizeLimit));
    // Written aside and moved into place, so a failed save leaves the old ticket whole.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit())
        throw TKestError(QString("Cannot write \"%1\": %2").arg(fileName, file.errorString()));
}

void LoadTicket(TicketRows& rows, const QString& fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    QFile file(fileName);
    const QFileInfo info(fileName);
    if (!info.exists())
        throw TicketFileError(TicketMissingText.arg(name));
    // A device or a pipe may never end.
    if (!info.isFile())
        throw TicketFileError(TicketSignatureText.arg(name));
    if (info.size() > TicketSizeLimit)
        throw TicketFileError(TicketTooLargeText.arg(name));
    if (!file.open(QIODevice::ReadOnly))
        throw TKestError(QString("Cannot open \"%1\": %2").arg(fileName, file.errorString()));
    // Read no more than the limit, should the file have grown since.
    const QByteArray bytes = file.read(TicketSizeLimit + 1);
    if (bytes.size() > TicketSizeLimit)
        throw TicketFileError(TicketTooLargeText.arg(name));
    if (!bytes.startsWith(Signature))
        throw TicketFileError(TicketSignatureText.arg(name));

    TicketReader reader(bytes, Signature.size());
    // The three signature bytes alone are an empty ticket: the missing count reads as 0.
    int count = 0;
    if (!reader.atEnd() && !reader.readUInt16(count))
        throw TicketFileError(TicketTruncatedText.arg(name));
    TicketRows loaded(count);
    for (TicketRow& row : loaded) {
        if (!readRow(reader, row))
            throw TicketFileError(TicketTruncatedText.arg(name));
    }
    rows.swap(loaded);
}
