#include "core/generator/TemplateFile.h"
#include "core/kernel/KestError.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

TemplateRow row(const QString& line)
{
    TemplateRow cells;
    for (int k = 0; k < 6; ++k)
        cells[k] = line.mid(2 * k, 2);
    return cells;
}

QString errorOf(const TemplateData& data)
{
    try {
        CheckTemplateRows(data);
    } catch (const TKestError& error) {
        return error.message();
    }
    return {};
}

} // namespace

class TestTemplateFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QString& name, const QByteArray& content)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(content);
        return path;
    }

    QByteArray read(const QString& path)
    {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

private slots:
    void theWriterWritesTheEditorsLines()
    {
        const QString path = m_dir.filePath("two.tpl");
        WriteTemplate(path, {7, 3, {{"1", "2", "3", "4", "5", "6"}, row("010203040507")}});
        QCOMPARE(read(path), QByteArray("7\r\n2\r\n3\r\n010203040506\r\n010203040507\r\n"));
        // Wider cells are cut with the line at 12 characters.
        WriteTemplate(path, {7, 0, {{"100", "2", "3", "4", "5", "6"}}});
        QCOMPARE(read(path), QByteArray("7\r\n1\r\n0\r\n100020304050\r\n"));
    }

    void aFailedSaveLeavesTheFileAsItWas()
    {
        const auto fails = [](const QString& path, const TemplateData& data) {
            try {
                WriteTemplate(path, data);
            } catch (const TKestError& error) {
                return error.message() == "Unable to save template";
            }
            return false;
        };
        const TemplateData good{7, 0, {row("010203040506")}};
        const QByteArray old = "7\r\n1\r\n0\r\n010203040507\r\n";

        // A cell that is no integer, after a good row.
        const QString path = write("bad.tpl", old);
        QVERIFY(fails(path, {7, 0, {row("010203040506"), {"7a", "2", "3", "4", "5", "6"}}}));
        QCOMPARE(read(path), old);
        QVERIFY(fails(m_dir.filePath("new.tpl"), {7, 0, {{"", "2", "3", "4", "5", "6"}}}));
        QVERIFY(!QFile::exists(m_dir.filePath("new.tpl")));

        // A folder that is a plain file cannot be written, not even by root.
        const QString blocked = write("folder", old);
        QVERIFY(fails(blocked + "/t.tpl", good));
        QCOMPARE(read(blocked), old);
    }

    void commentsAndEmptyLinesAreSkippedAnywhere()
    {
        const TemplateData plain =
            ReadTemplate(write("plain.tpl", "9\r\n2\r\n4\r\n010203040506\r\n070809010203\r\n"),
                         GeneratorTemplateCapacity);
        const TemplateData commented = ReadTemplate(
            write("commented.tpl", "; a wheel\r\n\r\n9\r\n;rows\r\n2\r\n\r\n4\r\n; first\r\n"
                                   "010203040506\r\n\r\n070809010203\n"),
            GeneratorTemplateCapacity);
        for (const TemplateData& data : {plain, commented}) {
            QCOMPARE(data.selectionTotal, 9);
            QCOMPARE(data.guaranteedMatch, 4);
            QCOMPARE(data.rows, (std::vector{row("010203040506"), row("070809010203")}));
        }
    }

    void rowLinesAreReadAsTheyStand()
    {
        // A line of spaces is a data line; a long line keeps 12 characters; a short one gives
        // short slots; rows the file lacks are empty.
        const TemplateData data =
            ReadTemplate(write("odd.tpl", "7\r\n5\r\n0\r\n   \r\n01020304050607\r\n0102\r\n"),
                         EditorTemplateCapacity);
        QCOMPARE(data.rows.size(), size_t(5));
        QCOMPARE(data.rows[0], (TemplateRow{"  ", " ", "", "", "", ""}));
        QCOMPARE(data.rows[1], row("010203040506"));
        QCOMPARE(data.rows[2], (TemplateRow{"01", "02", "", "", "", ""}));
        QCOMPARE(data.rows[3], TemplateRow{});
        QCOMPARE(data.rows[4], TemplateRow{});
    }

    void readersStopAtTheirCapacity()
    {
        QByteArray content = "7\r\n20000\r\n0\r\n";
        for (int r = 0; r < 20000; ++r)
            content += (r < 9996 ? "010203040506" : "zz") + QByteArray("\r\n");
        const QString path = write("big.tpl", content);
        const TemplateData generator = ReadTemplate(path, GeneratorTemplateCapacity);
        QCOMPARE(generator.rows.size(), size_t(9996));
        QCOMPARE(generator.rows.back(), row("010203040506"));
        const TemplateData editor = ReadTemplate(path, EditorTemplateCapacity);
        QCOMPARE(editor.rows.size(), size_t(19996));
        QCOMPARE(editor.rows.back(), (TemplateRow{"zz", "", "", "", "", ""}));
        QCOMPARE(
            ReadTemplate(write("neg.tpl", "7\r\n-3\r\n0\r\n"), EditorTemplateCapacity).rows.size(),
            size_t(0));
    }

    void unreadableFilesAndValuesFail()
    {
        QVERIFY_THROWS_EXCEPTION(
            TKestError, ReadTemplate(m_dir.filePath("missing.tpl"), GeneratorTemplateCapacity));
        try {
            ReadTemplate(write("letters.tpl", "7\r\nten\r\n0\r\n"), GeneratorTemplateCapacity);
            QFAIL("read");
        } catch (const TKestError& error) {
            QCOMPARE(error.message(), "'ten' is not a valid integer value");
        }
        QVERIFY_THROWS_EXCEPTION(
            TKestError, ReadTemplate(write("two.tpl", "7\r\n0\r\n"), EditorTemplateCapacity));
    }

    void unusableRowsAreNamed_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("message");
        const QString prefix = "Row 2 of the template cannot be used: ";
        QTest::newRow("slot 0") << "010203040500" << prefix + "slot 6 is 00, outside 01 to 09.";
        QTest::newRow("above K") << "100203040506" << prefix + "slot 1 is 10, outside 01 to 09.";
        QTest::newRow("repeated") << "010203040102" << prefix + "slot 5 repeats slot 1.";
        QTest::newRow("one digit")
            << "1 0203040506" << prefix + "slot 1 holds \"1 \", not two digits.";
        QTest::newRow("short") << "0102030405" << prefix + "slot 6 holds \"\", not two digits.";
        QTest::newRow("sign") << "-10203040506" << prefix + "slot 1 holds \"-1\", not two digits.";
    }

    void unusableRowsAreNamed()
    {
        QFETCH(QString, line);
        QFETCH(QString, message);
        QCOMPARE(errorOf({9, 0, {row("090807060504"), row(line), row("01")}}), message);
    }

    void usableTemplatesPassTheCheck()
    {
        QCOMPARE(errorOf({9, 0, {row("010203040506"), row("040506070809")}}), QString());
        QCOMPARE(errorOf({49, 0, {row("494847464544")}}), QString());
        QCOMPARE(errorOf({50, 0, {}}),
                 "This template requires a selection of 50 numbers, and the generator will only "
                 "allow a maximum selection of 49 numbers.");
        QCOMPARE(SelectionTotalNotice(0).isEmpty(), false);
        QCOMPARE(SelectionTotalNotice(7), QString());
    }

    void theGeneratorsLoadRefusesUnusableTemplates()
    {
        const QString path = write("wrong.tpl", "7\r\n2\r\n3\r\n010203040506\r\n010203040508\r\n");
        try {
            LoadGeneratorTemplate(path);
            QFAIL("loaded");
        } catch (const TKestError& error) {
            QCOMPARE(error.message(), "Row 2 of the template cannot be used: slot 6 is 08, "
                                      "outside 01 to 07.");
        }
    }
};

QTEST_GUILESS_MAIN(TestTemplateFile)
#include "tst_templatefile.moc"
