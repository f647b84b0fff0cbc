#include "GuiTest.h"
#include "gui/components/KestContainer.h"
#include "gui/components/KestExBar.h"
#include "gui/components/KestHint.h"
#include "gui/components/KestPictures.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QToolTip>
#include <QtTest>

#include "Screenshots.h"

namespace {

struct Task {
    const char* caption;
    const char* hint;
    int id;
};

const QList<Task> commonTasks = {
    {"Add a new Lotto Draw entry", "Click here to enter draw information manually.", 2},
    {"Generate new combinations", "Click here to generate unique number combinations.", 1},
    {"Check your lotto ticket", "Click here to check your lotto ticket.", 5},
    {"View a saved lotto ticket", "Click here to open and view a saved lotto ticket.", 6},
    {"Add your favourite numbers",
     "Click here to include your favourite numbers in the calculations.", 3},
    {"Anylize number frequency",
     "Click here to view detailed information on the number frequencies.", 4},
};

const QList<Task> helpTasks = {
    {"Getting started", "Click here to learn more.", 11},
    {"About Drawsage", "Click here to learn more about the author, and the software license.", 12},
    {"Update Drawsage", "Click here to download and update the database.", 13},
    {"Visit the Kestrix website", "Click here to goto the Kestrix website.", 14},
};

void addNumbers(TKestExBar& bar, int group, const QStringList& numbers)
{
    for (int i = 0; i < numbers.size(); ++i)
        bar.addNumber(group, numbers.at(i), i == numbers.size() - 1);
}

// The bar as the main window first builds it.
void fillLikeProgram(TKestExBar& bar)
{
    bar.setUpdatesEnabled(false);
    const int common = bar.addGroup("Common Tasks");
    bar.setHeaderPicture(common, commandIcon("ticket").pixmap(32, 32));
    for (const Task& task : commonTasks)
        bar.addTaskItem(common, task.caption, task.hint, task.id);
    const int hotCold = bar.addGroup("Hot and Cold");
    addNumbers(bar, hotCold, {"07", "23", "34", "11", "40", "49"});
    bar.addHeading(hotCold, "Cold Numbers");
    addNumbers(bar, hotCold, {"13", "02", "44", "29", "18", "31"});
    const int help = bar.addGroup("Help");
    for (const Task& task : helpTasks)
        bar.addTaskItem(help, task.caption, task.hint, task.id);
    bar.setCollapsed(help, true, true);
    bar.setUpdatesEnabled(true);
}

QPoint entryCentre(TKestExBar& bar, int group, int entry)
{
    return bar.group(group)->entries()->entryRect(entry).center();
}

} // namespace

class TestExBar : public GuiTest {
    Q_OBJECT

private slots:
    void groupsAndEntriesReadBack();
    void clickingATaskRaisesItsId();
    void numbersFillLinesUntilTheFlag();
    void taskIconsComeFromTheIconList();
    void refreshingAGroupKeepsItsState();
    void headerClickTogglesTheGroup();
    void tallBarScrollsAtItsFixedWidth();
    void taskHintsAreToolTips();
    void hintsWaitAndThenHide();
    void containerShowsTitleOverContent();
    void screenshots();
};

void TestExBar::groupsAndEntriesReadBack()
{
    TKestExBar bar;
    fillLikeProgram(bar);

    QCOMPARE(bar.groupCount(), 3);
    QCOMPARE(bar.group(0)->caption(), "Common Tasks");
    QCOMPARE(control<TKestExGroup>("grpCommonTasks", &bar), bar.group(0));
    QCOMPARE(control<TKestExGroup>("grpHotAndCold", &bar), bar.group(1));
    QCOMPARE(control<TKestExGroup>("grpHelp", &bar), bar.group(2));
    QVERIFY(!bar.group(0)->headerPicture().isNull());
    QVERIFY(bar.group(1)->headerPicture().isNull());

    const QList<TKestExEntry> common = bar.entries(0);
    QCOMPARE(common.size(), 6);
    for (int i = 0; i < common.size(); ++i) {
        QCOMPARE(common.at(i).kind, TKestExEntry::Task);
        QCOMPARE(common.at(i).caption, commonTasks.at(i).caption);
        QCOMPARE(common.at(i).hint, commonTasks.at(i).hint);
        QCOMPARE(common.at(i).id, commonTasks.at(i).id);
        QCOMPARE(common.at(i).imageIndex, -1);
    }

    const QList<TKestExEntry> hotCold = bar.entries(1);
    QCOMPARE(hotCold.size(), 13);
    QCOMPARE(hotCold.at(0).kind, TKestExEntry::Number);
    QCOMPARE(hotCold.at(0).caption, "07");
    QVERIFY(!hotCold.at(4).endsLine);
    QVERIFY(hotCold.at(5).endsLine);
    QCOMPARE(hotCold.at(6).kind, TKestExEntry::Heading);
    QCOMPARE(hotCold.at(6).caption, "Cold Numbers");
    QVERIFY(hotCold.at(12).endsLine);

    QVERIFY(!bar.isCollapsed(0));
    QVERIFY(!bar.isCollapsed(1));
    QVERIFY(bar.isCollapsed(2));
}

