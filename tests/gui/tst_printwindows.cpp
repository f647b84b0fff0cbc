#include "CliRunner.h"
#include "GuiTest.h"
#include "PdfFile.h"
#include "Screenshots.h"
#include "core/kernel/Kernel.h"
#include "core/stats/Companions.h"
#include "core/stats/NumberInformation.h"
#include "core/tickets/TicketFile.h"
#include "gui/components/DocumentPrinter.h"
#include "gui/components/KestExBar.h"
#include "gui/components/KestFileDialog.h"
#include "gui/components/KestMessage.h"
#include "gui/generator/GeneratorWindow.h"
#include "gui/shell/MainWindow.h"
#include "gui/stats/StatisticsPages.h"
#include "gui/tickets/TicketChecker.h"
#include "gui/tickets/TicketViewer.h"

#include <QComboBox>
#include <QHelpEvent>
#include <QPushButton>
#include <QToolTip>
#include <QtTest>

class TestPrintWindows : public GuiTest {
    Q_OBJECT

    QString m_ticket;

    // The document `menu` prints, exported to a PDF file and read back as text.
    QString exported(PrintMenu* menu, const QString& name)
    {
        menu->refresh();
        if (!menu->exportAction()->isEnabled())
            return {};
        const QString file = env().path(name + ".pdf");
        TKestFileDialog::setNextFileName(file);
        menu->exportAction()->trigger();
        return PdfFile::text(file).simplified();
    }

private slots:
    void init()
    {
        if (!PdfFile::toolsAvailable())
            QSKIP("poppler-utils (pdfinfo, pdftotext, pdftoppm) is not installed");
        startApplication();
        mainWindow().show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow()));
        m_ticket = kernel().GetTicketDir() + "/mine.dtk";
        TicketRows rows;
        for (int i = 1; i <= 45; ++i)
            rows.push_back(
                {QString::asprintf("%.3d", i),
                 {QString::asprintf("01 - 02 - 03 - 04 - 05 - %.2d", i % 40 + 6), "150", "5/5"},
                 0});
        SaveTicket(rows, m_ticket);
    }
    void cleanup() { stop(); }

    void viewerPrintsTheTicketAsTheCliDoes()
    {
        auto* viewer = mainWindow().findChild<TicketViewer*>();
        auto* menu = control<PrintMenu>("PrintMenu", viewer);
        QVERIFY(exported(menu, "nothing").isEmpty()); // no ticket, nothing to print
        QVERIFY(viewer->LoadTicket(m_ticket));
        viewer->show();
        QVERIFY(QTest::qWaitForWindowExposed(viewer));
        QCOMPARE(control<QPushButton>("btnPrint", viewer)->menu(), menu);
        saveScreenshot(viewer, "TfrmView-print");

        // Printed through the printer (the dialog answered with a PDF file), exported, and
        // written by drawsage-cli: one page, three times.
        const QString printed = env().path("printed.pdf");
        DocumentPrinter::setNextPrintFile(printed);
        menu->refresh();
        menu->printAction()->trigger();
        const QString cli = env().path("cli.pdf");
        QCOMPARE(runCli(env(), {"print", m_ticket, "--pdf", cli}).status, 0);
        const QString text = PdfFile::text(cli).simplified();
        QVERIFY(text.startsWith("Lotto Ticket "));
        QVERIFY(text.contains(" National Lotto "));
        QVERIFY(text.contains("Ticket : mine"));
        QCOMPARE(PdfFile::pageCount(printed), 2);
        QCOMPARE(PdfFile::text(printed).simplified(), text);
        QCOMPARE(exported(menu, "exported"), text);

        // A file that cannot be written is told, not lost silently.
        TKestMessage::clearAnswered();
        TKestMessage::setNextAnswer(QMessageBox::Ok);
        TKestFileDialog::setNextFileName(env().path("no/folder/x.pdf"));
        menu->exportAction()->trigger();
        QVERIFY(TKestMessage::answeredTexts().value(0).startsWith("Unable to write the PDF file"));
    }

    void checkerGeneratorAndReportPrintWhatTheyShow()
    {
        auto* checker = mainWindow().findChild<TicketChecker*>();
        checker->show();
        QVERIFY(QTest::qWaitForWindowExposed(checker));
        auto* tickets = control<QComboBox>("ComboBox1", checker);
        tickets->setCurrentIndex(0);
        emit tickets->activated(0);
        control<QPushButton>("Button1", checker)->click();
        const QString check = exported(control<PrintMenu>("PrintMenu", checker), "check");
        for (const char* expected : {"Ticket Check", "Winning Numbers :", "Ticket Combination",
                                     "01 - 02 - 03 - 04 - 05 - 06", "Total Prize"})
            QVERIFY2(check.contains(expected), expected);
        checker->close();

        auto* generator = mainWindow().findChild<GeneratorWindow*>();
        generator->show();
        QVERIFY(QTest::qWaitForWindowExposed(generator));
        auto* generatorMenu = control<PrintMenu>("PrintMenu", generator);
        QVERIFY(exported(generatorMenu, "none").isEmpty());
        control<QPushButton>("Button1", generator)->click();
        QTRY_VERIFY(!generator->running());
        const QString generated = exported(generatorMenu, "generated");
        QVERIFY(generated.startsWith("Generated Combinations "));
        QVERIFY(generated.contains("Sequence Combinations Sum Rating 001 "));
        QVERIFY(generated.contains("Successfull: 16"));
        generator->close();

        auto* pages = mainWindow().findChild<StatisticsPages*>();
        const QString report = exported(control<PrintMenu>("ReportMenu", pages), "report");
        QVERIFY(report.startsWith("Overall Information "));
        QVERIFY(report.contains("Combinations Drawn :"));
        QVERIFY(report.contains("Numbers Not Due :"));
    }

    void hotAndColdBallsTellTheirCurrentSkip()
    {
        auto* bar = control<TKestExBar>("TaskBar");
        int group = 0;
        while (bar->group(group)->caption() != HotColdGroupCaption)
            ++group;
        TKestExEntries* balls = bar->group(group)->entries();
        const DrawList draws = ReadDraws(kernel().ResultsTable);
        int numbers = 0;
        for (int i = 0; i < balls->entries().size(); ++i) {
            const TKestExEntry& entry = balls->entries()[i];
            if (entry.kind != TKestExEntry::Number)
                continue;
            ++numbers;
            QCOMPARE(entry.hint, CurrentSkipHint(draws, entry.caption.toInt()));
            if (numbers > 1)
                continue;
            const QPoint at = balls->entryRect(i).center();
            QHelpEvent help(QEvent::ToolTip, at, balls->mapToGlobal(at));
            QCoreApplication::sendEvent(balls, &help);
            QTRY_COMPARE(QToolTip::text(), entry.hint);
        }
        QCOMPARE(numbers, 12);
    }
};

QTEST_MAIN(TestPrintWindows)
#include "tst_printwindows.moc"
