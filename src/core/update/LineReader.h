#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Reads a text file in chunks of a given size and hands out its lines. A line ends at a line
// feed, with or without a carriage return before it; a Ctrl-Z ends the file. A line longer
// than MaxLineLength bytes is refused with TKestError, so that a damaged or hostile file
// cannot make the reader grow without bound.
class LineReader {
public:
    static constexpr qsizetype MaxLineLength = 64 * 1024;

    LineReader(const QString& path, int chunkSize);

    bool atEnd();
    QString readLine();
    // Appends the next line to `text` as readLine gives it, for keeping many lines in one.
    void appendLine(QString& text);
    // The next line's bytes, valid until the next read: for passes that need no text.
    QByteArrayView readLineBytes();
    // A line's bytes as readLine gives them.
    static QString decode(QByteArrayView bytes);
    // Whether the line last read ended with a line feed; the last line of a file may not.
    bool lastLineTerminated() const { return m_terminated; }
    // The 1-based number of the line last read.
    int lineNumber() const { return m_lineNumber; }

private:
    void readChunk();
    static void appendDecoded(QString& text, QByteArrayView bytes);

    QFile m_file;
    const int m_chunkSize;
    QByteArray m_pending;
    qsizetype m_next = 0; // first byte of m_pending not yet handed out
    bool m_done = false;
    bool m_terminated = true;
    int m_lineNumber = 0;
};