void TestExBar::clickingATaskRaisesItsId()
{
    TKestExBar bar;
    fillLikeProgram(bar);
    bar.resize(bar.width(), 700);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QSignalSpy clicks(&bar, &TKestExBar::OnMenuItemClick);

    for (int i = 0; i < commonTasks.size(); ++i)
        QTest::mouseClick(bar.group(0)->entries(), Qt::LeftButton, {}, entryCentre(bar, 0, i));
    QCOMPARE(clicks.size(), commonTasks.size());
    for (int i = 0; i < commonTasks.size(); ++i) {
        QCOMPARE(clicks.at(i).at(0).value<QObject*>(), &bar);
        QCOMPARE(clicks.at(i).at(1).toInt(), commonTasks.at(i).id);
    }

    // Numbers, headings, empty space and the right button raise nothing, nor does a press on
    // one item released over another.
    clicks.clear();
    TKestExEntries* hotCold = bar.group(1)->entries();
    QTest::mouseClick(hotCold, Qt::LeftButton, {}, entryCentre(bar, 1, 0));
    QTest::mouseClick(hotCold, Qt::LeftButton, {}, entryCentre(bar, 1, 6));
    TKestExEntries* common = bar.group(0)->entries();
    QTest::mouseClick(common, Qt::LeftButton, {}, QPoint(common->width() - 2, 2));
    QTest::mouseClick(common, Qt::RightButton, {}, entryCentre(bar, 0, 0));
    QTest::mousePress(common, Qt::LeftButton, {}, entryCentre(bar, 0, 0));
    QTest::mouseRelease(common, Qt::LeftButton, {}, entryCentre(bar, 0, 1));
    QCOMPARE(clicks.size(), 0);

    // A handler may rebuild the group it was clicked in.
    connect(&bar, &TKestExBar::OnMenuItemClick, &bar, [&bar] {
        bar.clearEntries(0);
        bar.addTaskItem(0, "Rebuilt", {}, 99);
    });
    QTest::mouseClick(common, Qt::LeftButton, {}, entryCentre(bar, 0, 5));
    QCOMPARE(clicks.size(), 1);
    QCOMPARE(clicks.at(0).at(1).toInt(), 4);
    QTest::mouseClick(common, Qt::LeftButton, {}, entryCentre(bar, 0, 0));
    QCOMPARE(clicks.at(1).at(1).toInt(), 99);
}

void TestExBar::numbersFillLinesUntilTheFlag()
{
    TKestExBar bar;
    const int group = bar.addGroup("Numbers");
    bar.addNumber(group, "01", false);
    bar.addNumber(group, "02", true);
    bar.addNumber(group, "03", false);
    bar.addHeading(group, "Heading");
    addNumbers(bar, group, {"04", "05", "06", "07", "08", "09"});
    bar.resize(bar.width(), 400);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));

    const TKestExEntries* entries = bar.group(group)->entries();
    const auto rect = [entries](int i) { return entries->entryRect(i); };
    QCOMPARE(rect(1).top(), rect(0).top());
    QVERIFY(rect(1).left() > rect(0).left());
    QVERIFY(rect(2).top() >= rect(1).bottom()); // the flag ended the line
    QCOMPARE(rect(2).left(), rect(0).left());
    QVERIFY(rect(3).top() >= rect(2).bottom()); // a heading ends an open line
    QVERIFY(rect(4).top() >= rect(3).bottom());
    for (int i = 5; i <= 9; ++i) // six numbers fit on one line of the bar
        QCOMPARE(rect(i).top(), rect(4).top());
    QVERIFY(rect(9).right() < entries->width());
    QVERIFY(entries->height() >= rect(9).bottom());
}

