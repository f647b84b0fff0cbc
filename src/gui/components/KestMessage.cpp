#include "gui/components/KestMessage.h"

#include <cstdio>
#include <optional>

namespace {
std::optional<QMessageBox::StandardButton> nextAnswer;
QStringList answered;
} // namespace

QMessageBox::StandardButton TKestMessage::show(QMessageBox::Icon icon, QWidget* parent,
                                               const QString& caption, const QString& text,
                                               QMessageBox::StandardButtons buttons)
{
    if (nextAnswer) {
        const QMessageBox::StandardButton answer = *nextAnswer;
        nextAnswer.reset();
        answered << text;
        return answer;
    }
    if (qEnvironmentVariableIntValue("DRAWSAGE_UNATTENDED") == 1) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
        return buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::No;
    }
    QMessageBox box(icon, caption, text, buttons, parent);
    return QMessageBox::StandardButton(box.exec());
}

QMessageBox::StandardButton TKestMessage::critical(QWidget* parent, const QString& caption,
                                                   const QString& text)
{
    return show(QMessageBox::Critical, parent, caption, text, QMessageBox::Ok);
}

QMessageBox::StandardButton TKestMessage::information(QWidget* parent, const QString& caption,
                                                      const QString& text)
{
    return show(QMessageBox::Information, parent, caption, text, QMessageBox::Ok);
}

QMessageBox::StandardButton TKestMessage::question(QWidget* parent, const QString& caption,
                                                   const QString& text)
{
    return show(QMessageBox::Question, parent, caption, text, QMessageBox::Yes | QMessageBox::No);
}

void TKestMessage::setNextAnswer(QMessageBox::StandardButton answer)
{
    nextAnswer = answer;
}

QStringList TKestMessage::answeredTexts()
{
    return answered;
}

void TKestMessage::clearAnswered()
{
    answered.clear();
}
