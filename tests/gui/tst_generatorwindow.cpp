#include "Screenshots.h"
#include "TestEnvironment.h"
#include "core/kernel/Kernel.h"
#include "core/stats/CombinationFrequencies.h"
#include "core/tickets/TicketFile.h"
#include "gui/components/KestFileDialog.h"
#include "gui/components/KestMessage.h"
#include "gui/components/KestPopup.h"
#include "gui/generator/GeneratorWindow.h"
#include "gui/generator/TemplateEditor.h"
#include "gui/shell/Application.h"
#include "gui/shell/MainWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSlider>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

class TestGeneratorWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<Application> m_app;
    MainWindow* m_main = nullptr;
    GeneratorWindow* m_gen = nullptr;

    TKernel& kernel() { return m_app->kernel(); }
    template <class Control = QWidget> Control* control(const char* name)
    {
        auto* found = m_gen->findChild<Control*>(name);
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QPushButton* button(const char* name) { return control<QPushButton>(name); }
    QString panel(int i)
    {
        return control<QLabel>(qPrintable(QString("StatusPanel%1").arg(i)))->text();
    }
    QTableView* list() { return control<QTableView>("lvResult"); }
    QString cell(int row, int column)
    {
        return list()->model()->index(row, column).data().toString();
    }
    void setCount(const QString& text) { control<QLineEdit>("Edit1")->setText(text); }
    void calculate() { QTest::mouseClick(button("Button1"), Qt::LeftButton); }
    void showCustomPage() { control<QTabWidget>("PageControl1")->setCurrentIndex(1); }
    void clickHeader(int column)
    {
        QHeaderView* header = list()->horizontalHeader();
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(column) + 10, header->height() / 2));
    }
    void pick(int number)
    {
        QTest::mouseClick(control<QToolButton>(qPrintable(QString::asprintf("Cell%.2d", number))),
                          Qt::LeftButton);
    }
    QList<int> numbersOf(const QString& text)
    {
        QList<int> numbers;
        for (const QString& part : text.split(" - "))
            numbers << part.toInt();
        return numbers;
    }
    // Every row a valid result row: the six numbers as text, their sum and its rating.
    void verifyRows(int expected, bool ascending)
    {
        QCOMPARE(list()->model()->rowCount(), expected);
        for (int row = 0; row < expected; ++row) {
            QCOMPARE(cell(row, 0), QString::asprintf("%.3d", row + 1));
            const QString text = cell(row, 1);
            QCOMPARE(text.size(), 27);
            const QList<int> numbers = numbersOf(text);
            QCOMPARE(numbers.size(), 6);
            QCOMPARE(QSet<int>(numbers.begin(), numbers.end()).size(), 6);
            if (ascending)
                QVERIFY2(std::is_sorted(numbers.begin(), numbers.end()), qPrintable(text));
            int sum = 0;
            for (int n : numbers) {
                QVERIFY(n >= 1 && n <= 49);
                sum += n;
            }
            QCOMPARE(cell(row, 2), QString::asprintf("%.3d", sum));
            QCOMPARE(cell(row, 3), RateSum(sum).text);
        }
    }

    // Six odd high numbers allow only 1,716 different combinations: the run goes on until
    // stopped.
    void startEndlessRun()
    {
        control<QCheckBox>("CheckBox1")->setChecked(true);
        control<QCheckBox>("CheckBox2")->setChecked(true);
        control<QSlider>("TrackBar1")->setValue(0);
        control<QSlider>("TrackBar2")->setValue(6);
        setCount("32767");
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        TestData::installSample();
        m_app = std::make_unique<Application>();
        m_main = &m_app->main();
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main));
        m_gen = m_main->findChild<GeneratorWindow*>();
        QVERIFY(m_gen);
        m_gen->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_gen));
        TKestMessage::clearAnswered();
    }

    void cleanup()
    {
        m_app.reset();
        m_env.reset();
    }

    void controlsStartAsDesigned()
    {
        QCOMPARE(m_gen->windowTitle(), QString("Drawsage"));
        QCOMPARE(control<QTabWidget>("PageControl1")->currentWidget()->objectName(),
                 QString("TabSheet2"));
        QCOMPARE(control<QTabWidget>("PageControl1")->tabText(1), QString("Custom"));
        QCOMPARE(control<QLineEdit>("Edit1")->text(), QString("16"));
        QCOMPARE(control<QLineEdit>("Edit1")->maxLength(), 5);
        for (const char* name : {"TrackBar1", "TrackBar2"}) {
            auto* bar = control<QSlider>(name);
            QCOMPARE(bar->value(), 3);
            QCOMPARE(bar->maximum(), 6);
            QVERIFY(!bar->isEnabled());
        }
        QVERIFY(!control<QCheckBox>("CheckBox1")->isChecked());
        QVERIFY(!control<QCheckBox>("CheckBox2")->isChecked());
        QVERIFY(control<QRadioButton>("RadioButton2")->isChecked());
        QVERIFY(control<QRadioButton>("RadioGroup1Item1")->isChecked());
        QVERIFY(control<QCheckBox>("CheckBox3")->isChecked());
        QVERIFY(!control<QCheckBox>("CheckBox4")->isChecked());
        // No favourites in a fresh installation.
        QVERIFY(!control<QCheckBox>("CheckBox5")->isEnabled());
        QVERIFY(control<QCheckBox>("CheckBox6")->isChecked());
        QVERIFY(control<QCheckBox>("CheckBox7")->isChecked());
        QVERIFY(
            control("GroupBox3")->toolTip().startsWith("Checked kinds of numbers are preferred"));
        QCOMPARE(control("Edit1")->toolTip(),
                 QString("Specify the number of combinations to generate (8-999)."));
        QCOMPARE(button("Button1")->text(), QString("Ca&lculate"));
        QVERIFY(button("Button1")->isEnabled());
        QVERIFY(button("Button2")->isEnabled());
        for (const char* name : {"Button3", "Button7", "Button8"})
            QVERIFY2(!button(name)->isEnabled(), name);
        const QStringList captions{"Sequence", "Combinations", "Sum", "Rating"};
        for (int column = 0; column < captions.size(); ++column)
            QCOMPARE(list()->model()->headerData(column, Qt::Horizontal).toString(),
                     captions[column]);
        QCOMPARE(list()->columnWidth(1), 200);
        QCOMPARE(list()->horizontalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
        QVERIFY(panel(0).startsWith("Odds: 1 in "));
        QCOMPARE(panel(1), QString(" Successfull: 0"));
        QCOMPARE(panel(2), QString(" Prevented: 0"));
        QCOMPARE(panel(3), QString(" Accuracy: 100.00%"));
    }

    void mainWindowIsDisabledWhileShown_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("Close button") << 0;
        QTest::newRow("close()") << 1;
        QTest::newRow("Escape") << 2;
        QTest::newRow("hide()") << 3;
    }
    void mainWindowIsDisabledWhileShown()
    {
        QFETCH(int, way);
        QVERIFY(!m_main->isEnabled());
        QVERIFY(m_gen->isEnabled());
        QVERIFY(button("Button1")->isEnabled());
        switch (way) {
        case 0:
            QTest::mouseClick(button("Button2"), Qt::LeftButton);
            break;
        case 1:
            m_gen->close();
            break;
        case 2:
            QTest::keyClick(m_gen, Qt::Key_Escape);
            break;
        default:
            m_gen->hide();
        }
        QVERIFY(!m_gen->isVisible());
        QVERIFY(m_main->isEnabled());
        QCOMPARE(list()->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    }

    void runFillsTheListAndTheStatusBar()
    {
        calculate();
        verifyRows(16, true);
        QSet<QString> texts;
        for (int row = 0; row < 16; ++row)
            texts << cell(row, 1);
        QCOMPARE(texts.size(), 16);
        for (const Combination& drawn : kernel().Stats.Combinations)
            QVERIFY(!texts.contains(drawn.text));
        QCOMPARE(panel(1), QString(" Successfull: 16 "));
        QVERIFY(panel(2).startsWith(" Prevented: "));
        QVERIFY(panel(3).startsWith(" Accuracy: "));
        for (const char* name : {"Button1", "Button2", "Button3", "Button8"})
            QVERIFY2(button(name)->isEnabled(), name);
        QVERIFY(!button("Button7")->isEnabled());
        QVERIFY(control("PageControl1")->isEnabled());
        QVERIFY(!m_gen->running());

        // Without checks: the short texts of an unchecked run.
        control<QCheckBox>("CheckBox6")->setChecked(false);
        control<QCheckBox>("CheckBox7")->setChecked(false);
        setCount("40");
        calculate();
        verifyRows(40, true);
        QCOMPARE(panel(1), QString(" Successfull: 040 "));
        QCOMPARE(panel(2), QString(" Prevented: 0"));
        QCOMPARE(panel(3), QString(" Acc: 100.00%"));
    }

    void countFieldRefusesBadInput()
    {
        auto* edit = control<QLineEdit>("Edit1");
        const QColor normal = edit->palette().color(QPalette::Base);
        for (const QString& bad : {QString("0"), QString("40000"), QString("-3")}) {
            setCount("16");
            setCount(bad);
            QVERIFY2(!button("Button1")->isEnabled(), qPrintable(bad));
            QCOMPARE(edit->palette().color(QPalette::Base), QColor(255, 99, 23));
            QCOMPARE(edit->palette().color(QPalette::Text), QColor(Qt::white));
            QCOMPARE(m_app->popup().lastText(),
                     QString("Please select a valid entry between 1 and 1000"));
        }
        // Letters change nothing: the field stays refused.
        setCount("abc");
        QVERIFY(!button("Button1")->isEnabled());
        // Clear does not let an invalid count run.
        calculate();
        QCOMPARE(list()->model()->rowCount(), 0);
        setCount("1000");
        QVERIFY(button("Button1")->isEnabled());
        QCOMPARE(edit->palette().color(QPalette::Base), normal);
        QCOMPARE(panel(0), QString("Odds: 1 in 13,984"));
        setCount("32767");
        QVERIFY(button("Button1")->isEnabled());
    }

    void balancesReachTheEngine()
    {
        auto* oddEven = control<QCheckBox>("CheckBox1");
        auto* lowHigh = control<QCheckBox>("CheckBox2");
        oddEven->setChecked(true);
        lowHigh->setChecked(true);
        QVERIFY(control("TrackBar1")->isEnabled());
        QVERIFY(control("TrackBar2")->isEnabled());
        control<QSlider>("TrackBar1")->setValue(0); // six odd
        control<QSlider>("TrackBar2")->setValue(6); // six high
        control<QRadioButton>("RadioGroup1Item0")->setChecked(true);
        // Preferring due numbers could narrow a class down to too few combinations for 16.
        control<QCheckBox>("CheckBox3")->setChecked(false);
        calculate();
        verifyRows(16, true);
        for (int row = 0; row < 16; ++row)
            for (int n : numbersOf(cell(row, 1)))
                QVERIFY2(n % 2 == 1 && n >= 25, qPrintable(cell(row, 1)));

        control<QSlider>("TrackBar1")->setValue(6); // six even
        control<QSlider>("TrackBar2")->setValue(0); // six low
        calculate();
        for (int row = 0; row < 16; ++row)
            for (int n : numbersOf(cell(row, 1)))
                QVERIFY2(n % 2 == 0 && n <= 24, qPrintable(cell(row, 1)));
    }

    void quickPickSwitchesTheBalancesOff()
    {
        control<QCheckBox>("CheckBox1")->setChecked(true);
        QTest::mouseClick(control("RadioButton1"), Qt::LeftButton);
        QCOMPARE(button("Button1")->text(), QString("&Generate"));
        for (const char* name : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5",
                                 "TrackBar1", "TrackBar2", "RadioGroup1", "Label4", "Label9"})
            QVERIFY2(!control(name)->isEnabled(), name);
        QVERIFY(!control<QCheckBox>("CheckBox1")->isChecked());
        calculate();
        verifyRows(16, true);

        QTest::mouseClick(control("RadioButton2"), Qt::LeftButton);
        QCOMPARE(button("Button1")->text(), QString("C&alculate"));
        for (const char* name : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "RadioGroup1"})
            QVERIFY2(control(name)->isEnabled(), name);
        QVERIFY(!control<QCheckBox>("CheckBox1")->isChecked());
        QVERIFY(!control("TrackBar1")->isEnabled());
        QVERIFY(!control("TrackBar2")->isEnabled());
        QVERIFY(!control("CheckBox5")->isEnabled());
    }

    void longRunAsksFirst()
    {
        setCount("32767");
        TKestMessage::setNextAnswer(QMessageBox::No);
        calculate();
        QCOMPARE(TKestMessage::answeredTexts(), QStringList{LongRunQuestion});
        QCOMPARE(list()->model()->rowCount(), 0);
        QVERIFY(button("Button1")->isEnabled());
        QVERIFY(control("PageControl1")->isEnabled());
        QVERIFY(!button("Button7")->isEnabled());
    }

    void stopEndsARunAndKeepsItsRows()
    {
        startEndlessRun();
        TKestMessage::setNextAnswer(QMessageBox::Yes);
        bool disabledWhileRunning = false;
        QTimer::singleShot(200, this, [&] {
            disabledWhileRunning = m_gen->running() && !button("Button1")->isEnabled() &&
                                   !button("Button2")->isEnabled() &&
                                   !button("Button3")->isEnabled() &&
                                   !control("PageControl1")->isEnabled();
            QTest::mouseClick(button("Button7"), Qt::LeftButton);
        });
        calculate();
        QVERIFY(disabledWhileRunning);
        QVERIFY(!m_gen->running());
        const int rows = list()->model()->rowCount();
        QVERIFY(rows > 0 && rows <= 1716);
        QCOMPARE(int(m_gen->engine().rows().size()), rows);
        QCOMPARE(panel(1), QString(" Process Aborded."));
        for (const char* name : {"Button1", "Button2", "Button3", "Button8"})
            QVERIFY2(button(name)->isEnabled(), name);
        QVERIFY(!button("Button7")->isEnabled());
        QVERIFY(control("PageControl1")->isEnabled());
        verifyRows(rows, true);
    }

    void closingDuringARunStopsIt()
    {
        startEndlessRun();
        TKestMessage::setNextAnswer(QMessageBox::Yes);
        QTimer::singleShot(100, m_gen, &QWidget::close);
        calculate();
        QVERIFY(!m_gen->running());
        QVERIFY(!m_gen->isVisible());
        QVERIFY(m_main->isEnabled());
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void clearEmptiesTheList()
    {
        calculate();
        QTest::mouseClick(button("Button3"), Qt::LeftButton);
        QCOMPARE(list()->model()->rowCount(), 0);
        QCOMPARE(panel(1), QString(" Successfull: 0"));
        QCOMPARE(panel(2), QString(" Prevented: 0"));
        QVERIFY(!button("Button3")->isEnabled());
        QVERIFY(!button("Button8")->isEnabled());
        QVERIFY(button("Button1")->isEnabled());
    }

    void headerClicksSortAndFlip()
    {
        calculate();
        const auto sums = [this] {
            QList<int> values;
            for (int row = 0; row < list()->model()->rowCount(); ++row)
                values << cell(row, 2).toInt();
            return values;
        };
        clickHeader(2);
        const QList<int> ascending = sums();
        QVERIFY(std::is_sorted(ascending.begin(), ascending.end()));
        clickHeader(2);
        const QList<int> descending = sums();
        QVERIFY(std::is_sorted(descending.rbegin(), descending.rend()));
        QVERIFY(descending.first() > descending.last());
        clickHeader(0);
        QCOMPARE(cell(0, 0), QString("001"));
        clickHeader(0);
        QCOMPARE(cell(0, 0), QString("016"));
    }

    void saveWritesATicket()
    {
        calculate();
        clickHeader(1);
        const QString file = m_env->path("saved.dtk");
        TKestFileDialog::setNextFileName(file);
        QTest::mouseClick(button("Button8"), Qt::LeftButton);
        TicketRows loaded;
        LoadTicket(loaded, file);
        QCOMPARE(int(loaded.size()), 16);
        for (int row = 0; row < 16; ++row) {
            QCOMPARE(loaded[row].caption, cell(row, 0));
            QCOMPARE(loaded[row].subItems, (QStringList{cell(row, 1), cell(row, 2), cell(row, 3)}));
            QCOMPARE(loaded[row].imageIndex, 0);
        }

        // Cancelling writes nothing.
        QFile::remove(file);
        TKestFileDialog::setNextFileName({});
        QTest::mouseClick(button("Button8"), Qt::LeftButton);
        QVERIFY(!QFile::exists(file));

        // A file that cannot be created reaches the general error report.
        TKestFileDialog::setNextFileName(m_env->path("missing/folder/saved.dtk"));
        TKestMessage::setNextAnswer(QMessageBox::Ok);
        QTest::mouseClick(button("Button8"), Qt::LeftButton);
        QCOMPARE(TKestMessage::answeredTexts().size(), 1);
    }

    void customPageMakesOneRowPerTemplateRow()
    {
        showCustomPage();
        auto* templates = control<QComboBox>("TempList");
        QVERIFY(templates->isEnabled());
        QCOMPARE(templates->itemText(0), QString("FullWheel7"));
        QVERIFY(templates->findText("Wheel9-3if3") >= 0);
        QCOMPARE(button("Button1")->text(), QString("&Generate"));
        QVERIFY(!button("Button1")->isEnabled());
        QCOMPARE(control<QLabel>("Label14")->text(), QString(": 0 of 7"));
        QCOMPARE(control<QLabel>("Label15")->text(), QString(": 7"));
        QCOMPARE(control<QLabel>("Label18")->text(), QString(": 6"));
        QCOMPARE(panel(2), QString(" Selected: 0"));
        QCOMPARE(panel(3), QString(" Accuracy: N/A"));

        const QList<int> chosen{3, 11, 19, 27, 38, 45, 49};
        for (int n : chosen.mid(0, 6))
            pick(n);
        QVERIFY(!button("Button1")->isEnabled());
        QVERIFY(button("Button3")->isEnabled());
        pick(49);
        QVERIFY(button("Button1")->isEnabled());
        QCOMPARE(control<QLabel>("Label14")->text(), QString(": 7 of 7"));
        QCOMPARE(panel(2), QString(" Selected: 7"));
        pick(1); // an eighth number is refused
        QVERIFY(!control<QToolButton>("Cell01")->isChecked());
        pick(49); // unpicking disables the run again
        QVERIFY(!button("Button1")->isEnabled());
        pick(49);

        calculate();
        verifyRows(7, false);
        for (int row = 0; row < 7; ++row)
            for (int n : numbersOf(cell(row, 1)))
                QVERIFY(chosen.contains(n));
        // The row of slots 01 to 06: the six smallest picks, ascending.
        QCOMPARE(cell(0, 1), QString("03 - 11 - 19 - 27 - 38 - 45"));
        QCOMPARE(panel(1), QString(" Successfull: 07"));
        QCOMPARE(panel(3), QString(" Accuracy: N/A"));
        QVERIFY(button("Button8")->isEnabled());
        QVERIFY(!button("Button7")->isEnabled());

        // Another template clears the picks and the list.
        templates->setCurrentIndex(templates->findText("FullWheel8"));
        QCOMPARE(list()->model()->rowCount(), 0);
        QCOMPARE(control<QLabel>("Label14")->text(), QString(": 0 of 8"));
        QCOMPARE(control<QLabel>("Label15")->text(), QString(": 28"));
        QCOMPARE(panel(0), QString("Odds: 1 in 499,422"));
        QVERIFY(!control<QToolButton>("Cell03")->isChecked());
    }

    void automaticSelections()
    {
        showCustomPage();
        const Ranking ranking = RankingOf(kernel().Stats);
        auto* board = m_gen->findChild<PickBoard*>("DrawGrid1");
        QTest::mouseClick(button("Button4"), Qt::LeftButton);
        QCOMPARE(board->pickedCount(), 7);
        for (int rank = 1; rank <= 7; ++rank)
            QVERIFY(board->cell(ranking[rank])->isChecked());
        QVERIFY(button("Button1")->isEnabled());
        QTest::mouseClick(button("Button5"), Qt::LeftButton);
        for (int rank = 43; rank <= 49; ++rank)
            QVERIFY(board->cell(ranking[rank])->isChecked());
        for (int i = 0; i < 20; ++i) {
            QTest::mouseClick(button("Button6"), Qt::LeftButton);
            QCOMPARE(board->pickedCount(), 7);
        }
        QVERIFY(!button("Button7")->isEnabled());
        QVERIFY(!button("Button9")->isEnabled()); // no favourites
        calculate();
        verifyRows(7, false);
    }

    void favouritesEnableTheirControls()
    {
        for (int number : {40, 5, 12, 33, 21, 9, 48, 2}) {
            kernel().FavouriteTable.Append();
            kernel().FavouriteTable.SetField("FavouriteNr", number);
            kernel().FavouriteTable.Post();
        }
        m_gen->hide();
        m_gen->show();
        QVERIFY(control("CheckBox5")->isEnabled());
        QTest::mouseClick(control("RadioButton1"), Qt::LeftButton);
        QVERIFY(!control("CheckBox5")->isEnabled());
        QTest::mouseClick(control("RadioButton2"), Qt::LeftButton);
        QVERIFY(control("CheckBox5")->isEnabled());

        showCustomPage();
        QVERIFY(button("Button9")->isEnabled());
        QTest::mouseClick(button("Button9"), Qt::LeftButton);
        // More favourites than the template's 7: the first seven in the table's order.
        QList<int> expected = FavouriteNumbers(kernel().FavouriteTable).mid(0, 7);
        std::sort(expected.begin(), expected.end());
        QCOMPARE(expected.size(), 7);
        QCOMPARE(m_gen->findChild<PickBoard*>("DrawGrid1")->picked(), expected);
        QVERIFY(button("Button1")->isEnabled());
    }

    void templateEditorClosingListsTheTemplatesAgain()
    {
        showCustomPage();
        QTest::mouseClick(control("SpeedButton2"), Qt::LeftButton);
        auto* editor = m_main->findChild<TemplateEditor*>();
        QVERIFY(editor->isVisible());
        QVERIFY(editor->isEnabled());
        QFile file(QDir(kernel().GetTemplatesDir()).filePath("Added.tpl"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("6\r\n1\r\n6\r\n010203040506\r\n");
        file.close();
        editor->hide();
        auto* templates = control<QComboBox>("TempList");
        QCOMPARE(templates->itemText(0), QString("Added"));
        QCOMPARE(templates->currentIndex(), 0);
        QCOMPARE(control<QLabel>("Label14")->text(), QString(": 0 of 6"));
        QCOMPARE(control<QLabel>("Label15")->text(), QString(": 1"));
    }

    void missingTemplatesDisableThePage()
    {
        QDir folder(kernel().GetTemplatesDir());
        for (const QString& file : folder.entryList({"*.tpl"}))
            QVERIFY(folder.remove(file));
        showCustomPage();
        auto* templates = control<QComboBox>("TempList");
        QCOMPARE(templates->count(), 1);
        QCOMPARE(templates->currentText(), QString("No Templates found"));
        QVERIFY(!templates->isEnabled());
        QVERIFY(!control("DrawGrid1")->isEnabled());
        QVERIFY(!button("Button4")->isEnabled());
        QVERIFY(!button("Button1")->isEnabled());
        QTest::mouseClick(button("Button6"), Qt::LeftButton);
        QCOMPARE(m_gen->findChild<PickBoard*>("DrawGrid1")->pickedCount(), 0);
    }

    void templateTheBoardCannotServe()
    {
        QFile file(QDir(kernel().GetTemplatesDir()).filePath("AAA.tpl"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("50\r\n1\r\n3\r\n010203040506\r\n");
        file.close();
        showCustomPage();
        QCOMPARE(control<QComboBox>("TempList")->currentText(), QString("AAA"));
        QVERIFY(m_app->popup().lastText().startsWith("This template requires a selection of 50"));
        QVERIFY(!button("Button4")->isEnabled());
        QVERIFY(!button("Button1")->isEnabled());
    }

    void screenshots()
    {
        calculate();
        saveScreenshot(m_gen, "generator-window");
        showCustomPage();
        QTest::mouseClick(button("Button4"), Qt::LeftButton);
        calculate();
        saveScreenshot(m_gen, "generator-window-custom");
    }
};

QTEST_MAIN(TestGeneratorWindow)
#include "tst_generatorwindow.moc"
