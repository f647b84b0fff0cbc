#include "core/tickets/TicketFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

TicketRow generatorRow()
{
    return {"001", {"03 - 11 - 19 - 27 - 38 - 45", "143", "5/5"}, 0};
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Loads a file expected to be refused with `message`; the list must keep its row.
void expectRefused(const QString& path, const QString& message)
{
    TicketRows rows{generatorRow()};
    try {
        LoadTicket(rows, path);
        QFAIL("the file was accepted");
    } catch (const TicketFileError& error) {
        QCOMPARE(error.message(), message);
    }
    QCOMPARE(rows, TicketRows{generatorRow()});
}

} // namespace

class TestTicketFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void oneGeneratorRowIsTheDocumentedFiftyFiveBytes()
    {
        SaveTicket({generatorRow()}, path("one.dtk"));
        QByteArray expected("GEN\x01\x00", 5);
        expected += QByteArray("\x03\x00"
                               "\x00\x00\x00\x00"
                               "\x03\x00",
                               8) +
                    "001";
        expected += QByteArray("\x1b\x00", 2) + "03 - 11 - 19 - 27 - 38 - 45";
        expected += QByteArray("\x03\x00", 2) + "143" + QByteArray("\x03\x00", 2) + "5/5";
        QCOMPARE(expected.size(), 55);
        QCOMPARE(readAll(path("one.dtk")), expected);
    }

    void rowsRoundTripInOrder()
    {
        TicketRows rows;
        for (int i = 1; i <= 300; ++i)
            rows.push_back({QString::number(i), {QString(i, QChar('x')), "é"}, i - 150});
        rows.push_back({"bare", {}, -1}); // no sub-items: a zero count and no text records
        rows.push_back({QString(65535, QChar('a')), {""}, 7});
        SaveTicket(rows, path("many.dtk"));
        TicketRows loaded{generatorRow()};
        LoadTicket(loaded, path("many.dtk"));
        QCOMPARE(loaded, rows);
    }

    void emptyListAndSignatureAloneLoadAsEmpty()
    {
        SaveTicket({}, path("empty.dtk"));
        QCOMPARE(readAll(path("empty.dtk")), QByteArray("GEN\0\0", 5));
        writeAll(path("signature.dtk"), "GEN");
        for (const QString name : {"empty.dtk", "signature.dtk"}) {
            TicketRows rows{generatorRow()};
            LoadTicket(rows, path(name));
            QVERIFY(rows.empty());
        }
    }

    void textsEndAtAStoredZeroByte()
    {
        writeAll(path("zero.dtk"), QByteArray("GEN\x01\x00\x00\x00\x05\x00\x00\x00\x04\x00"
                                              "ab\x00"
                                              "c",
                                              18));
        TicketRows rows;
        LoadTicket(rows, path("zero.dtk"));
        QCOMPARE(rows, (TicketRows{{"ab", {}, 5}}));
    }

    void bytesAfterTheLastRowAreIgnored()
    {
        SaveTicket({generatorRow()}, path("tail.dtk"));
        QFile file(path("tail.dtk"));
        file.open(QIODevice::Append);
        file.write("trailing");
        file.close();
        TicketRows rows;
        LoadTicket(rows, path("tail.dtk"));
        QCOMPARE(rows, TicketRows{generatorRow()});
    }

    void missingFilesAndForeignSignaturesAreRefused()
    {
        expectRefused(path("nowhere.dtk"), "File \"nowhere.dtk\" does not exist!");
        writeAll(path("lower.dtk"), QByteArray("gen\0\0", 5));
        expectRefused(path("lower.dtk"), "\"lower.dtk\" is not a Ticket file!");
        writeAll(path("short.dtk"), "GE");
        expectRefused(path("short.dtk"), "\"short.dtk\" is not a Ticket file!");
    }

    // Every cut through a valid file, from half a count to the last byte missing, is refused:
    // the reader never takes bytes the file does not hold and never leaves a half-filled list.
    void truncatedFilesAreRefused()
    {
        SaveTicket({generatorRow(), {"002", {"x"}, 3}}, path("full.dtk"));
        const QByteArray full = readAll(path("full.dtk"));
        for (int size = 4; size < full.size(); ++size) {
            writeAll(path("cut.dtk"), full.left(size));
            expectRefused(path("cut.dtk"),
                          "\"cut.dtk\" is damaged: it ends before its declared rows are complete.");
        }
    }

    void overDeclaredCountsAreRefused()
    {
        SaveTicket({generatorRow()}, path("over.dtk"));
        QByteArray bytes = readAll(path("over.dtk"));
        bytes[3] = 2;
        writeAll(path("over.dtk"), bytes);
        expectRefused(path("over.dtk"),
                      "\"over.dtk\" is damaged: it ends before its declared rows are complete.");
    }

    void theSixteenBitLimitsAreKept()
    {
        SaveTicket(TicketRows(65535), path("limit.dtk"));
        TicketRows loaded;
        LoadTicket(loaded, path("limit.dtk"));
        QCOMPARE(loaded.size(), size_t(65535));

        QVERIFY_THROWS_EXCEPTION(TKestError, SaveTicket(TicketRows(65536), path("rows.dtk")));
        QVERIFY(!QFile::exists(path("rows.dtk")));
        const TicketRows longText{{"001", {QString(65536, QChar('a'))}, 0}};
        QVERIFY_THROWS_EXCEPTION(TKestError, SaveTicket(longText, path("text.dtk")));
        QVERIFY(!QFile::exists(path("text.dtk")));
    }

    void aFileThatCannotBeCreatedIsAnError()
    {
        QVERIFY_THROWS_EXCEPTION(TKestError, SaveTicket({}, path("no/such/folder.dtk")));
    }
};

QTEST_GUILESS_MAIN(TestTicketFile)
#include "tst_ticketfile.moc"
