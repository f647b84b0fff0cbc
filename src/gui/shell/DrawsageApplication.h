#pragma once

#include <QApplication>

// The desktop program's application object. Its one addition is the last resort of the error
// report: an error that escapes an event handler is shown instead of ending the program.
class DrawsageApplication : public QApplication {
    Q_OBJECT

public:
    DrawsageApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
