#include "GuiTest.h"
#include "gui/components/KestDialog.h"
#include "gui/components/KestGradInfo.h"
#include "gui/components/KestPopup.h"
#include "gui/components/ProgressWindow.h"
#include "gui/generator/FavouritesWindow.h"
#include "gui/generator/GeneratorWindow.h"
#include "gui/generator/TemplateEditor.h"
#include "gui/records/AddDrawWindow.h"
#include "gui/records/DrawDetailsWindow.h"
#include "gui/records/FilterEditor.h"
#include "gui/records/GameSelectionWindow.h"
#include "gui/shell/AboutBox.h"
#include "gui/shell/MagnifierWindow.h"
#include "gui/shell/PreferencesWindow.h"
#include "gui/stats/FrequencyHistoryWindow.h"
#include "gui/tickets/TicketChecker.h"
#include "gui/tickets/TicketViewer.h"
#include "gui/update/UpdateErrorList.h"
#include "gui/update/UpdateWizard.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include "Screenshots.h"

#include <functional>
#include <memory>

namespace {

QList<QWidget*> noticeWindows()
{
    QList<QWidget*> found;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == "KestPopupWindow" && widget->isVisible())
            found << widget;
    return found;
}

struct ShellCase {
    const char* objectName;
    std::function<QDialog*(QWidget*)> create;
    const char* caption;
    const char* title; // empty: no banner
    const char* description;
    bool onScreenCentre;
    const char* closeButton = "btnClose"; // the designer name of the window's close button
    const char* closeText = "&Close";     // nullptr: closed by its title bar only
    bool fixedSize = true;
};

template <class Window> std::function<QDialog*(QWidget*)> factory()
{
    return [](QWidget* owner) { return new Window(owner); };
}

const QList<ShellCase>& shellCases()
{
    static const QList<ShellCase> cases{
        {"TfrmAbout", factory<AboutBox>(), "Drawsage", "", "", true, "Button1", "&OK"},
        {"TfrmSearch", factory<FilterEditor>(), "Drawsage", "Filter Script Editor",
         "Use this feature to create a cusomized filter", false, "Button2"},
        {"TfrmInfo", factory<DrawDetailsWindow>(), "Drawsage", "Draw Information",
         "This feature will display more details on the selected draw", true, "Button3"},
        {"TfrmAdd", factory<AddDrawWindow>(), "Drawsage", "Add New Record",
         "Add a new draw manually to the database", false, "Button3", "&Cancel"},
        {"TfrmGenerator", factory<GeneratorWindow>(), "Drawsage", "Combination Generator",
         "Use this feature to calculate / generate combinations", true, "Button2"},
        {"TfrmUpdate", factory<UpdateWizard>(), "Drawsage Update", "Drawsage Update",
         "This system will help you update the database", true},
        {"TfrmError", factory<UpdateErrorList>(), "Drawsage Update", "", "", false},
        {"TfrmFavourite", factory<FavouritesWindow>(), "Drawsage", "Add Favourite",
         "Select your favourite numbers", false, "Button3"},
        {"TfrmOverall", factory<FrequencyHistoryWindow>(), "Drawsage", "Frequency Anylizer",
         "This feature will anylize the number frequencies and desplay detailed information", true,
         "btnClose", "&Close", false},
        {"TfrmOpen", factory<GameSelectionWindow>(), "Open Database", "Open Database",
         "Open a specific Lottery Database", true, "Button2", "&Cancel"},
        {"TfrmTemplate", factory<TemplateEditor>(), "Drawsage", "Template Editor",
         "Use this feature to create custom combinations", false},
        {"TfrmCheck", factory<TicketChecker>(), "Drawsage", "Check Lotto Ticket",
         "Use this feature to check your Lotto ticket", false, "Button3"},
        {"TfrmView", factory<TicketViewer>(), "Drawsage", "View ticket information",
         "Use this feature to view your saved Lotto ticket", false, "Button1"},
        {"TfrmConfig", factory<PreferencesWindow>(), "Drawsage", "Preferences",
         "This feature lets you configure Drawsage", true, "Button2", "&Cancel"},
        {"TfrmZoom", factory<MagnifierWindow>(), "Magnifier", "", "", false, "", nullptr},
    };
    return cases;
}

} // namespace

class TestComponents : public GuiTest {
    Q_OBJECT

private slots:
    void cleanup()
    {
        // A failed check may leave a notice behind; the next case starts without one.
        for (QWidget* window : noticeWindows())
            window->close();
    }

    void newNoticeClosesTheOldOnes()
    {
        TKestPopup popup;
        popup.showNotice("first");
        popup.showNotice("second");
        popup.showNotice("third");
        QCOMPARE(popup.openCount(), 1);
        QCOMPARE(noticeWindows().size(), 1);
        QCOMPARE(popup.lastText(), QString("third"));
        QCOMPARE(control<QLabel>("lbText", noticeWindows().first())->text(), QString("third"));
    }

    void noticeShowsTitleAndTextAtBottomRight()
    {
        TKestPopup popup;
        popup.setTimings(20, 60000);
        popup.showNotice("Unable to find required registry information.");
        QWidget* window = noticeWindows().value(0);
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QString("Drawsage"));
        QCOMPARE(control<QLabel>("lbTitle", window)->text(), QString("Drawsage"));
        QCOMPARE(control<QLabel>("lbText", window)->text(),
                 QString("Unable to find required registry information."));
        QVERIFY(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window->windowFlags().testFlag(Qt::FramelessWindowHint));

