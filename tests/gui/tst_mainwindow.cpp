#include "Screenshots.h"
#include "TestEnvironment.h"
#include "core/kernel/Kernel.h"
#include "core/tickets/TicketFile.h"
#include "gui/components/KestExBar.h"
#include "gui/components/KestFileDialog.h"
#include "gui/components/KestMessage.h"
#include "gui/components/KestPopup.h"
#include "gui/generator/GeneratorWindow.h"
#include "gui/records/AddDrawWindow.h"
#include "gui/records/DrawDetailsWindow.h"
#include "gui/shell/AboutBox.h"
#include "gui/shell/Application.h"
#include "gui/shell/MagnifierWindow.h"
#include "gui/shell/MainWindow.h"
#include "gui/stats/StatisticsPages.h"
#include "gui/tickets/TicketViewer.h"
#include "gui/update/UpdateWizard.h"

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QtTest>

// Records the addresses the program asks the desktop to open.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

class TestMainWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<Application> m_app;
    MainWindow* m_main = nullptr;

    TKernel& kernel() { return m_app->kernel(); }
    QString lastNotice() { return m_app->popup().lastText(); }
    template <class Window> bool visible() { return m_main->findChild<Window*>()->isVisible(); }
    template <class Control = QWidget> Control* control(const QString& name)
    {
        return m_main->findChild<Control*>(name);
    }
    QAction* command(const QString& name) { return control<QAction>(name); }
    QString statusPanel(int index)
    {
        return control<QLabel>(QString("StatusPanel%1").arg(index))->text();
    }
    QTableView* grid() { return control<QTableView>("LottoGrid"); }
    void trigger(const char* name)
    {
        QAction* action = command(name);
        QVERIFY2(action, name);
        action->trigger();
    }
    using Item = MainWindow::TaskBarItem;

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        TestData::installSample();
        m_app = std::make_unique<Application>();
        m_main = &m_app->main();
        m_main->setHelpFolder(m_env->path("home"));
        m_main->showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(m_main));
        TKestMessage::clearAnswered();
    }

    void cleanup()
    {
        m_app.reset();
        m_env.reset();
    }

    void everyCommandExistsWithItsCaption()
    {
        const char* const commands[][2] = {{"TBItem26", "Open"},
                                           {"TBItem3", "Add New"},
                                           {"TBItem5", "Remove"},
                                           {"TBVisibilityToggleItem1", "Filter"},
                                           {"TBItem13", "Favourite"},
                                           {"TBItem24", "Generate"},
                                           {"TBItem11", "Update"},
                                           {"TBItem7", "About"},
                                           {"TBItem23", "Help"},
                                           {"TBItem6", "Create Script"},
                                           {"btnExecute", "Run Script"},
                                           {"btnStop", "Stop Script"},
                                           {"btnOpen", "Open Script"},
                                           {"TBItem4", "Open"},
                                           {"TBItem28", "1. National Lotto "},
                                           {"TBItem27", "2. National Lotto Plus"},
                                           {"TBItem22", "Preferences"},
                                           {"TBItem2", "E&xit"},
                                           {"TBVisibilityToggleItem5", "Filter Toolbar"},
                                           {"TBItem18", "Filter Script Editor"},
                                           {"TBVisibilityToggleItem3", "Toolbar"},
                                           {"TBItem32", "Magnifier"},
                                           {"TBItem12", "Check Lotto Ticket"},
                                           {"TBItem20", "Combination Generator"},
                                           {"TBItem19", "Favourite Numbers"},
                                           {"TBItem21", "Anylize Frequencies"},
                                           {"TBItem8", "Drawsage Help"},
                                           {"TBItem10", "Update Database"},
                                           {"TBItem30", "Contact Kestrix Support"},
                                           {"TBItem9", "About Drawsage"},
                                           {"TBVisibilityToggleItem2", "Filter Toolbar"},
                                           {"TBItem17", "Filter Script Editor"},
                                           {"TBItem14", "Add New Entry"},
                                           {"TBItem15", "Delete Entry"},
                                           {"TBItem16", "Entry Details"},
                                           {"TBVisibilityToggleItem4", "Menu Bar"},
                                           {"TBVisibilityToggleItem6", "Toolbar"},
                                           {"TBVisibilityToggleItem7", "Filter Bar"},
                                           {"TBItem33", "Show Magnifier"}};
        for (const auto& [name, caption] : commands) {
            QAction* action = command(name);
            QVERIFY2(action, name);
            QCOMPARE(action->text(), QString(caption));
        }
    }

    void theFirstShowingFillsTheWindow()
    {
        QCOMPARE(m_main->windowTitle(), QString("Drawsage - South African Edition"));
        QVERIFY(control<QLabel>("lblMarquee")->text().contains("The next estimated jackpot prize"));
        QCOMPARE(statusPanel(0),
                 QString(" Known Lotto Draws: %1").arg(kernel().ResultsTable.RecordCount()));
        QVERIFY(statusPanel(1).startsWith(" Random Seed: "));
        QVERIFY(statusPanel(2).startsWith(" Processor : "));
        QCOMPARE(kernel().ScrollTimer.interval(), 200);
        // The sample scripts, the first shown selected and not run.
        QCOMPARE(control<QComboBox>("ComboBox1")->itemText(0), QString("BigJackpots"));
        QCOMPARE(control<QComboBox>("ComboBox1")->currentIndex(), 0);
        QVERIFY(!kernel().ResultsTable.filtered());
        // The marquee moves one character per tick.
        const QString text = control<QLabel>("lblMarquee")->text();
        QMetaObject::invokeMethod(&kernel().ScrollTimer, "timeout", Qt::DirectConnection);
        QCOMPARE(control<QLabel>("lblMarquee")->text(), text.mid(1) + text.left(1));
        // The window with each statistics page, for a person to look at.
        QTabWidget* pages = m_main->findChild<QTabWidget*>("PageControl1");
        QCOMPARE(pages->count(), 6);
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            saveScreenshot(m_main, "main-window-" + pages->widget(page)->objectName());
        }
        // And as it looks on a common laptop screen.
        pages->setCurrentIndex(0);
        m_main->showNormal();
        m_main->resize(1366, 768);
        saveScreenshot(m_main, "main-window-1366x768");
    }

    void theTaskBarIsBuiltOnceAndRefreshed()
    {
        auto* bar = control<TKestExBar>("TaskBar");
        QVERIFY(bar);
        QCOMPARE(bar->groupCount(), 3);
        QCOMPARE(bar->group(0)->caption(), QString("Common Tasks"));
        QVERIFY(bar->isCollapsed(2));
        QList<int> ids;
        for (const TKestExEntry& entry : bar->entries(0) + bar->entries(2))
            ids << entry.id;
        QCOMPARE(ids, QList<int>({2, 1, 5, 6, 3, 4, 11, 12, 13, 14}));

        // Every later refresh changes only the hot and cold group.
        m_main->RecalculateAll();
        QCOMPARE(control<TKestExBar>("TaskBar"), bar);
        QCOMPARE(bar->groupCount(), 3);
        const QList<TKestExEntry> hotCold = bar->entries(1);
        QCOMPARE(hotCold.first().caption, QString("Hot Numbers"));
        QCOMPARE(hotCold.first().kind, TKestExEntry::Heading);
        QCOMPARE(hotCold.size(), 14);
        QCOMPARE(hotCold[1].caption,
                 QString::asprintf("%.2d", kernel().Stats.Numbers[1].rankedNumber));

        m_main->ItemClick(Item::About);
        QVERIFY(m_main->findChild<QDialog*>("TfrmAbout")->isVisible());
    }

    void updateAsksFirst()
    {
        TKestMessage::setNextAnswer(QMessageBox::No);
        trigger("TBItem11");
        QVERIFY(!visible<UpdateWizard>());
        QVERIFY(lastNotice() != "Drawsage will attempt to connect to the Internet");
        QCOMPARE(TKestMessage::answeredTexts().first(),
                 QString("This feature will update the database using your default Internet "
                         "connection.\n\rDo you want Drawsage to connect to the Internet?"));

        TKestMessage::setNextAnswer(QMessageBox::Yes);
        trigger("TBItem10");
        QVERIFY(visible<UpdateWizard>());
        QCOMPARE(lastNotice(), QString("Drawsage will attempt to connect to the Internet"));
    }

    void helpOpensTheProgramsPages()
    {
        m_main->setHelpFolder({}); // the pages built into the program
        for (const char* command : {"TBItem8", "TBItem23"}) {
            trigger(command);
            auto* help = control<QWidget>("TfrmHelp");
            QVERIFY2(help->isVisible(), command);
            help->hide();
        }
        m_main->ItemClick(Item::GettingStarted);
        QVERIFY(control<QWidget>("TfrmHelp")->isVisible());
        QVERIFY(lastNotice().isEmpty());
    }

    void commandsHaveTheirUsualShortCuts()
    {
        const std::pair<const char*, QKeySequence> keys[] = {
            {"TBItem4", QKeySequence("Ctrl+O")},  {"TBItem2", QKeySequence("Ctrl+Q")},
            {"TBItem14", QKeySequence("Ins")},    {"TBItem15", QKeySequence("Del")},
            {"TBItem20", QKeySequence("Ctrl+G")}, {"TBItem12", QKeySequence("Ctrl+K")},
            {"TBItem10", QKeySequence("F5")},     {"TBItem18", QKeySequence("Ctrl+F")},
            {"TBItem22", QKeySequence("Ctrl+,")}, {"TBItem8", QKeySequence("F1")}};
        QList<QKeySequence> all;
        for (QAction* action : m_main->findChildren<QAction*>())
            if (!action->shortcut().isEmpty())
                all << action->shortcut();
        for (const auto& [name, key] : keys) {
            QAction* action = command(name);
            QCOMPARE(action->shortcut(), key);
            QCOMPARE(all.count(key), 1); // a key on two commands would do nothing
            // Shown in a menu: the action sits in one.
            const QList<QObject*> shownIn = action->associatedObjects();
            QVERIFY2(std::any_of(shownIn.begin(), shownIn.end(),
                                 [](QObject* o) { return qobject_cast<QMenu*>(o) != nullptr; }),
                     name);
        }
        m_main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_main));
        QTest::keyClick(m_main, Qt::Key_G, Qt::ControlModifier);
        QVERIFY(visible<GeneratorWindow>());
    }

    void noPageForcesTheWindowWiderThanALaptopScreen()
    {
        m_main->showNormal();
        m_main->resize(1024, 700);
        auto* pages = control<QTabWidget>("PageControl1");
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            QCoreApplication::processEvents();
            QVERIFY2(m_main->minimumSizeHint().width() <= 1024,
                     qPrintable(pages->widget(page)->objectName()));
            QVERIFY2(m_main->width() <= 1024, qPrintable(pages->widget(page)->objectName()));
        }
        saveScreenshot(m_main, "main-window-1024");
    }

    void helpReportsAMissingHelpFileFromTheMenuOnly()
    {
        trigger("TBItem23");
        QVERIFY(lastNotice().isEmpty());
        trigger("TBItem8");
        QCOMPARE(lastNotice(),
                 QString("There was un unexpected error while opening Drawsage Help"));
    }

    void webAndMailGoToTheDesktop()
    {
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler("mailto", &recorder, "open");
        QDesktopServices::setUrlHandler("https", &recorder, "open");
        trigger("TBItem30");
        m_main->ItemClick(Item::Website);
        QDesktopServices::unsetUrlHandler("mailto");
        QDesktopServices::unsetUrlHandler("https");
        QCOMPARE(recorder.opened.size(), 2);
        QCOMPARE(recorder.opened[0].scheme(), QString("mailto"));
        QVERIFY(TKestMessage::answeredTexts().isEmpty());
    }

    void removingADrawAsksAndRebuilds()
    {
        TKestTable& results = kernel().ResultsTable;
        const int draws = results.RecordCount();
        results.First();
        const QString date = results.AsString("DRAWDATE");
        TKestMessage::setNextAnswer(QMessageBox::No);
        trigger("TBItem5");
        QCOMPARE(results.RecordCount(), draws);
        QCOMPARE(TKestMessage::answeredTexts().first(),
                 "Are you sure you want to remove this entry? \n\r\rDraw Date : " + date);

        TKestMessage::setNextAnswer(QMessageBox::Yes);
        QTest::keyClick(grid(), Qt::Key_Delete);
        QCOMPARE(results.RecordCount(), draws - 1);
        QCOMPARE(kernel().Stats.RecordCount, draws - 1);
        QCOMPARE(grid()->model()->rowCount(), draws - 1);
        // The grid shows the draw the next Delete would remove.
        QCOMPARE(grid()->currentIndex().row(), results.position());
        QCOMPARE(grid()->currentIndex().data().toString(), results.AsString("DRAWDATE"));
    }

    void gridKeysAndDoubleClickOpenTheDrawWindows()
    {
        QTest::keyClick(grid(), Qt::Key_Insert);
        QVERIFY(visible<AddDrawWindow>());
        QTest::keyClick(grid(), Qt::Key_Return);
        QVERIFY(visible<DrawDetailsWindow>());
    }

    void theFilterBarRunsAndStopsScripts()
    {
        QComboBox* scripts = control<QComboBox>("ComboBox1");
        const int machineB = scripts->findText("MachineB");
        QVERIFY(machineB >= 0);
        scripts->setCurrentIndex(machineB);
        emit scripts->activated(machineB); // choosing loads, does not run
        QVERIFY(!kernel().ResultsTable.filtered());

        trigger("btnExecute");
        TKestTable& results = kernel().ResultsTable;
        QVERIFY(results.filtered());
        QVERIFY(results.RecordCount() > 0);
        for (results.First(); !results.Eof(); results.Next())
            QCOMPARE(results.AsString("DRAWMACHINE"), QString(" B"));
        QCOMPARE(statusPanel(4), QString(" Filter script \"MachineB\" running"));
        QCOMPARE(kernel().Stats.RecordCount, results.RecordCount());
        QVERIFY(!command("btnExecute")->isEnabled());
        QVERIFY(command("btnStop")->isEnabled());
        QVERIFY(!scripts->isEnabled());

        trigger("btnStop");
        QVERIFY(!results.filtered());
        QCOMPARE(statusPanel(4), QString(" No filter script running"));
        QVERIFY(scripts->isEnabled());
    }

    void aScriptThatMatchesNothingSaysSo()
    {
        QFile script(kernel().GetFilterDir() + "/Nothing.flt");
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("(BALL1>'49')\r\n");
        script.close();
        TKestFileDialog::setNextFileName(script.fileName());
        trigger("btnOpen");
        trigger("btnExecute");
        QCOMPARE(lastNotice(), QString("No maching record(s) was found"));
        QVERIFY(!kernel().ResultsTable.filtered());
        QCOMPARE(grid()->model()->rowCount(), kernel().ResultsTable.RecordCount());
    }

    void toolBarTogglesStayInStep()
    {
        trigger("TBVisibilityToggleItem1");
        QVERIFY(!control<QToolBar>("tbFilter")->isVisible());
        QVERIFY(!command("TBVisibilityToggleItem5")->isChecked());
        QVERIFY(!command("TBVisibilityToggleItem7")->isChecked());
        trigger("TBVisibilityToggleItem7");
        QVERIFY(control<QToolBar>("tbFilter")->isVisible());
        QVERIFY(command("TBVisibilityToggleItem1")->isChecked());
        trigger("TBVisibilityToggleItem3");
        QVERIFY(!control<QToolBar>("tbTools")->isVisible());
        QVERIFY(!command("TBVisibilityToggleItem6")->isChecked());
    }

    void magnifierOpensAtTheLowerLeft()
    {
        trigger("TBItem32");
        auto* zoom = m_main->findChild<MagnifierWindow*>();
        QVERIFY(zoom->isVisible());
        QCOMPARE(zoom->x(), m_main->x() + 20);
    }

    void cancellingTheTicketDialogShowsNothing()
    {
        TKestFileDialog::setNextFileName(QString());
        m_main->ItemClick(Item::ViewTicket);
        QVERIFY(!visible<TicketViewer>());
    }

    void aSavedTicketOpensInTheViewer()
    {
        const QString ticket = m_env->path("home/mine.dtk");
        SaveTicket({{"001", {"01 - 02 - 03 - 04 - 05 - 06", "021", "0/5"}, 0}}, ticket);
        TKestFileDialog::setNextFileName(ticket);
        m_main->ItemClick(Item::ViewTicket);
        QVERIFY(visible<TicketViewer>());
        auto* viewer = m_main->findChild<TicketViewer*>();
        QCOMPARE(viewer->lvResult->rowAt(0),
                 QStringList({"001", "01 - 02 - 03 - 04 - 05 - 06", "021", "0/5"}));
        viewer->hide();

        QFile notATicket(m_env->path("home/other.dtk"));
        QVERIFY(notATicket.open(QIODevice::WriteOnly));
        notATicket.write("XYZ");
        notATicket.close();
        TKestFileDialog::setNextFileName(notATicket.fileName());
        TKestMessage::setNextAnswer(QMessageBox::Ok);
        m_main->ItemClick(Item::ViewTicket);
        QVERIFY(!visible<TicketViewer>());
        QCOMPARE(TKestMessage::answeredTexts().last(),
                 QString("\"other.dtk\" is not a Ticket file!"));
        QCOMPARE(viewer->lvResult->rowAt(0).value(0), QString("001")); // the list is kept
    }

    void switchingTheGameShowsItsDraws()
    {
        trigger("TBItem27");
        QCOMPARE(kernel().currentGame(), QString("NL00A2.DB"));
        QCOMPARE(control<QLabel>("Label3")->text(), QString("National Lotto Plus Draw(s)"));
        QCOMPARE(statusPanel(3), QString(" Database : National Lotto Plus"));
        QCOMPARE(grid()->model()->rowCount(), kernel().ResultsTable.RecordCount());
        QCOMPARE(kernel().Stats.RecordCount, kernel().ResultsTable.RecordCount());
        trigger("TBItem28");
        QCOMPARE(control<QLabel>("Label3")->text(), QString("National Lotto Draw(s)"));
    }

    // Errors the engine raises during a command are reported in the error box, and the program
    // goes on with the window as it was.
    void aTicketPathThatIsAFolderIsReported()
    {
        QVERIFY(QDir().mkpath(m_env->path("home/folder.dtk")));
        TKestFileDialog::setNextFileName(m_env->path("home/folder.dtk"));
        TKestMessage::setNextAnswer(QMessageBox::Ok);
        m_main->ItemClick(Item::ViewTicket);
        QCOMPARE(TKestMessage::answeredTexts().size(), 1);
        QVERIFY2(TKestMessage::answeredTexts().first().contains("is not a Ticket file"),
                 qPrintable(TKestMessage::answeredTexts().first()));
        QVERIFY(!visible<TicketViewer>());
        trigger("TBItem7");
        QVERIFY(visible<AboutBox>());
    }

    void aGameThatCannotBeOpenedLeavesThePreviousOneShown()
    {
        const int draws = kernel().ResultsTable.RecordCount();
        QVERIFY(QFile::remove(QDir(kernel().GetDataDir()).filePath("NL00A2.DB")));
        TKestMessage::setNextAnswer(QMessageBox::Ok);
        trigger("TBItem27");
        QCOMPARE(TKestMessage::answeredTexts().size(), 1);
        QVERIFY(TKestMessage::answeredTexts().first().startsWith("Table does not exist"));

        QCOMPARE(kernel().currentGame(), QString("NL00A1.DB"));
        QVERIFY(kernel().ResultsTable.Active());
        QCOMPARE(kernel().ResultsTable.RecordCount(), draws);
        QCOMPARE(kernel().Stats.RecordCount, draws);
        QCOMPARE(grid()->model()->rowCount(), draws);
        QCOMPARE(control<QLabel>("Label3")->text(), QString("National Lotto Draw(s)"));
        QCOMPARE(statusPanel(3), QString(" Database : National Lotto"));
        QVERIFY(command("TBItem28")->isChecked());
        QVERIFY(!command("TBItem27")->isChecked());
        trigger("TBItem28"); // the current game: nothing to do, nothing to report
        QCOMPARE(TKestMessage::answeredTexts().size(), 1);
        trigger("TBItem7");
        QVERIFY(visible<AboutBox>());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
