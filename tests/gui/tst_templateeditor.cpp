#include "Screenshots.h"
#include "TestEnvironment.h"
#include "core/kernel/Kernel.h"
#include "gui/components/KestFileDialog.h"
#include "gui/components/KestMessage.h"
#include "gui/components/KestStrGrid.h"
#include "gui/generator/TemplateEditor.h"
#include "gui/shell/Application.h"
#include "gui/shell/MainWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QToolButton>
#include <QtTest>

class TestTemplateEditor : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<Application> m_app;
    TemplateEditor* m_editor = nullptr;
    TKestStrGrid* m_grid = nullptr;
    std::unique_ptr<QSignalSpy> m_notices;

    template <class Widget = QWidget> Widget* control(const char* name)
    {
        auto* widget = m_editor->findChild<Widget*>(name);
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QPushButton* button(const char* name) { return control<QPushButton>(name); }
    QString status() { return control<QLabel>("StatusPanel1")->text(); }
    QString edit(const char* name) { return control<QLineEdit>(name)->text(); }
    void spin(const char* name, const char* arrow, int clicks = 1)
    {
        for (int i = 0; i < clicks; ++i)
            control(name)->findChild<QToolButton*>(arrow)->click();
    }
    QStringList notices()
    {
        QStringList texts;
        for (const QList<QVariant>& notice : *m_notices)
            texts << notice.first().toString();
        m_notices->clear();
        return texts;
    }
    QLineEdit* startEditing(int row, int column)
    {
        m_grid->setCurrentCell(row, column);
        const QModelIndex cell = m_grid->model()->index(row, column);
        if (!m_grid->indexWidget(cell)) // moving there opens the editor already
            m_grid->edit(cell);
        auto* editor = qobject_cast<QLineEdit*>(m_grid->indexWidget(cell));
        if (!editor)
            qFatal("no editor on %d,%d", row, column);
        return editor;
    }
    void type(int row, int column, const QString& text)
    {
        QTest::keyClicks(startEditing(row, column), text);
    }
    void typeRow(int row, const QStringList& cells)
    {
        for (int k = 0; k < cells.size(); ++k)
            type(row, k, cells[k]);
    }
    QString file(const QString& name) { return m_env->path(name); }
    static void writeFile(const QString& path, const QByteArray& content)
    {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(content);
    }
    static QByteArray readFile(const QString& path)
    {
        QFile in(path);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    void open(const QString& path)
    {
        TKestFileDialog::setNextFileName(path);
        button("btnOpen")->click();
    }
    void save(const QString& path)
    {
        TKestFileDialog::setNextFileName(path);
        button("btnSave")->click();
    }
    // Whether New asks first, which is what the modified flag decides; the editor is reset
    // either way.
    bool newAsks()
    {
        TKestMessage::clearAnswered();
        TKestMessage::setNextAnswer(QMessageBox::No);
        button("btnNew")->click();
        const bool asked = !TKestMessage::answeredTexts().isEmpty();
        if (!asked)
            TKestMessage::question(nullptr, {}, {}); // takes the unused answer
        TKestMessage::clearAnswered();
        return asked;
    }
    void verifyReset()
    {
        QCOMPARE(edit("Edit1"), QString("7"));
        QCOMPARE(edit("Edit2"), QString("0"));
        QCOMPARE(m_grid->rowCount(), 1);
        for (int k = 0; k < 6; ++k)
            QVERIFY(m_grid->cellText(0, k).isEmpty());
        QCOMPARE(status(), QString("Combination Count : 0"));
        QVERIFY(!button("btnSave")->isEnabled());
    }

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        TestData::installSample();
        m_app = std::make_unique<Application>();
        m_editor = m_app->main().findChild<TemplateEditor*>();
        QVERIFY(m_editor);
        m_grid = control<TKestStrGrid>("KestStrGrid1");
        m_editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_editor));
        m_notices = std::make_unique<QSignalSpy>(&m_app->kernel(), &TKernel::noticeRequested);
        TKestMessage::clearAnswered();
    }

    void cleanup()
    {
        m_notices.reset();
        m_app.reset();
        m_env.reset();
    }

    void startsEmptyWithItsControls()
    {
        verifyReset();
        QCOMPARE(m_grid->columnCount(), 6);
        QCOMPARE(m_grid->columnWidth(0), 33);
        QCOMPARE(m_grid->rowHeight(0), 15);
        for (const char* name : {"Edit1", "UpDown1", "Edit2", "UpDown2"})
            QCOMPARE(control(name)->toolTip(), QString("Specify the allowed selection total."));
        QVERIFY(control<QLineEdit>("Edit1")->isReadOnly());
        QCOMPARE(button("btnOpen")->text(), QString("&Open"));
        QCOMPARE(button("btnSave")->toolTip(), QString("Click here to save your template."));
        saveScreenshot(m_editor, "template-editor-empty");
    }

    void spinButtonsStayInRangeAndEnableSaveWithoutModifying()
    {
        spin("UpDown1", "down");
        QCOMPARE(edit("Edit1"), QString("7"));
        QVERIFY(!button("btnSave")->isEnabled());
        spin("UpDown1", "up", 50);
        QCOMPARE(edit("Edit1"), QString("49"));
        spin("UpDown2", "up", 9);
        QCOMPARE(edit("Edit2"), QString("6"));
        spin("UpDown2", "down");
        QCOMPARE(edit("Edit2"), QString("5"));
        QVERIFY(button("btnSave")->isEnabled());
        QVERIFY(!newAsks());
        verifyReset();
    }

    void cellsRefuseWhatIsNotASlotAsItIsTyped()
    {
        QLineEdit* editor = startEditing(0, 0);
        QTest::keyClick(editor, '0');
        QCOMPARE(m_grid->cellText(0, 0), QString());
        QCOMPARE(editor->text(), QString());
        QCOMPARE(notices(), QStringList{TemplateEditor::RangeNotice});
        QCOMPARE(status(), QString("Combination Count : 1"));
        QVERIFY(button("btnSave")->isEnabled());

        QTest::keyClick(editor, '5');
        QCOMPARE(m_grid->cellText(0, 0), QString("5"));
        QVERIFY(notices().isEmpty());
        QTest::keyClick(editor, '0');
        QCOMPARE(m_grid->cellText(0, 0), QString());
        QCOMPARE(notices(), QStringList{TemplateEditor::RangeNotice});

        type(0, 1, "a");
        QCOMPARE(m_grid->cellText(0, 1), QString());
        QCOMPARE(notices(), QStringList{TemplateEditor::NumericNotice});

        type(0, 2, "7a");
        QCOMPARE(m_grid->cellText(0, 2), QString());
        QVERIFY(notices().isEmpty());

        type(0, 3, "49");
        QCOMPARE(m_grid->cellText(0, 3), QString("49"));
        // A leading zero cannot be typed, only read from a file.
        type(0, 4, "09");
        QCOMPARE(m_grid->cellText(0, 4), QString("9"));
        QCOMPARE(notices(), QStringList{TemplateEditor::RangeNotice});

        // A slot above the selection total or repeated is the user's business.
        type(0, 5, "49");
        QCOMPARE(m_grid->cellText(0, 5), QString("49"));
        QVERIFY(newAsks());
    }

    void tabAndDownAppendRowsOnlyAtTheEnd()
    {
        // Tab moves along the row, and from the last cell into a new row.
        QLineEdit* editor = startEditing(0, 4);
        QTest::keyClick(editor, Qt::Key_Tab);
        QCOMPARE(m_grid->currentColumn(), 5);
        QCOMPARE(m_grid->rowCount(), 1);
        QTest::keyClick(m_grid->indexWidget(m_grid->currentIndex()), Qt::Key_Tab);
        QCOMPARE(m_grid->rowCount(), 2);
        QCOMPARE(m_grid->currentRow(), 1);
        QCOMPARE(m_grid->currentColumn(), 0);

        // Shift+Tab in the last cell goes back instead.
        m_grid->setCurrentCell(1, 5);
        QTest::keyClick(m_grid, Qt::Key_Backtab, Qt::ShiftModifier);
        QTest::keyClick(m_grid, Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(m_grid->rowCount(), 2);

        // Down appends from any cell of the last row, not from the rows above it.
        m_grid->setCurrentCell(0, 2);
        QTest::keyClick(m_grid, Qt::Key_Down);
        QCOMPARE(m_grid->rowCount(), 2);
        QCOMPARE(m_grid->currentRow(), 1);
        QTest::keyClick(m_grid->indexWidget(m_grid->currentIndex()), Qt::Key_Down);
        QCOMPARE(m_grid->rowCount(), 3);
        QCOMPARE(m_grid->currentRow(), 2);
        QCOMPARE(m_grid->currentColumn(), 2);
        QTest::keyClick(m_grid, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(m_grid->rowCount(), 3);

        // Appending is not an edit: nothing asks to be saved.
        QVERIFY(!newAsks());
        QCOMPARE(m_grid->rowCount(), 1);
    }

    void savesTwoDigitSlotsAndOpensThemAgain()
    {
        spin("UpDown2", "up", 3);
        typeRow(0, {"1", "2", "3", "4", "5", "6"});
        QTest::keyClick(m_grid->indexWidget(m_grid->currentIndex()), Qt::Key_Tab);
        typeRow(1, {"1", "2", "3", "4", "5", "7"});
        QCOMPARE(status(), QString("Combination Count : 2"));
        const QString path = file("two.tpl");
        save(path);
        QCOMPARE(readFile(path), QByteArray("7\r\n2\r\n3\r\n010203040506\r\n010203040507\r\n"));
        QVERIFY(button("btnSave")->isEnabled());
        QCOMPARE(m_grid->cellText(1, 1), QString("2"));
        QVERIFY(!newAsks());

        open(path);
        QCOMPARE(edit("Edit1"), QString("7"));
        QCOMPARE(edit("Edit2"), QString("3"));
        QCOMPARE(m_grid->rowCount(), 2);
        QCOMPARE(m_grid->cellText(0, 0), QString("01"));
        QCOMPARE(m_grid->cellText(1, 5), QString("07"));
        QCOMPARE(status(), QString("Combination Count : 2"));
        saveScreenshot(m_editor, "template-editor-open");
        QVERIFY(!newAsks());
    }

    void opensCommentsBlankLinesAndLongRowsAsTheReaderDoes()
    {
        const QString path = file("commented.tpl");
        writeFile(path, "; made by hand\r\n\r\n;another\r\n12\r\n\r\n3\r\n; match\r\n4\r\n"
                        "010203040506XYZ\r\n070809101112\r\n\r\n010307091112\r\nignored\r\n");
        open(path);
        QVERIFY(notices().isEmpty());
        QCOMPARE(edit("Edit1"), QString("12"));
        QCOMPARE(edit("Edit2"), QString("4"));
        QCOMPARE(m_grid->rowCount(), 3);
        QCOMPARE(m_grid->cellText(2, 5), QString("12"));
        QCOMPARE(status(), QString("Combination Count : 3"));
        // The values changed, which is worth saving, but nothing was edited.
        QVERIFY(button("btnSave")->isEnabled());

        const QString copy = file("copy.tpl");
        save(copy);
        QCOMPARE(readFile(copy), QByteArray("12\r\n3\r\n4\r\n010203040506\r\n070809101112\r\n"
                                            "010307091112\r\n"));
    }

    void opensValuesOutsideTheEditorsRangesWithinThem()
    {
        const QString path = file("odd.tpl");
        writeFile(path, "3\r\n0\r\n9\r\n");
        open(path);
        QVERIFY(notices().isEmpty());
        QCOMPARE(edit("Edit1"), QString("7"));
        QCOMPARE(edit("Edit2"), QString("6"));
        // A template without rows still leaves a row to type in.
        QCOMPARE(m_grid->rowCount(), 1);
        QCOMPARE(status(), QString("Combination Count : 1"));
    }

    void openFailuresLeaveTheEditorReset()
    {
        typeRow(0, {"1", "2"});
        open(file("missing.tpl"));
        QCOMPARE(notices(), (QStringList{TemplateReadFailure, TemplateEditor::OpenFailure}));
        verifyReset();
        QVERIFY(!newAsks());

        const QString path = file("bad.tpl");
        writeFile(path, "7\r\n1\r\nthree\r\n010203040506\r\n");
        spin("UpDown1", "up");
        open(path);
        QCOMPARE(notices(), QStringList{TemplateEditor::OpenFailure});
        verifyReset();
    }

    void anOpenEditorShowsWhatNewAndOpenPutInItsCell()
    {
        QLineEdit* editor = startEditing(0, 0);
        QTest::keyClicks(editor, "12");
        TKestMessage::setNextAnswer(QMessageBox::No);
        button("btnNew")->click();
        const auto editorText = [this] {
            auto* open =
                qobject_cast<QLineEdit*>(m_grid->indexWidget(m_grid->model()->index(0, 0)));
            return open ? open->text() : QString();
        };
        QCOMPARE(editorText(), QString());
        // Leaving the cell must not bring the old text back.
        m_grid->setCurrentCell(0, 3);
        QCOMPARE(m_grid->cellText(0, 0), QString());

        const QString path = file("one.tpl");
        writeFile(path, "7\r\n1\r\n0\r\n010203040506\r\n");
        startEditing(0, 0);
        open(path);
        QCOMPARE(m_grid->cellText(0, 0), QString("01"));
        QVERIFY(editorText() == "01" || editorText().isEmpty());
        m_grid->setCurrentCell(0, 3);
        QCOMPARE(m_grid->cellText(0, 0), QString("01"));
    }

    void cancellingOpenOnlyClearsModified()
    {
        typeRow(0, {"1", "2"});
        open({});
        QCOMPARE(m_grid->cellText(0, 1), QString("2"));
        QVERIFY(button("btnSave")->isEnabled());
        QVERIFY(!newAsks());
    }

    void aFailedSaveKeepsModifiedAndTheUsersFile()
    {
        const QString path = file("kept.tpl");
        const QByteArray old = "7\r\n1\r\n0\r\n010203040507\r\n";
        writeFile(path, old);
        typeRow(0, {"1", "2", "3", "4", "5", "6"});
        QTest::keyClick(m_grid->indexWidget(m_grid->currentIndex()), Qt::Key_Down);
        typeRow(1, {"1", "2"});
        save(path);
        QCOMPARE(notices(), QStringList{TemplateSaveFailure});
        QCOMPARE(readFile(path), old);
        QVERIFY(button("btnSave")->isEnabled());

        save({}); // cancelled: nothing happens
        QVERIFY(notices().isEmpty());
        QVERIFY(newAsks());
    }

    void newAndCloseOfferToSave()
    {
        typeRow(0, {"1", "2", "3", "4", "5", "6"});
        const QString path = file("asked.tpl");
        TKestMessage::setNextAnswer(QMessageBox::Yes);
        TKestFileDialog::setNextFileName(path);
        button("btnNew")->click();
        QCOMPARE(TKestMessage::answeredTexts(), QStringList{TemplateEditor::SaveQuestion});
        QVERIFY(QFile::exists(path));
        QCOMPARE(m_grid->cellText(0, 5), QString("6"));

        // Close after Yes keeps the content for the next showing, even when the save dialog
        // is cancelled; the generator is told either way.
        QSignalSpy closed(m_editor, &TemplateEditor::closed);
        type(0, 0, "2");
        TKestMessage::setNextAnswer(QMessageBox::Yes);
        TKestFileDialog::setNextFileName({});
        button("btnClose")->click();
        QVERIFY(!m_editor->isVisible());
        QCOMPARE(closed.size(), 1);
        m_editor->show();
        QCOMPARE(m_grid->cellText(0, 0), QString("2"));

        // No resets, by the button or by the window's own close keys.
        TKestMessage::setNextAnswer(QMessageBox::No);
        QTest::keyClick(m_editor, Qt::Key_Escape);
        QVERIFY(!m_editor->isVisible());
        QCOMPARE(closed.size(), 2);
        verifyReset();

        // Without changes Close neither asks nor keeps anything.
        m_editor->show();
        spin("UpDown1", "up");
        TKestMessage::clearAnswered();
        button("btnClose")->click();
        QVERIFY(TKestMessage::answeredTexts().isEmpty());
        QCOMPARE(closed.size(), 3);
        verifyReset();
    }
};

QTEST_MAIN(TestTemplateEditor)
#include "tst_templateeditor.moc"
