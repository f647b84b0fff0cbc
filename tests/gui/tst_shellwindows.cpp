#include "GuiTest.h"
#include "Screenshots.h"
#include "gui/shell/AboutBox.h"
#include "gui/shell/HelpWindow.h"
#include "gui/shell/MagnifierWindow.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/SplashWindow.h"

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

// The magnifier, the about box, the help window and the splash window.
class TestShellWindows : public GuiTest {
    Q_OBJECT

private slots:
    void init()
    {
        startApplication();
        mainWindow().showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow()));
    }
    void cleanup() { stop(); }

    void magnifierCopiesTheAreaOfTheZoomLevel()
    {
        // 200 by 150 at "Zoom 3": half sizes 100 - 50 and 75 - 40, doubled.
        QCOMPARE(MagnifierWindow::copiedArea({200, 150}, 2), QSize(100, 70));
        QCOMPARE(MagnifierWindow::copiedArea({200, 150}, 0), QSize(200, 150));
        QVERIFY(!MagnifierWindow::copiedArea({200, 150}, -1).isValid());

        trigger("TBItem32");
        auto* zoom = control<MagnifierWindow>("TfrmZoom");
        QVERIFY(zoom->isVisible());
        auto* levels = control<QComboBox>("ComboBox1", zoom);
        QCOMPARE(levels->currentText(), QString("Zoom 1"));
        QCOMPARE(levels->count(), 5);
        QVERIFY(zoom->findChild<QTimer*>("Timer1")->isActive());

        levels->setCurrentIndex(2);
        const QSize picture = control<QLabel>("Image1", zoom)->size();
        const QSize area = MagnifierWindow::copiedArea(picture, 2);
        zoom->magnify(mainWindow().mapToGlobal(QPoint(300, 200)));
        QCOMPARE(control<QLabel>("Panel3", zoom)->text(),
                 QString(" %1 x %2 ").arg(area.width()).arg(area.height()));
        QVERIFY(!control<QLabel>("Image1", zoom)->pixmap().isNull());
        saveScreenshot(zoom, "magnifier");

        zoom->close();
        QVERIFY(!zoom->findChild<QTimer*>("Timer1")->isActive());
        // Without the main window on the screen there is nothing to copy.
        mainWindow().hide();
        zoom->magnify(QPoint(10, 10));
        const QList<QLabel*> labels = zoom->findChildren<QLabel*>();
        QVERIFY(std::any_of(labels.begin(), labels.end(), [zoom](const QLabel* label) {
            return label->isVisibleTo(zoom) && label->text().startsWith(MagnifierWindow::NoSignal);
        }));
    }

    void aboutBoxShowsTheProductAndTheLicence()
    {
        trigger("TBItem9");
        auto* about = control<AboutBox>("TfrmAbout");
        QVERIFY(about->isVisible());
        QCOMPARE(about->windowTitle(), QString("Drawsage"));
        auto* pages = control<QTabWidget>("PageControl1", about);
        QCOMPARE(pages->currentIndex(), 0);
        QCOMPARE(pages->tabText(0), QString("About"));
        QCOMPARE(pages->tabText(1), QString("License"));
        QCOMPARE(control<QLabel>("lblVersion", about)->text(),
                 "Version " + QString(DRAWSAGE_TEST_VERSION));
        QVERIFY(control<QLabel>("lblQt", about)->text().contains(qVersion()));
        QVERIFY(QTest::qWaitForWindowExposed(about));
        saveScreenshot(about, "about");

        pages->setCurrentIndex(1);
        auto* licence = control<QPlainTextEdit>("Memo2", about);
        QVERIFY(licence->isReadOnly());
        QVERIFY(licence->toPlainText().startsWith("MIT License"));
        saveScreenshot(about, "about-license");

        UrlRecorder recorder;
        QDesktopServices::setUrlHandler("https", &recorder, "open");
        QTest::mouseClick(control<QPushButton>("Button2", about), Qt::LeftButton);
        QDesktopServices::unsetUrlHandler("https");
        QCOMPARE(recorder.opened.size(), 1);

        QTest::mouseClick(control<QPushButton>("Button1", about), Qt::LeftButton);
        QVERIFY(!about->isVisible());
        about->show(); // the About page first again
        QCOMPARE(pages->currentIndex(), 0);
    }

    void helpOpensWithContentsAndHistory()
    {
        trigger("TBItem8");
        auto* help = control<HelpWindow>("TfrmHelp");
        QVERIFY(help->isVisible());
        auto* browser = control<QTextBrowser>("HelpBrowser", help);
        QCOMPARE(browser->source().fileName(), QString("index.html"));
        QVERIFY(browser->toPlainText().contains("Getting started"));
        auto* contents = control<QListWidget>("lstContents", help);
        QCOMPARE(contents->currentRow(), 0);

        // Every page of the contents exists, and its links lead to pages that exist.
        for (int row = 0; row < contents->count(); ++row) {
            contents->setCurrentRow(row);
            emit contents->itemClicked(contents->item(row));
            QVERIFY2(!browser->toPlainText().isEmpty(), qPrintable(contents->item(row)->text()));
            QCOMPARE(contents->currentRow(), row);
        }
        auto* back = help->findChild<QAction*>("actBack");
        auto* forward = help->findChild<QAction*>("actForward");
        QVERIFY(back->isEnabled());
        QVERIFY(!forward->isEnabled());
        back->trigger();
        QVERIFY(forward->isEnabled());
        QCOMPARE(contents->currentRow(), contents->count() - 2);

        help->findChild<QAction*>("actHome")->trigger();
        help->resize(900, 640);
        QVERIFY(QTest::qWaitForWindowExposed(help));
        saveScreenshot(help, "help");
    }

    void aFolderOfPagesIsReadBeforeTheBuiltInOnes()
    {
        QFile page(env().path("home/index.html"));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html><body>Installed pages</body></html>");
        page.close();
        mainWindow().setHelpFolder(env().path("home"));
        mainWindow().ItemClick(MainWindow::TaskBarItem::GettingStarted);
        auto* browser = control<QTextBrowser>("HelpBrowser");
        QCOMPARE(browser->toPlainText(), QString("Installed pages"));
        QCOMPARE(HelpWindow::defaultFolder(), QString(":/help"));
    }

    void splashShowsTheLogoAndName()
    {
        SplashWindow splash;
        QCOMPARE(splash.objectName(), QString("TfrmSplash"));
        QCOMPARE(splash.windowTitle(), QString("Drawsage"));
        QVERIFY(splash.windowFlags() & Qt::WindowStaysOnTopHint);
        splash.showNow();
        QVERIFY(splash.isVisible());
        QCOMPARE(splash.cursor().shape(), Qt::BusyCursor);
        saveScreenshot(&splash, "splash");
    }
};

QTEST_MAIN(TestShellWindows)
#include "tst_shellwindows.moc"