        // Once slid in, the whole window is inside the available area, in its corner.
        const QRect area = window->screen()->availableGeometry();
        QTRY_VERIFY(area.contains(window->geometry()));
        QVERIFY(area.right() - window->geometry().right() < 20);
        QVERIFY(area.bottom() - window->geometry().bottom() < 20);
        saveScreenshot(window, "KestPopup");
    }

    void noticeGoesAwayByItselfOrByClick()
    {
        TKestPopup popup;
        popup.setTimings(10, 30);
        popup.showNotice("short");
        QCOMPARE(popup.openCount(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(popup.openCount(), 0, 3000);
        QVERIFY(noticeWindows().isEmpty());

        popup.setTimings(10, 60000);
        popup.showNotice("click me");
        QPointer<QWidget> window = noticeWindows().value(0);
        QVERIFY(window);
        QTest::mouseClick(window, Qt::LeftButton);
        QCOMPARE(popup.openCount(), 0);
        QTRY_VERIFY(window.isNull()); // closed notices do not pile up
    }

    void noticesDieWithTheNotifier()
    {
        QPointer<QWidget> window;
        {
            TKestPopup popup;
            popup.setTimings(10, 60000);
            popup.showNotice("still open");
            window = noticeWindows().value(0);
            QVERIFY(window);
        }
        QVERIFY(window.isNull());
    }

    void bannerShowsTitleAndDescription()
    {
        TKestGradInfo banner;
        banner.setTitle("Check Lotto Ticket");
        banner.setDescription("Use this feature to check your Lotto ticket");
        QCOMPARE(banner.title(), QString("Check Lotto Ticket"));
        QCOMPARE(banner.description(), QString("Use this feature to check your Lotto ticket"));
        QCOMPARE(banner.minimumHeight(), banner.maximumHeight());
        // Wide enough for the longer line, so a dialog sized to it never cuts the text.
        QVERIFY(banner.sizeHint().width() >
                banner.fontMetrics().horizontalAdvance(banner.description()));
        banner.resize(banner.sizeHint());
        saveScreenshot(&banner, "KestGradInfo");
    }

    void programIconComesFromTheResources()
    {
        // The resources sit in a static library; an icon that failed to register is null.
        const QPixmap icon = programIcon().pixmap(128, 128);
        QVERIFY(!icon.isNull());
        QVERIFY(icon.save(screenshotPath("programIcon")));
    }

    void processWindowAsDesigned()
    {
        ProgressWindow process;
        QCOMPARE(process.objectName(), QString("TfrmProcess"));
        QCOMPARE(process.windowTitle(), QString("Drawsage"));
        QVERIFY(process.isHidden());
        const Qt::WindowFlags flags = process.windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(process.cursor().shape(), Qt::WaitCursor);

        auto* status = control<QLabel>("Label1", &process);
        auto* bar = control<QProgressBar>("ProgressBar1", &process);
        QCOMPARE(status->text(), QString("Preparing to process the required information..."));
        bool hasFixedText = false;
        for (QLabel* label : process.findChildren<QLabel*>())
            hasFixedText |= label->text() ==
                            "Please wait while Drawsage processes the requested information. This "
                            "may take a while depending on the speed of your processor...";
        QVERIFY(hasFixedText);
        QVERIFY(process.findChildren<QPushButton*>().isEmpty());

        // A pass of no records still leaves the bar a range, empty rather than busy.
        process.setProgress(0, 0);
        QCOMPARE(bar->maximum(), 1);
        process.setStatus("Processing Record 4 of 10...");
        process.setProgress(4, 10);
        QCOMPARE(status->text(), QString("Processing Record 4 of 10..."));
        QCOMPARE(bar->maximum(), 10);
        QCOMPARE(bar->value(), 4);
        process.show();
        QCOMPARE(process.minimumSize(), process.maximumSize());
        saveScreenshot(&process, "TfrmProcess");
    }

    void shellAsDesigned_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < shellCases().size(); ++i)
            QTest::newRow(shellCases()[i].objectName) << i;
    }

    void shellAsDesigned()
    {
        QFETCH(int, index);
        const ShellCase& shell = shellCases()[index];
        // An owner in a corner of the screen tells centring on the screen from the dialogs'
        // usual centring on their owner.
        QWidget owner;
        owner.setGeometry(0, 0, 200, 100);
        owner.show();
        std::unique_ptr<QDialog> window(shell.create(&owner));

        QCOMPARE(window->objectName(), QString(shell.objectName));
        QCOMPARE(window->windowTitle(), QString(shell.caption));
        QVERIFY(window->isHidden());
        QVERIFY(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

        auto* banner = window->findChild<TKestGradInfo*>();
        if (QString(shell.title).isEmpty()) {
            QVERIFY(!banner);
        } else {
            QVERIFY(banner);
            QCOMPARE(banner->title(), QString(shell.title));
            QCOMPARE(banner->description(), QString(shell.description));
        }

        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCOMPARE(window->minimumSize() == window->maximumSize(), shell.fixedSize);
        QVERIFY(window->width() >= window->sizeHint().width());
        if (shell.onScreenCentre) {
            const QPoint offset =
                window->frameGeometry().center() - window->screen()->availableGeometry().center();
            QVERIFY2(offset.manhattanLength() <= 2, qPrintable(QString::number(offset.x())));
        }
        saveScreenshot(window.get(), shell.objectName);

        if (shell.closeText) {
            auto* close = control<QPushButton>(shell.closeButton, window.get());
            // The update wizard's button cancels until an update has been installed; the draw
            // entry and game windows close by cancelling.
            const bool wizard = QString(shell.objectName) == "TfrmUpdate";
            QCOMPARE(close->text(), QString(wizard ? "&Cancel" : shell.closeText));
            close->click();
        } else {
            window->close();
        }
        QVERIFY(window->isHidden());
        window->show(); // closing only hides: the window is shown again as it was
        QVERIFY(window->isVisible());
    }
};

QTEST_MAIN(TestComponents)
#include "tst_components.moc"
