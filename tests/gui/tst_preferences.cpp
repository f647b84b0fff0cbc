#include "GuiTest.h"
#include "Screenshots.h"
#include "core/kernel/Kernel.h"
#include "core/update/ResultsUpdate.h"
#include "gui/components/KestMessage.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/PreferencesWindow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QTabWidget>
#include <QtTest>

class TestPreferences : public GuiTest {
    Q_OBJECT

    PreferencesWindow* m_window = nullptr;

    template <class T = QWidget> T* ctl(const QString& name) { return control<T>(name, m_window); }
    void click(const QString& name) { QTest::mouseClick(ctl<QPushButton>(name), Qt::LeftButton); }
    QVariant stored(const QString& name)
    {
        return QSettings(env().configFile(), QSettings::IniFormat).value(name);
    }
    void store(const QString& name, const QVariant& value)
    {
        QSettings(env().configFile(), QSettings::IniFormat).setValue(name, value);
    }

private slots:
    void init()
    {
        startApplication();
        m_window = control<PreferencesWindow>("TfrmConfig");
        TKestMessage::clearAnswered();
    }
    void cleanup() { stop(); }

    void showingReadsTheSettingsAndOkWithoutChangesWritesNothing()
    {
        store("Marquee", 150);
        store("CostUnit", 3.75);
        store("ResultsServer", "http://results.example:8080");
        m_window->show();
        QCOMPARE(ctl<QTabWidget>("PageControl1")->currentIndex(), 0);
        QCOMPARE(ctl<QSlider>("TrackBar1")->value(), 251);
        QCOMPARE(ctl<QLineEdit>("Edit1")->text(), QString("3.75"));
        QCOMPARE(ctl<QLineEdit>("EditServer")->text(), QString("http://results.example:8080"));
        QVERIFY(!ctl<QPushButton>("Button3")->isEnabled());

        store("Marquee", 99); // changed behind the window's back: OK must not overwrite it
        click("Button1");
        QVERIFY(!m_window->isVisible());
        QCOMPARE(stored("Marquee").toInt(), 99);
    }

    void theSliderDrivesTheMarqueeAndCancelStoresNothing()
    {
        m_window->show();
        auto* slider = ctl<QSlider>("TrackBar1");
        slider->setValue(slider->maximum());
        QCOMPARE(kernel().ScrollTimer.interval(), 1);
        QVERIFY(ctl<QPushButton>("Button3")->isEnabled());
        click("Button4"); // Page Defaults
        QCOMPARE(kernel().ScrollTimer.interval(), 201);
        QCOMPARE(ctl<QLineEdit>("Edit1")->text(), QString("2.5"));
        const QVariant before = stored("Marquee");
        click("Button2"); // Cancel: the speed stays for this run, unstored
        QVERIFY(!m_window->isVisible());
        QCOMPARE(kernel().ScrollTimer.interval(), 201);
        QCOMPARE(stored("Marquee"), before);

        m_window->show();
        slider->setValue(300);
        ctl<QLineEdit>("Edit1")->setText("4.20");
        ctl<QLineEdit>("EditServer")->setText("https://results.example");
        click("Button3"); // Apply
        QCOMPARE(stored("Marquee").toInt(), 101);
        QCOMPARE(stored("CostUnit").toDouble(), 4.2);
        QCOMPARE(stored("ResultsServer").toString(), QString("https://results.example"));
        QVERIFY(!ctl<QPushButton>("Button3")->isEnabled());
        QVERIFY(TKestMessage::answeredTexts().isEmpty());
    }

