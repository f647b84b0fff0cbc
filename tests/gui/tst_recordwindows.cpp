#include "GuiTest.h"
#include "Screenshots.h"
#include "core/kernel/Kernel.h"
#include "gui/components/KestFileDialog.h"
#include "gui/components/KestMessage.h"
#include "gui/components/KestPopup.h"
#include "gui/components/StatisticsListView.h"
#include "gui/records/AddDrawWindow.h"
#include "gui/records/DrawDetailsWindow.h"
#include "gui/records/FilterEditor.h"
#include "gui/records/GameSelectionWindow.h"
#include "gui/shell/Application.h"
#include "gui/shell/MainWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

class TestRecordWindows : public GuiTest {
    Q_OBJECT

    QString lastNotice() { return app().popup().lastText(); }
    TKestTable& results() { return kernel().ResultsTable; }
    QTableView* grid() { return control<QTableView>("LottoGrid", &mainWindow()); }
    template <class Window> Window* window() { return mainWindow().findChild<Window*>(); }
    QPushButton* button(const QString& name, const QWidget* in)
    {
        return control<QPushButton>(name, in);
    }
    QLineEdit* box(const QString& name)
    {
        return control<QLineEdit>(name, window<AddDrawWindow>());
    }
    QString script()
    {
        return control<QPlainTextEdit>("ScriptBox", window<FilterEditor>())->toPlainText();
    }

    // Types the text again, as the user would, so that its check runs.
    void retype(QLineEdit* edit)
    {
        const QString text = edit->text();
        edit->clear();
        edit->setText(text);
    }

