#include "GuiTest.h"
#include "Screenshots.h"
#include "core/kernel/Kernel.h"
#include "core/tickets/TicketFile.h"
#include "gui/components/KestStrGrid.h"
#include "gui/components/StatisticsListView.h"
#include "gui/shell/MainWindow.h"
#include "gui/tickets/CheckBoard.h"
#include "gui/tickets/TicketChecker.h"
#include "gui/tickets/TicketViewer.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

class TestTicketChecker : public GuiTest {
    Q_OBJECT

    TicketChecker* m_checker = nullptr;
    TicketViewer* m_viewer = nullptr;

    template <class T = QWidget> T* in(const QString& name) { return control<T>(name, m_checker); }
    QString panel(int i) { return in<QLabel>(QString("Panel%1").arg(i))->text(); }
    StatisticsListView* results() { return in<StatisticsListView>("lvTicket"); }
    void pick(int number)
    {
        QTest::mouseClick(in("DrawGrid1"), Qt::LeftButton, {},
                          CheckBoard::cellOrigin(number) + QPoint(10, 10));
    }

private slots:
    void init()
    {
        startApplication();
        m_checker = mainWindow().findChild<TicketChecker*>();
        m_viewer = mainWindow().findChild<TicketViewer*>();
        // A ticket whose first line is the newest draw's six balls.
        TKestTable& draws = kernel().ResultsTable;
        draws.First();
        QList<int> balls;
        for (int i = 0; i < 6; ++i)
            balls << draws.AsInteger(Tables::Ball1 + i);
        std::sort(balls.begin(), balls.end());
        QString winner;
        for (int ball : balls)
            winner += QString("%1 - ").arg(ball, 2, 10, QChar('0'));
        winner.chop(3);
        SaveTicket({{"001", {winner, "150", "5/5"}, 0},
                    {"002", {"01 - 02 - 03 - 04 - 05 - 50", "065", "0/5"}, 0}},
                   kernel().GetTicketDir() + "/mine.dtk");
        m_checker->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_checker));
    }
    void cleanup() { stop(); }

    void drawTabChecksTheChosenTicket()
    {
        auto* tickets = in<QComboBox>("ComboBox1");
        QCOMPARE(tickets->count(), 1);
        tickets->setCurrentIndex(0);
        emit tickets->activated(0);
        QCOMPARE(in<StatisticsListView>("CheckInfo")->rowAt(4),
                 QStringList({"Total Ticket Combinations", ": 2"}));
        in<QPushButton>("Button1")->click();
        QCOMPARE(panel(0), QString(" Checking Combination : Done"));
        QCOMPARE(results()->rowsModel()->rowCount(), 2);
        QVERIFY(results()->rowAt(0).value(2).startsWith("Div1: R "));
        QCOMPARE(results()->rowAt(1).value(1), QString("Invalid"));
        QCOMPARE(results()->rowsModel()->index(1, 1).data(Qt::ForegroundRole).value<QColor>(),
                 QColor(Qt::red));
        QCOMPARE(in<StatisticsListView>("CheckInfo")->rowAt(5),
                 QStringList({"Highest Match", ": 6"}));
        saveScreenshot(m_checker, "TfrmCheck-draw");

        // The link shows the ticket in the viewer, whose Open waits for it to close.
        emit in<QLabel>("Label15")->linkActivated("#");
        QVERIFY(m_viewer->isVisible());
        QCOMPARE(m_viewer->windowTitle(), QString("Viewing mine Ticket"));
        QVERIFY(!control<QPushButton>("Button2", m_viewer)->isEnabled());
        QCOMPARE(control<QLabel>("Label7", m_viewer)->text(), QString(": 002"));
        saveScreenshot(m_viewer, "TfrmView");
        m_viewer->close();
        QVERIFY(control<QPushButton>("Button2", m_viewer)->isEnabled());

        in<QPushButton>("btnAllDraws")->click();
        QVERIFY(in<StatisticsListView>("lvHistory")->rowsModel()->rowCount() >= 1);
        QVERIFY(in<QLabel>("lbHistoryTotals")->text().contains("Draws Checked: "));
        saveScreenshot(m_checker, "TfrmCheck-everydraw");

        // Changing the tab clears everything, the current ticket too.
        in<QTabWidget>("PageControl1")->setCurrentIndex(1);
        QCOMPARE(results()->rowsModel()->rowCount(), 0);
        QCOMPARE(m_viewer->combinations().size(), 0);
        QCOMPARE(panel(1), QString(" Total Prize: None"));
        QVERIFY(!in<QPushButton>("Button7")->isEnabled());
    }

    void customTabChecksTheBoardPicks()
    {
        in<QTabWidget>("PageControl1")->setCurrentIndex(1);
        for (int number : {3, 9, 14, 22, 35, 41, 7, 48})
            pick(number);
        QCOMPARE(in<QLabel>("Label14")->text(), QString("7 of 7"));
        QCOMPARE(in<QLabel>("ab")->text(), QString("07"));
        pick(7);
        QCOMPARE(in<QLabel>("ab")->text(), QString("00"));
        pick(7);
        auto* grid = in<TKestStrGrid>("KestStrGrid1");
        const QStringList numbers{"03", "07", "09", "14", "22", "35"};
        for (int column = 0; column < 6; ++column)
            grid->setCellText(0, column, numbers[column]);
        in<QPushButton>("Button1")->click();
        QCOMPARE(results()->rowAt(0),
                 QStringList({"03 - 07 - 09 - 14 - 22 - 35", "03 07 09 14 22 35 ", "Div2"}));
        QCOMPARE(panel(1), QString(" Total Prize : Unknown"));
        saveScreenshot(m_checker, "TfrmCheck-custom");

        grid->setRowCount(2); // a trailing empty row
        in<QPushButton>("Button1")->click();
        QCOMPARE(panel(0), QString(" Unable to check combinations"));
    }
};

QTEST_MAIN(TestTicketChecker)
#include "tst_ticketchecker.moc"
