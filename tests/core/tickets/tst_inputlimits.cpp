#include "core/generator/TemplateFile.h"
#include "core/kernel/KestError.h"
#include "core/tickets/TicketFile.h"

#include <QTemporaryDir>
#include <QtTest>

// Readers of the user's files stay bounded whatever a file holds.
class TestInputLimits : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QString& name, const QByteArray& bytes)
    {
        QFile file(m_dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    }

    static QString loadError(const QString& path)
    {
        TicketRows rows;
        try {
            LoadTicket(rows, path);
        } catch (const TicketFileError& error) {
            return error.message();
        }
        return {};
    }

private slots:
    void ticketsBeyondTheLimitAreRefused()
    {
        QByteArray huge("GEN");
        huge.resize(TicketSizeLimit + 1, '\0');
        QCOMPARE(loadError(write("huge.dtk", huge)), TicketTooLargeText.arg("huge.dtk"));
        if (QFileInfo::exists("/dev/zero"))
            QCOMPARE(loadError("/dev/zero"), TicketSignatureText.arg("zero"));
    }

    void templateErrorsQuoteTheStartOfALine()
    {
        const QString path =
            write("long.tpl", QByteArray(10 * 1024 * 1024, 'x') + "\r\n1\r\n6\r\n");
        try {
            ReadTemplate(path, GeneratorTemplateCapacity);
            QFAIL("no error");
        } catch (const TKestError& error) {
            QVERIFY2(error.message().size() < 100, qPrintable(error.message().left(200)));
            QVERIFY(error.message().contains(QString(40, 'x')));
        }
    }
};

QTEST_GUILESS_MAIN(TestInputLimits)
#include "tst_inputlimits.moc"