void TestExBar::taskIconsComeFromTheIconList()
{
    TKestExBar bar;
    const int group = bar.addGroup("Icons");
    bar.addTaskItem(group, "With icon", {}, 1, 0);
    bar.addTaskItem(group, "Index past the list", {}, 2, 3);
    bar.addTaskItem(group, "No icon", {}, 3);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    TKestExEntries* entries = bar.group(group)->entries();
    const QRect plain = entries->entryRect(0);
    const QRect pastTheList = entries->entryRect(1);

    bar.setItemIcons({commandIcon("stop")});
    const QRect withIcon = entries->entryRect(0);
    QCOMPARE(withIcon.left(), plain.left());
    QVERIFY(withIcon.width() >= plain.width() + 16);
    QCOMPARE(entries->entryRect(1).size(), pastTheList.size());
    // The icon is drawn where the caption started before, in the icon's red.
    const QColor atIcon =
        entries->grab().toImage().pixelColor(withIcon.left() + 3 + 8, withIcon.top() + 2 + 8);
    QVERIFY2(atIcon.red() > 150 && atIcon.green() < 100, qPrintable(atIcon.name()));
}

void TestExBar::refreshingAGroupKeepsItsState()
{
    TKestExBar bar;
    fillLikeProgram(bar);
    bar.show();

    // The later refresh: the same group, now with a "Hot Numbers" heading first.
    for (bool collapsed : {false, true}) {
        bar.setCollapsed(1, collapsed, false);
        bar.clearEntries(1);
        QVERIFY(bar.entries(1).isEmpty());
        bar.addHeading(1, "Hot Numbers");
        addNumbers(bar, 1, {"01", "02", "03", "04", "05", "06"});
        QCOMPARE(bar.isCollapsed(1), collapsed);
        QCOMPARE(bar.group(1)->entries()->isHidden(), collapsed);
        QCOMPARE(bar.entries(1).size(), 7);
        QCOMPARE(bar.entries(1).first().caption, "Hot Numbers");
    }
    QCOMPARE(bar.entries(0).size(), 6);
    QCOMPARE(bar.entries(2).size(), 4);
}

void TestExBar::headerClickTogglesTheGroup()
{
    TKestExBar bar;
    fillLikeProgram(bar);
    bar.setAnimationDuration(60);
    bar.resize(bar.width(), 700);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));

    TKestExGroup* help = bar.group(2);
    QTRY_VERIFY(help->entries()->isHidden()); // the build collapsed it with an animation
    const int collapsedHeight = help->height();

    QTest::mouseClick(help->header(), Qt::LeftButton);
    QVERIFY(!bar.isCollapsed(2));
    QTRY_VERIFY(help->entries()->isVisible());
    QTRY_COMPARE(help->entries()->maximumHeight(), QWIDGETSIZE_MAX);
    QTRY_VERIFY(help->height() > collapsedHeight + 4 * help->fontMetrics().height());
    QVERIFY(help->entries()->entryRect(3).bottom() <= help->entries()->height());

    QTest::mouseClick(help->header(), Qt::LeftButton);
    QVERIFY(bar.isCollapsed(2));
    QTRY_VERIFY(help->entries()->isHidden());
    QTRY_COMPARE(help->height(), collapsedHeight);

    // Reversing half way ends in the state of the last click.
    QTest::mouseClick(help->header(), Qt::LeftButton);
    QTest::mouseClick(help->header(), Qt::LeftButton);
    QVERIFY(bar.isCollapsed(2));
    QTRY_VERIFY(help->entries()->isHidden());
    QCOMPARE(help->entries()->maximumHeight(), QWIDGETSIZE_MAX);
}

void TestExBar::tallBarScrollsAtItsFixedWidth()
{
    TKestExBar bar;
    fillLikeProgram(bar);
    bar.setCollapsed(2, false, false);
    bar.resize(bar.width(), 250);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QTRY_VERIFY(bar.verticalScrollBar()->isVisible());
    QVERIFY(bar.verticalScrollBar()->maximum() > 0);
    QCOMPARE(bar.width(), 210);

    // The six numbers of a line still fit beside the scroll bar, and every task caption stays
    // inside the narrower column.
    const TKestExEntries* hotCold = bar.group(1)->entries();
    QCOMPARE(hotCold->entryRect(5).top(), hotCold->entryRect(0).top());
    for (int group : {0, 2}) {
        const TKestExEntries* entries = bar.group(group)->entries();
        for (int i = 0; i < entries->entries().size(); ++i)
            QVERIFY(entries->rect().contains(entries->entryRect(i)));
    }

    bar.resize(bar.width(), 900);
    QTRY_VERIFY(!bar.verticalScrollBar()->isVisible());
}

