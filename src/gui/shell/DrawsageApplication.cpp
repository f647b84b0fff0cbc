#include "gui/shell/DrawsageApplication.h"

#include "gui/shell/ErrorReport.h"

DrawsageApplication::DrawsageApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{}

bool DrawsageApplication::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    ErrorReport::guard([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
