#pragma once

#include <QString>

class QWidget;

// Every file dialog of the program goes through here, so that a test can give the next answer
// in advance instead of blocking on the dialog.
class TKestFileDialog {
public:
    struct Options {
        QString title;
        QString filter;           // "Ticket|*.dtk": a caption, a bar, the patterns
        QString defaultExtension; // without the dot
        QString folder;
    };

    // The chosen existing file, or an empty text when the user cancelled.
    static QString getOpenFileName(QWidget* parent, const Options& options);
    // The chosen file name (the user confirmed overwriting), or empty.
    static QString getSaveFileName(QWidget* parent, const Options& options);

    // The next dialog is not shown and returns this name (empty: cancelled); tests only.
    static void setNextFileName(const QString& fileName);
};