void TestExBar::taskHintsAreToolTips()
{
    TKestExBar bar;
    fillLikeProgram(bar);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    TKestExEntries* common = bar.group(0)->entries();

    const QPoint over = entryCentre(bar, 0, 2);
    QHelpEvent help(QEvent::ToolTip, over, common->mapToGlobal(over));
    QApplication::sendEvent(common, &help);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), "Click here to check your lotto ticket.");

    const QPoint empty(common->width() - 2, 2);
    QHelpEvent none(QEvent::ToolTip, empty, common->mapToGlobal(empty));
    QApplication::sendEvent(common, &none);
    QTRY_VERIFY(!QToolTip::isVisible());
}

void TestExBar::hintsWaitAndThenHide()
{
    QLabel label("with a hint");
    label.setToolTip("The hint");
    label.show();
    QVERIFY(QTest::qWaitForWindowExposed(&label));

    TKestHint hint;
    QCOMPARE(hint.showDelay(), 2000);
    QCOMPARE(hint.hideDelay(), 5000);
    hint.setDelays(200, 300);
    hint.setActive(true);

    const auto askForTip = [&label] {
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), label.mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(&label, &help);
    };
    QElapsedTimer clock;
    clock.start();
    askForTip();
    QVERIFY(!QToolTip::isVisible());
    QTRY_VERIFY(QToolTip::isVisible());
    QVERIFY(clock.elapsed() >= 190);
    QCOMPARE(QToolTip::text(), "The hint");
    clock.restart();
    QTRY_VERIFY(!QToolTip::isVisible());
    QVERIFY(clock.elapsed() >= 290);

    // Moving the mouse before the delay is over drops the waiting hint.
    askForTip();
    QMouseEvent move(QEvent::MouseMove, QPointF(6, 6), label.mapToGlobal(QPointF(6, 6)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&label, &move);
    QTest::qWait(400);
    QVERIFY(!QToolTip::isVisible());

    // Switched off, tips come at once again.
    hint.setActive(false);
    askForTip();
    QTRY_VERIFY(QToolTip::isVisible());
    QToolTip::hideText();
}

void TestExBar::containerShowsTitleOverContent()
{
    TKestContainer container;
    container.setTitle("Lotto Statistics");
    QCOMPARE(container.title(), "Lotto Statistics");
    QCOMPARE(container.titleLabel()->text(), "Lotto Statistics");

    auto* first = new QLabel("first");
    container.setContent(first);
    QPointer<QLabel> replaced = first;
    container.setContent(new QLabel("pages"));
    QVERIFY(replaced.isNull());
    container.resize(400, 300);
    container.show();
    QVERIFY(QTest::qWaitForWindowExposed(&container));
    QVERIFY(container.content()->geometry().top() >= container.titleLabel()->geometry().bottom());
    QVERIFY(container.content()->height() > 200);
}

void TestExBar::screenshots()
{
    TKestExBar bar;
    fillLikeProgram(bar);
    bar.resize(bar.width(), 560);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QTRY_VERIFY(bar.group(2)->entries()->isHidden());
    saveScreenshot(&bar, "exbar");

    // Hovering a link, with every group open.
    bar.setCollapsed(2, false, false);
    TKestExEntries* common = bar.group(0)->entries();
    QTest::mouseMove(common, entryCentre(bar, 0, 1));
    QMouseEvent move(QEvent::MouseMove, entryCentre(bar, 0, 1),
                     common->mapToGlobal(entryCentre(bar, 0, 1)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(common, &move);
    bar.resize(bar.width(), 360);
    QTest::qWait(50);
    saveScreenshot(&bar, "exbar-hover-scrolled");

    TKestContainer container;
    container.setTitle("Lotto Statistics");
    container.setContent(new QLabel("  the statistics pages"));
    container.resize(420, 200);
    container.show();
    QVERIFY(QTest::qWaitForWindowExposed(&container));
    saveScreenshot(&container, "container");
}

QTEST_MAIN(TestExBar)
#include "tst_exbar.moc"