    // Fills the entry window with the current draw's fields.
    void typeCurrentDraw()
    {
        for (int i = 0; i < 6; ++i)
            box(QString("BA%1").arg(i + 1))->setText(results().AsString(Tables::Ball1 + i));
        box("Edit22")->setText(results().AsString("BONUSBALL"));
        const QStringList numbers{"Edit21", "Edit15", "Edit16", "Edit18",
                                  "Edit17", "Edit19", "Edit20"};
        for (const QString& name : numbers)
            box(name)->setText("1");
        for (int i = 1; i <= 14; ++i)
            box(QString("Edit%1").arg(i))->setText(QString::number(i));
    }

private slots:
    void init()
    {
        startApplication();
        mainWindow().show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow()));
        TKestMessage::clearAnswered();
    }
    void cleanup() { stop(); }

    void theEditorBuildsAndRunsScripts()
    {
        trigger("TBItem6");
        auto* editor = window<FilterEditor>();
        QVERIFY(editor->isVisible());
        control<QComboBox>("FieldBox", window<FilterEditor>())->setCurrentText("BALL1");
        control<QComboBox>("OperatorBox", window<FilterEditor>())->setCurrentText(">=");
        control<QLineEdit>("ValueBox", window<FilterEditor>())->setText("40");
        button("btnAdd", editor)->click();
        QCOMPARE(script(), QString("(BALL1>='40')"));
        button("btnOr", editor)->click();
        button("btnNot", editor)->click();
        control<QComboBox>("FieldBox", window<FilterEditor>())->setCurrentText("DRAWMACHINE");
        control<QComboBox>("OperatorBox", window<FilterEditor>())->setCurrentText("=");
        control<QLineEdit>("ValueBox", window<FilterEditor>())->setText("B");
        button("btnAdd", editor)->click();
        QCOMPARE(script(), QString("(BALL1>='40') OR  NOT (DRAWMACHINE='B')"));
        saveScreenshot(editor, "TfrmSearch-script");
        button("btnClear", editor)->click();
        QVERIFY(script().isEmpty());

        // The editor's own form matches the imported " B", as the blank is no part of it.
        button("btnAdd", editor)->click();
        button("btnExecute", editor)->click();
        QVERIFY(results().filtered());
        QVERIFY(results().RecordCount() > 0);
        QCOMPARE(kernel().Stats.RecordCount, results().RecordCount());
        QVERIFY(!button("btnExecute", editor)->isEnabled());
        QVERIFY(!control<QPlainTextEdit>("ScriptBox", window<FilterEditor>())->isEnabled());
        QVERIFY(button("btnStop", editor)->isEnabled());
        QVERIFY(control<QAction>("btnStop", &mainWindow())->isEnabled());

        button("btnStop", editor)->click();
        QVERIFY(!results().filtered());
        QCOMPARE(kernel().Stats.RecordCount, results().RecordCount());

        editor->setScript("(BALL1>'49')");
        button("btnExecute", editor)->click();
        QCOMPARE(lastNotice(), QString("No maching record(s) was found"));
        QVERIFY(!results().filtered());
    }

    void calculateResultUncheckedKeepsTheStatisticsOfAllDraws()
    {
        auto* editor = window<FilterEditor>();
        const int all = results().RecordCount();
        control<QCheckBox>("CheckBox1", window<FilterEditor>())->click();
        editor->setScript("(DRAWMACHINE='B')");
        button("btnExecute", editor)->click();
        QVERIFY(results().RecordCount() < all);
        QCOMPARE(kernel().Stats.RecordCount, all);
        control<QCheckBox>("CheckBox1", window<FilterEditor>())
            ->click(); // checked again: the draws that pass
        QCOMPARE(kernel().Stats.RecordCount, results().RecordCount());
    }

    void theToolBarGoesThroughTheEditor()
    {
        auto* editor = window<FilterEditor>();
        auto* scripts = control<QComboBox>("ComboBox1", &mainWindow());
        const int machineB = scripts->findText("MachineB");
        scripts->setCurrentIndex(machineB);
        emit scripts->activated(machineB);
        QCOMPARE(script(), QString("(DRAWMACHINE=' B')"));
        QVERIFY(!results().filtered());

        // What the toolbar runs is the editor's text, edits included.
        editor->setScript("(DRAWMACHINE='A')");
        trigger("btnExecute", &mainWindow());
        QVERIFY(results().filtered());
        results().First();
        QCOMPARE(results().AsString("DRAWMACHINE"), QString(" A"));
        QCOMPARE(mainWindow().runningScript(), QString("MachineB"));
        trigger("btnStop", &mainWindow());

        const QString file = kernel().GetFilterDir() + "/Rollovers.flt";
        TKestFileDialog::setNextFileName(file);
        button("btnOpen", editor)->click();
        QCOMPARE(mainWindow().runningScript(), file);
        QCOMPARE(script(), QString("(ROLLOVERCOUNT>'0')"));
    }

    void savingWritesLinesAndRefillsTheList()
    {
        trigger("TBItem18");
        auto* editor = window<FilterEditor>();
        editor->setScript("(BALL1<'10') AND\n(BALL2<'20')");
        const QString file = kernel().GetFilterDir() + "/Mine.flt";
        TKestFileDialog::setNextFileName(file);
        button("btnSave", editor)->click();
        QFile saved(file);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("(BALL1<'10') AND\r\n(BALL2<'20')\r\n"));
        auto* scripts = control<QComboBox>("ComboBox1", &mainWindow());
        QVERIFY(scripts->findText("Mine") >= 0);

        QVERIFY(QFile::remove(file));
        button("Button2", editor)->click();
        QVERIFY(!editor->isVisible());
        QCOMPARE(scripts->findText("Mine"), -1);
    }

    void theEntryWindowChecksWhatIsTyped()
    {
        trigger("TBItem3");
        auto* add = window<AddDrawWindow>();
        QPushButton* ok = button("Button1", add);
        QVERIFY(!ok->isEnabled());
        box("BA1")->setText("5");
        QVERIFY(ok->isEnabled());
        box("BA1")->setText("50");
        QVERIFY(!ok->isEnabled());
        QCOMPARE(lastNotice(), QString("Please select a valid entry between 1 and 49"));
        QCOMPARE(box("BA1")->palette().color(QPalette::Base), QColor(255, 99, 23));
        QCOMPARE(box("BA1")->palette().color(QPalette::Text), QColor(Qt::white));
        box("BA2")->setText("7"); // OK follows the latest check
        QVERIFY(ok->isEnabled());
        box("Edit21")->setText("0");
        QCOMPARE(lastNotice(), QString("This field may not be empty, please select a valid entry"));
        QVERIFY(!ok->isEnabled());
        box("Edit21")->setText("00"); // only the text "0" is refused
        QVERIFY(ok->isEnabled());
        QVERIFY(box("Edit21")->palette().color(QPalette::Base) != QColor(255, 99, 23));

        // OK refuses the 50, and an empty box, and keeps the window open with its entries.
        const int draws = results().RecordCount();
        typeCurrentDraw();
        box("BA1")->setText("50");
        retype(box("BA2")); // a valid box enables OK again
        ok->click();
        QCOMPARE(lastNotice(), QString("Ball 1 is 50: every ball must be between 1 and 49"));
        box("BA1")->setText(box("BA2")->text());
        ok->click();
        QVERIFY(lastNotice().startsWith("Ball 2 repeats "));
        box("Edit14")->clear();
        ok->click();
        QCOMPARE(lastNotice(),
                 QString("Please make sure all fields are specified before continueing"));
        QVERIFY(add->isVisible());
        QCOMPARE(results().RecordCount(), draws);
        saveScreenshot(add, "TfrmAdd-error");
    }

    void aRemovedDrawCanBeAddedBack()
    {
        results().First();
        const QString date = results().AsString("DRAWDATE");
        const QDate day = QLocale::c().toDate(date.trimmed(), "dd MMMM yyyy");
        QVERIFY(day.isValid());
        const int draws = results().RecordCount();
        trigger("TBItem3");
        typeCurrentDraw();
        TKestMessage::setNextAnswer(QMessageBox::Yes);
        trigger("TBItem5");
        QCOMPARE(results().RecordCount(), draws - 1);

        auto* add = window<AddDrawWindow>();
        control<QDateEdit>("DateTimePicker1", add)->setDate(day);
        button("Button1", add)->click();
        QVERIFY(!add->isVisible());
        QCOMPARE(results().RecordCount(), draws);
        QCOMPARE(kernel().Stats.RecordCount, draws);
        QCOMPARE(grid()->model()->index(0, 0).data().toString(), date);
        QCOMPARE(grid()->currentIndex().row(), 0);
        trigger("TBItem3");
        QVERIFY(!button("Button1", add)->isEnabled());
    }

    void detailsStepThroughTheDraws()
    {
        QTest::keyClick(grid(), Qt::Key_Return);
        auto* info = window<DrawDetailsWindow>();
        QVERIFY(info->isVisible());
        results().First();
        QCOMPARE(control<QLabel>("LC1", info)->text(),
                 QString::asprintf("%.2d", results().AsInteger("BALL1")));
        QCOMPARE(control<QLabel>("Panel3", info)->text(), results().AsString("DRAWDATE"));
        auto* report = control<StatisticsListView>("Report", info);
        QCOMPARE(report->rowsModel()->rowCount(), 29);
        saveScreenshot(info, "TfrmInfo-draw");

        const QString newest = results().AsString("DRAWDATE");
        button("Button1", info)->click(); // Next at the newest: the same draw
        QCOMPARE(control<QLabel>("Panel3", info)->text(), newest);
        button("Button2", info)->click(); // Back: the older draw, and the grid follows
        QCOMPARE(results().RecNo(), 2);
        QCOMPARE(grid()->currentIndex().row(), 1);
        QCOMPARE(control<QLabel>("Panel3", info)->text(), results().AsString("DRAWDATE"));

        results().Last();
        const QString oldest = results().AsString("DRAWDATE");
        button("Button2", info)->click();
        QCOMPARE(control<QLabel>("Panel3", info)->text(), oldest);
        button("Button3", info)->click();
        QVERIFY(!info->isVisible());
    }

    void theGameWindowSwitchesGames()
    {
        trigger("TBItem26");
        auto* open = window<GameSelectionWindow>();
        auto* tabs = control<QTabWidget>("PageControl1", open);
        QCOMPARE(tabs->count(), 6);
        QCOMPARE(tabs->tabText(0), QString("South Africa"));
        QCOMPARE(tabs->widget(5)->findChild<QLabel*>()->text(),
                 QString("Currently not supported in this version"));
        QVERIFY(!button("Button3", open)->isEnabled());
        saveScreenshot(open, "TfrmOpen-games");

        button("Button1", open)->click(); // nothing selected: closes, changes nothing
        QVERIFY(!open->isVisible());
        QCOMPARE(kernel().currentGame(), QString(Tables::Lotto));

        trigger("TBItem4");
        QVERIFY(button("Button1", open)->isEnabled());
        auto* games = control<QListWidget>("ListView2", open);
        QCOMPARE(games->item(1)->text(), QString("National Lotto Plus"));
        games->setCurrentRow(1);
        emit games->itemDoubleClicked(games->item(1));
        QVERIFY(!open->isVisible());
        QCOMPARE(kernel().currentGame(), QString(Tables::LottoPlus));
        QCOMPARE(control<QLabel>("Label2", &mainWindow())->text(),
                 QString("National Lotto Plus Statistics"));
        QCOMPARE(control<QLabel>("Label3", &mainWindow())->text(),
                 QString("National Lotto Plus Draw(s)"));
        QCOMPARE(control<QLabel>("StatusPanel3", &mainWindow())->text(),
                 QString(" Database : National Lotto Plus"));
        QVERIFY(control<QAction>("TBItem27", &mainWindow())->isChecked());
        QVERIFY(!control<QAction>("TBItem28", &mainWindow())->isChecked());

        // The game shown, chosen again, is opened again: a running filter stops.
        window<FilterEditor>()->setScript("(BALL1<'10')");
        window<FilterEditor>()->runScript();
        QVERIFY(results().filtered());
        trigger("TBItem27");
        QVERIFY(!results().filtered());
        QCOMPARE(kernel().Stats.RecordCount, results().RecordCount());

        trigger("TBItem28");
        QCOMPARE(control<QLabel>("Label2", &mainWindow())->text(),
                 QString("National Lotto Statistics"));
    }
};

QTEST_MAIN(TestRecordWindows)
#include "tst_recordwindows.moc"
