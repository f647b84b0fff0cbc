#include "CliRunner.h"
#include "PdfFile.h"
#include "TestEnvironment.h"
#include "core/tickets/TicketFile.h"
#include "print/DocumentRenderer.h"

#include <QRegularExpression>
#include <QtTest>

namespace {

QString combination(int first)
{
    return QString::asprintf("%.2d - %.2d - %.2d - %.2d - %.2d - %.2d", first, first + 1, first + 2,
                             first + 3, first + 4, first + 5);
}

PrintDocument ticketPages(int rows)
{
    PrintDocument document{.title = "Lotto Ticket",
                           .game = "National Lotto",
                           .date = "09 December 2026",
                           .summary = {{"Ticket", ": mine"}, {"Combinations", ": 150"}},
                           .columns = {"Sequence", "Combinations", "Sum", "Rating"},
                           .rows = {},
                           .notes = {"Total Prize : None"}};
    for (int i = 1; i <= rows; ++i)
        document.rows.push_back(
            {QString::asprintf("%.3d", i), combination(i % 44 + 1), "100", "1/5"});
    return document;
}

} // namespace

class TestPrinting : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        if (!PdfFile::toolsAvailable())
            QSKIP("poppler-utils (pdfinfo, pdftotext, pdftoppm) is not installed");
    }

    void pagesRepeatTheHeadingAndTheHeadsAndAreNumbered()
    {
        const QString file = m_dir.filePath("ticket.pdf");
        QVERIFY(DocumentRenderer::writePdf(ticketPages(150), file));
        const QStringList texts = PdfFile::text(file).split('\f', Qt::SkipEmptyParts);
        QVERIFY(texts.size() >= 3);
        QCOMPARE(PdfFile::pageCount(file), texts.size());
        // Every row once, in order, none lost between pages, under the heads of its page.
        const QRegularExpression sequence("^\\s*(\\d{3})\\s+\\d\\d - ",
                                          QRegularExpression::MultilineOption);
        int row = 0;
        for (int page = 0; page < texts.size(); ++page) {
            const QString& text = texts[page];
            for (const QString& expected :
                 {QString("Lotto Ticket"), QString("National Lotto"), QString("09 December 2026"),
                  QString("Page %1 of %2").arg(page + 1).arg(texts.size())})
                QVERIFY2(text.contains(expected), qPrintable(expected));
            QCOMPARE(text.contains(": mine"), page == 0);
            QCOMPARE(text.contains("Total Prize : None"), page == texts.size() - 1);
            const int firstRow = row;
            for (auto match = sequence.globalMatch(text); match.hasNext();)
                QCOMPARE(match.next().captured(1).toInt(), ++row);
            QCOMPARE(text.contains("Sequence"), row > firstRow);
        }
        QCOMPARE(row, 150);

        // Page 1 as a person sees it: an A4 page with ink on it.
        QDir folder(QCoreApplication::applicationDirPath());
        folder.mkpath("screenshots");
        const QString png = folder.filePath("screenshots/pdf-ticket.png");
        QVERIFY(PdfFile::renderPage(file, 1, 90, png));
        const QImage image(png);
        QVERIFY(qAbs(double(image.height()) / image.width() - 297.0 / 210.0) < 0.01);
        int dark = 0;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2)
                dark += qGray(image.pixel(x, y)) < 128;
        QVERIFY(dark > 500);
    }

    void listsWithoutHeadsWrapTheirLongCells()
    {
        QString numbers = ":";
        for (int n = 1; n <= 49; ++n)
            numbers += QString::asprintf(" %.2d", n);
        PrintDocument report{.title = "Overall Information", .game = "National Lotto Plus"};
        report.rows = {{"Combination Information"}, {"Above Expected Frequency", numbers}, {}};
        const QString file = m_dir.filePath("report.pdf");
        QVERIFY(DocumentRenderer::writePdf(report, file));
        QCOMPARE(PdfFile::pageCount(file), 1);
        const QString text = PdfFile::text(file).simplified();
        QVERIFY(text.contains("Combination Information"));
        QVERIFY(text.contains("Above Expected Frequency : 01 02"));
        QVERIFY(text.contains("47 48 49"));

        // Nothing to list still gives a page with its heading.
        const QString empty = m_dir.filePath("empty.pdf");
        QVERIFY(DocumentRenderer::writePdf({.title = "Empty", .columns = {"Sequence"}}, empty));
        QCOMPARE(PdfFile::pageCount(empty), 1);
        QVERIFY(!DocumentRenderer::writePdf(report, m_dir.filePath("missing/folder/x.pdf")));
    }

    void cliPrintsTheTicketAsTheViewerDoes()
    {
        TestEnvironment env;
        const QString ticket = env.path("mine.dtk");
        TicketRows rows;
        for (int i = 1; i <= 40; ++i)
            rows.push_back({QString::asprintf("%.3d", i), {combination(i), "150", "5/5"}, 0});
        SaveTicket(rows, ticket);

        const QString pdf = env.path("mine.pdf");
        const CliResult printed = runCli(env, {"--game", "plus", "print", ticket, "--pdf", pdf});
        QCOMPARE(printed.status, 0);
        QCOMPARE(PdfFile::pageCount(pdf), 2);
        const QString text = PdfFile::text(pdf).simplified();
        for (const char* expected :
             {"Lotto Ticket", "National Lotto Plus", "Ticket : mine", "Combinations : 040",
              "Total Tickets : 005", "Overall Rating : 5/5", "040 40 - 41 - 42 - 43 - 44 - 45"})
            QVERIFY2(text.contains(expected), expected);

        // The option may come first; anything else is a usage error, a bad file a failure.
        QCOMPARE(runCli(env, {"print", "--pdf", pdf, ticket}).status, 0);
        QCOMPARE(runCli(env, {"print", ticket}).status, 2);
        QCOMPARE(runCli(env, {"print", ticket, "--png", pdf}).status, 2);
        const CliResult missing = runCli(env, {"print", env.path("none.dtk"), "--pdf", pdf});
        QCOMPARE(missing.status, 1);
        QVERIFY(missing.errors.contains("none.dtk"));
        const CliResult unwritable =
            runCli(env, {"print", ticket, "--pdf", env.path("no/folder/mine.pdf")});
        QCOMPARE(unwritable.status, 1);
        QVERIFY(unwritable.errors.contains("Unable to write the PDF file"));
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
