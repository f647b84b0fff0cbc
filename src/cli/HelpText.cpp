#include "cli/HelpText.h"

namespace HelpText {

QStringList wrapped(const QString& text, int width)
{
    QStringList lines;
    for (const QString& word : text.split(' ', Qt::SkipEmptyParts)) {
        if (!lines.isEmpty() && lines.last().size() + 1 + word.size() <= width)
            lines.last() += ' ' + word;
        else
            lines << word;
    }
    return lines;
}

QString entry(const QString& head, const QString& description)
{
    constexpr int indent = 2;
    QStringList lines = wrapped(head, Width - indent - 4);
    for (qsizetype i = 0; i < lines.size(); ++i)
        lines[i] = QString(i == 0 ? indent : indent + 4, ' ') + lines[i];
    const QString margin(DescriptionColumn, ' ');
    const QStringList text = wrapped(description, Width - DescriptionColumn);
    for (qsizetype i = 0; i < text.size(); ++i) {
        // The first line goes beside the entry when the entry leaves room for it.
        if (i == 0 && lines.size() == 1 && lines.last().size() < DescriptionColumn - 1)
            lines.last() = lines.last().leftJustified(DescriptionColumn) + text[i];
        else
            lines << margin + text[i];
    }
    return lines.join('\n') + '\n';
}

} // namespace HelpText
