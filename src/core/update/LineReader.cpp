#include "core/update/LineReader.h"

#include "core/kernel/KestError.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

QString nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

LineReader::LineReader(const QString& path, int chunkSize)
    : m_file(path)
    , m_chunkSize(std::max(chunkSize, 1))
{
    // A device or a pipe (/dev/zero) may never end; only a plain file is read.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        throw TKestError(QString("Cannot open file %1: not a regular file").arg(nativePath(path)));
    if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw TKestError(QString("Cannot open file %1").arg(nativePath(path)));
}

bool LineReader::atEnd()
{
    if (m_next == m_pending.size() && !m_done)
        readChunk();
    return m_next == m_pending.size() && m_done;
}

QString LineReader::readLine()
{
    return decode(readLineBytes());
}

void LineReader::appendLine(QString& text)
{
    appendDecoded(text, readLineBytes());
}

QByteArrayView LineReader::readLineBytes()
{
    qsizetype end = m_pending.indexOf('\n', m_next);
    while (end < 0 && !m_done) {
        const qsizetype searched = m_pending.size() - m_next;
        if (searched > MaxLineLength)
            break;
        readChunk();
        end = m_pending.indexOf('\n', m_next + searched);
    }
    ++m_lineNumber;
    const bool terminated = end >= 0;
    if (!terminated)
        end = m_pending.size();
    qsizetype length = end - m_next;
    if (terminated && length > 0 && m_pending[end - 1] == '\r')
        --length;
    if (length > MaxLineLength)
        throw TKestError(QString("Line %1 of %2 is longer than %3 bytes")
                             .arg(m_lineNumber)
                             .arg(nativePath(m_file.fileName()))
                             .arg(MaxLineLength));
    const QByteArrayView line = QByteArrayView(m_pending).sliced(m_next, length);
    m_next = terminated ? end + 1 : end;
    m_terminated = terminated;
    return line;
}

void LineReader::readChunk()
{
    m_pending.remove(0, m_next);
    m_next = 0;
    const qsizetype had = m_pending.size();
    m_pending.resize(had + m_chunkSize);
    const qint64 got = m_file.read(m_pending.data() + had, m_chunkSize);
    if (got < 0)
        throw TKestError(QString("Cannot read file %1").arg(nativePath(m_file.fileName())));
    m_pending.resize(had + got);
    const qsizetype eof = m_pending.indexOf('\x1a', had);
    if (eof >= 0)
        m_pending.truncate(eof);
    m_done = got == 0 || eof >= 0;
}

// UTF-8 where the line is valid UTF-8, else Latin-1: the operator's files are single-byte.
QString LineReader::decode(QByteArrayView bytes)
{
    QString text;
    appendDecoded(text, bytes);
    return text;
}

void LineReader::appendDecoded(QString& text, QByteArrayView bytes)
{
    // Every byte looked at, without an early way out, so that the compiler can take many at
    // a time: nearly every line is ASCII.
    uchar high = 0;
    for (const char byte : bytes)
        high |= uchar(byte);
    if (high < 0x80) {
        text.append(QLatin1String(bytes));
        return;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(bytes);
    text.append(utf8.hasError() ? QString::fromLatin1(bytes) : decoded);
}
