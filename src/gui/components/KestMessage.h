#pragma once

#include <QMessageBox>
#include <QStringList>

// Every modal message box of the program goes through here, so that a test can answer the next
// one in advance instead of blocking on it. With DRAWSAGE_UNATTENDED=1 in the environment (a
// scripted run, the tests that start the program itself) no box is shown: its text goes to
// standard error and it is answered OK, or No where it asks.
class TKestMessage {
public:
    static QMessageBox::StandardButton critical(QWidget* parent, const QString& caption,
                                                const QString& text);
    static QMessageBox::StandardButton information(QWidget* parent, const QString& caption,
                                                   const QString& text);
    static QMessageBox::StandardButton question(QWidget* parent, const QString& caption,
                                                const QString& text);

    // The next box is not shown and returns this answer; tests only.
    static void setNextAnswer(QMessageBox::StandardButton answer);
    // The texts of the boxes answered in advance, oldest first; tests only.
    static QStringList answeredTexts();
    static void clearAnswered();

private:
    static QMessageBox::StandardButton show(QMessageBox::Icon icon, QWidget* parent,
                                            const QString& caption, const QString& text,
                                            QMessageBox::StandardButtons buttons);
};
