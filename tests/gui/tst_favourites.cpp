#include "Screenshots.h"
#include "TestEnvironment.h"
#include "core/kernel/Kernel.h"
#include "gui/components/KestMessage.h"
#include "gui/components/KestPictures.h"
#include "gui/generator/FavouritesWindow.h"
#include "gui/shell/Application.h"
#include "gui/shell/MainWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TestFavourites : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<Application> m_app;
    FavouritesWindow* m_window = nullptr;

    TKernel& kernel() { return m_app->kernel(); }
    TKestTable& table() { return kernel().FavouriteTable; }
    template <class Widget = QWidget> Widget* control(const char* name)
    {
        auto* widget = m_window->findChild<Widget*>(name);
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QPushButton* button(const char* name) { return control<QPushButton>(name); }
    QString text(const char* name) { return control<QLabel>(name)->text(); }
    int count(int number) { return kernel().Stats.Numbers[number].count; }
    int top() { return count(kernel().Stats.Numbers[1].rankedNumber); }
    void click(int number)
    {
        QTest::mouseClick(control("DrawGrid1"), Qt::LeftButton, {},
                          FavouriteBoard::cellOrigin(number) + QPoint(10, 10));
    }
    bool showsStars(int stars)
    {
        const QPixmap expected =
            ratingPicture(stars, {65, 13}, m_window->palette().color(QPalette::Window));
        return control<QLabel>("Image1")->pixmap().toImage() == expected.toImage();
    }
    QList<int> stored()
    {
        QList<int> numbers;
        for (table().First(); !table().Eof(); table().Next())
            numbers << table().AsInteger("FavouriteNr");
        return numbers;
    }
    void store(const QList<int>& numbers)
    {
        TKernel::EmptyTable(table());
        for (int number : numbers) {
            table().Append();
            table().SetField("FavouriteNr", number);
            table().Post();
        }
    }
    void reshow()
    {
        m_window->close();
        m_window->show();
    }

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        TestData::installSample();
        m_app = std::make_unique<Application>();
        kernel().RecalculateAll();
        QVERIFY(kernel().Stats.RecordCount > 0);
        m_window = m_app->main().findChild<FavouritesWindow*>();
        QVERIFY(m_window);
        store({});
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
        TKestMessage::clearAnswered();
    }

    void cleanup()
    {
        m_app.reset();
        m_env.reset();
    }

    void ratingFollowsTheShareOfTheTopCount_data()
    {
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("average");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("stars");
        QTest::newRow("nothing selected") << 0 << 0 << 200 << 0;
        QTest::newRow("the top itself") << 1 << 200 << 200 << 5;
        QTest::newRow("95") << 3 << 190 << 200 << 5;
        // Halves go to the even neighbour: 94.5 to 94, 88.5 to 88, 39.5 up to 40.
        QTest::newRow("94.5") << 3 << 189 << 200 << 4;
        QTest::newRow("89") << 3 << 178 << 200 << 4;
        QTest::newRow("88.5") << 3 << 177 << 200 << 3;
        QTest::newRow("78") << 3 << 156 << 200 << 3;
        QTest::newRow("77") << 3 << 154 << 200 << 2;
        QTest::newRow("67") << 3 << 134 << 200 << 2;
        QTest::newRow("66.5") << 3 << 133 << 200 << 1;
        QTest::newRow("40") << 3 << 80 << 200 << 1;
        QTest::newRow("39.5") << 3 << 79 << 200 << 1;
        QTest::newRow("38.5") << 3 << 77 << 200 << 0;
        QTest::newRow("no draws") << 2 << 0 << 0 << 0;
        QTest::newRow("above the top after a filter") << 2 << 250 << 200 << 5;
    }

    void ratingFollowsTheShareOfTheTopCount()
    {
        QFETCH(int, selected);
        QFETCH(int, average);
        QFETCH(int, top);
        QFETCH(int, stars);
        QCOMPARE(FavouriteStars(selected, average, top), stars);
    }

    void opensEmptyWithItsControls()
    {
        QCOMPARE(text("lbTot"), QString("0"));
        QCOMPARE(text("Label4"), QString("0"));
        QVERIFY(showsStars(0));
        QVERIFY(!button("Button1")->isEnabled());
        QVERIFY(!button("Button2")->isEnabled());
        QCOMPARE(button("Button2")->text(), QString("C&lear"));
        QCOMPARE(control("DrawGrid1")->size(), QSize(200, 100));
        QCOMPARE(control("DrawGrid1")->toolTip(),
                 QString("Click here to select your favourite numbers."));
        QCOMPARE(control("Image1")->toolTip(),
                 QString("Specifies the rating for your selection out of five stars."));
    }

    void togglingGradesTheSelection()
    {
        const int best = kernel().Stats.Numbers[1].rankedNumber;
        click(best);
        QCOMPARE(text("lbTot"), QString("1"));
        QCOMPARE(text("Label4"), QString::number(count(best)));
        QVERIFY(showsStars(5));
        QVERIFY(button("Button1")->isEnabled());
        QVERIFY(button("Button2")->isEnabled());

        const int worst = kernel().Stats.Numbers[49].rankedNumber;
        click(worst);
        QCOMPARE(text("lbTot"), QString("2"));
        const int average = (count(best) + count(worst)) / 2;
        QCOMPARE(text("Label4"), QString::number(average));
        QVERIFY(showsStars(FavouriteStars(2, average, top())));
        saveScreenshot(m_window, "favourites-two");

        click(best);
        click(worst);
        QCOMPARE(text("lbTot"), QString("0"));
        QCOMPARE(text("Label4"), QString("0"));
        QVERIFY(showsStars(0));
        QVERIFY(!button("Button2")->isEnabled());
    }

    void allNumbersAverageTheMeanCount()
    {
        int sum = 0;
        for (int number = 1; number <= 49; ++number) {
            click(number);
            sum += count(number);
        }
        QCOMPARE(text("lbTot"), QString("49"));
        QCOMPARE(text("Label4"), QString::number(sum / 49));
        saveScreenshot(m_window, "favourites-all");
    }

    void theEmptyCellOnlyEnablesSave()
    {
        QTest::mouseClick(control("DrawGrid1"), Qt::LeftButton, {}, QPoint(195, 95));
        QVERIFY(button("Button1")->isEnabled());
        QCOMPARE(text("lbTot"), QString("0"));
        QVERIFY(!button("Button2")->isEnabled());
    }

    void savingWritesTheNumbersAscendingOnce()
    {
        store({5});
        reshow();
        for (int number : {30, 2, 49, 17})
            click(number);
        button("Button1")->click();
        QCOMPARE(stored(), (QList<int>{2, 5, 17, 30, 49}));
        QVERIFY(!button("Button1")->isEnabled());
        QVERIFY(m_window->isVisible());

        // Clear touches nothing until saved, and saving nothing leaves the table empty.
        button("Button2")->click();
        QCOMPARE(text("lbTot"), QString("0"));
        QVERIFY(!button("Button2")->isEnabled());
        QVERIFY(button("Button1")->isEnabled());
        QCOMPARE(stored().size(), 5);
        button("Button1")->click();
        QVERIFY(stored().isEmpty());
        QVERIFY(TKestMessage::answeredTexts().isEmpty());
    }

    void showingReloadsTheTableAndDropsUnsavedChanges()
    {
        // A number stored twice toggles back off; numbers outside 1 to 49 are ignored.
        store({7, 12, 7, 0, 77, 49});
        reshow();
        QCOMPARE(text("lbTot"), QString("2"));
        QCOMPARE(text("Label4"), QString::number((count(12) + count(49)) / 2));
        QVERIFY(!button("Button1")->isEnabled());
        QVERIFY(button("Button2")->isEnabled());

        click(3);
        button("Button3")->click();
        QVERIFY(!m_window->isVisible());
        QVERIFY(!button("Button1")->isEnabled());
        m_window->show();
        QCOMPARE(text("lbTot"), QString("2"));
        QCOMPARE(stored(), (QList<int>{7, 12, 7, 0, 77, 49}));
    }

    void aFailedSaveIsReportedAndKeepsSaveEnabled()
    {
        store({8});
        reshow();
        click(9);
        table().Close();
        TKestMessage::setNextAnswer(QMessageBox::Ok);
        button("Button1")->click();
        QCOMPARE(TKestMessage::answeredTexts().size(), 1);
        QVERIFY(button("Button1")->isEnabled());
        table().Open();
        QCOMPARE(stored(), QList<int>{8});
    }
};

QTEST_MAIN(TestFavourites)
#include "tst_favourites.moc"