    void aValueThatCannotBeTakenStopsTheApply()
    {
        m_window->show();
        const QVariant cost = stored("CostUnit");
        ctl<QSlider>("TrackBar1")->setValue(100);
        ctl<QLineEdit>("Edit1")->setText("two rand");
        TKestMessage::setNextAnswer(QMessageBox::Ok);
        click("Button1"); // OK applies first, and stays open when that fails
        QCOMPARE(TKestMessage::answeredTexts(),
                 QStringList({"'two rand' is not a valid floating point value"}));
        QVERIFY(m_window->isVisible());
        QCOMPARE(stored("Marquee").toInt(), 301); // written before the cost
        QCOMPARE(stored("CostUnit"), cost);
        QVERIFY(ctl<QPushButton>("Button3")->isEnabled());

        ctl<QLineEdit>("Edit1")->setText("2.50");
        ctl<QLineEdit>("EditServer")->setText("ftp://results.example");
        TKestMessage::setNextAnswer(QMessageBox::Ok);
        click("Button3");
        QCOMPARE(TKestMessage::answeredTexts().size(), 2);
        QVERIFY(TKestMessage::answeredTexts().last().contains("is not a results server address"));
        QVERIFY(!stored("ResultsServer").isValid());
        QCOMPARE(ResultsUpdate::server(kernel().Settings), QString(ResultsUpdate::DefaultServer));
    }

    void aliasesAreAddedEditedAndDeleted()
    {
        m_window->show();
        ctl<QTabWidget>("PageControl1")->setCurrentIndex(1);
        auto* list = ctl<QListWidget>("ListBoxAliases");
        auto* name = ctl<QLineEdit>("EditName");
        auto* drivers = ctl<QComboBox>("ComboBoxDrivers");
        auto* params = ctl<QPlainTextEdit>("MemoParams");
        QCOMPARE(list->count(), 1);
        QCOMPARE(name->text(), QString("Drawsage"));
        QCOMPARE(drivers->currentText(), QString("SQLITE"));
        QVERIFY(params->toPlainText().contains("PATH=" + kernel().DataFolder()));
        QVERIFY(!name->isEnabled() && !params->isEnabled());
        QVERIFY(ctl<QPushButton>("ButtonEdit")->isEnabled());
        saveScreenshot(m_window, "preferences-aliases");

        click("ButtonNew");
        QCOMPARE(m_window->aliasMode(), PreferencesWindow::AliasMode::New);
        QVERIFY(!list->isEnabled() && name->isEnabled() && drivers->isEnabled());
        QCOMPARE(params->toPlainText(), QString("DRIVER=SQLITE\nPATH="));
        QVERIFY(ctl<QPushButton>("Button3")->isEnabled());
        name->setText("Archive");
        params->setPlainText("DRIVER=SQLITE\nPATH=/srv/archive");
        click("Button3");
        QCOMPARE(m_window->aliasMode(), PreferencesWindow::AliasMode::None);
        QCOMPARE(list->currentItem()->text(), QString("Archive"));
        QCOMPARE(kernel().DataAlias.AliasParam("Archive", "PATH"), QString("/srv/archive"));

        click("ButtonEdit");
        QVERIFY(!name->isEnabled() && !drivers->isEnabled() && params->isEnabled());
        params->setPlainText("DRIVER=SQLITE\nPATH=/srv/old");
        click("Button3");
        QCOMPARE(kernel().DataAlias.AliasParam("Archive", "PATH"), QString("/srv/old"));
        QCOMPARE(list->currentItem()->text(), QString("Archive"));

        // A second alias of the same name is refused with a reason.
        click("ButtonNew");
        name->setText("archive");
        TKestMessage::setNextAnswer(QMessageBox::Ok);
        click("Button3");
        QCOMPARE(TKestMessage::answeredTexts(),
                 QStringList({"The alias \"archive\" already exists"}));
        click("Button2");

        m_window->show();
        ctl<QTabWidget>("PageControl1")->setCurrentIndex(1);
        list->setCurrentItem(list->findItems("Archive", Qt::MatchExactly).front());
        click("ButtonDelete");
        QVERIFY(!kernel().DataAlias.IsAlias("Archive"));
        QCOMPARE(list->count(), 1);
    }

    void screenshot()
    {
        mainWindow().showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow()));
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
        QTest::qWait(100); // the marquee preview
        saveScreenshot(m_window, "preferences-general");
    }
};

QTEST_MAIN(TestPreferences)
#include "tst_preferences.moc"
