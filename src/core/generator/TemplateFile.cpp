#include "core/generator/TemplateFile.h"

#include "core/kernel/Format.h"
#include "core/kernel/KestError.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <algorithm>

namespace {

constexpr int RowLineLength = 12;
constexpr int SlotLength = 2;

constexpr int QuotedLength = 40;

// At most the start of a line, so that a huge line does not become a huge message.
QString quoted(const QString& line)
{
    return line.size() <= QuotedLength ? line : line.left(QuotedLength) + "...";
}

int lineValue(const QString& line)
{
    bool ok = false;
    const int value = line.toInt(&ok);
    if (!ok)
        throw TKestError(QString("'%1' is not a valid integer value").arg(quoted(line)));
    return value;
}

TemplateRow rowOf(const QString& line)
{
    TemplateRow row;
    for (int k = 0; k < int(row.size()); ++k)
        row[k] = line.mid(k * SlotLength, SlotLength); // mid stops at the line's end
    return row;
}

// Data lines in file order, at most `capacity` of them.
QStringList dataLines(QFile& file, int capacity)
{
    QStringList lines;
    while (lines.size() < capacity && !file.atEnd()) {
        QByteArray line = file.readLine();
        if (line.endsWith('\n'))
            line.chop(1);
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(';'))
            continue;
        lines << QString::fromLatin1(line);
    }
    return lines;
}

bool isTwoDigits(const QString& slot)
{
    const auto digit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    return slot.size() == SlotLength && digit(slot[0]) && digit(slot[1]);
}

QString unusableRow(int row, const QString& reason)
{
    return QString("Row %1 of the template cannot be used: %2.").arg(row).arg(reason);
}

} // namespace

TemplateData ReadTemplate(const QString& fileName, int capacity)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw TKestError(TemplateReadFailure);
    const QStringList lines = dataLines(file, capacity);
    if (file.error() != QFileDevice::NoError)
        throw TKestError(TemplateReadFailure);

    TemplateData data;
    data.selectionTotal = lineValue(lines.value(0));
    const int declared = lineValue(lines.value(1));
    data.guaranteedMatch = lineValue(lines.value(2));
    const int rowCount = std::clamp(declared, 0, capacity - TemplateValueLines);
    data.rows.reserve(rowCount);
    for (int r = 0; r < rowCount; ++r)
        data.rows.push_back(rowOf(lines.value(TemplateValueLines + r).left(RowLineLength)));
    return data;
}

void WriteTemplate(const QString& fileName, const TemplateData& data)
{
    // Written aside and put in place only when complete: a failed save leaves the user's file
    // as it was.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw TKestError(TemplateSaveFailure);
    const auto writeLine = [&file](const QString& text) {
        if (file.write(text.toLatin1() + "\r\n") < 0)
            throw TKestError(TemplateSaveFailure);
    };
    writeLine(QString::number(data.selectionTotal));
    writeLine(QString::number(data.rows.size()));
    writeLine(QString::number(data.guaranteedMatch));
    for (const TemplateRow& row : data.rows) {
        QString line;
        for (const QString& cell : row) {
            bool ok = false;
            const int value = cell.toInt(&ok);
            if (!ok)
                throw TKestError(TemplateSaveFailure);
            line += Format("%.2d", {value});
        }
        writeLine(line.left(RowLineLength));
    }
    if (!file.commit())
        throw TKestError(TemplateSaveFailure);
}

QString SelectionTotalNotice(int selectionTotal)
{
    if (selectionTotal >= 1 && selectionTotal <= 49)
        return {};
    return QString("This template requires a selection of %1 numbers, and the generator will "
                   "only allow a maximum selection of 49 numbers.")
        .arg(selectionTotal);
}

void CheckTemplateRows(const TemplateData& data)
{
    if (const QString notice = SelectionTotalNotice(data.selectionTotal); !notice.isEmpty())
        throw TKestError(notice);
    for (int r = 0; r < int(data.rows.size()); ++r) {
        const TemplateRow& row = data.rows[r];
        for (int k = 0; k < int(row.size()); ++k) {
            const QString& slot = row[k];
            if (!isTwoDigits(slot))
                throw TKestError(unusableRow(
                    r + 1, QString("slot %1 holds \"%2\", not two digits").arg(k + 1).arg(slot)));
            const int value = slot.toInt();
            if (value < 1 || value > data.selectionTotal)
                throw TKestError(
                    unusableRow(r + 1, QString("slot %1 is %2, outside 01 to %3")
                                           .arg(k + 1)
                                           .arg(slot)
                                           .arg(Format("%.2d", {data.selectionTotal}))));
            for (int earlier = 0; earlier < k; ++earlier) {
                if (row[earlier] == slot)
                    throw TKestError(unusableRow(
                        r + 1, QString("slot %1 repeats slot %2").arg(k + 1).arg(earlier + 1)));
            }
        }
    }
}

TemplateData LoadGeneratorTemplate(const QString& fileName)
{
    TemplateData data = ReadTemplate(fileName, GeneratorTemplateCapacity);
    CheckTemplateRows(data);
    return data;
}
