#include "core/kernel/Installation.h"
#include "core/kernel/KestError.h"
#include "gui/shell/Application.h"
#include "gui/shell/DrawsageApplication.h"
#include "gui/shell/ErrorReport.h"
#include "gui/shell/MainWindow.h"
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    DrawsageApplication application(argc, argv);
    QApplication::setApplicationName("Drawsage");
    QApplication::setOrganizationName("Kestrix");
    // Desktops match the windows to the installed desktop entry and its icon by this name.
    QGuiApplication::setDesktopFileName("com.kestrix.Drawsage");

    TKestSettings settings;
    try {
        Installation::ensureInstalled(settings);
    } catch (const TKestError& error) {
        ErrorReport::show("Drawsage could not prepare its data folder.\n" + error.message());
    }

    Application drawsage;
    // DRAWSAGE_STARTUP_TIMING=1 reports how long the start took until every page was filled,
    // then ends the program: a measurement, not a way of using it.
    if (qEnvironmentVariableIntValue("DRAWSAGE_STARTUP_TIMING") == 1) {
        QObject::connect(&drawsage.main(), &MainWindow::ready, &application, [&sinceStart] {
            std::printf("Drawsage ready after %lld ms\n", sinceStart.elapsed());
            std::fflush(stdout);
            // The first showing runs before the event loop does; end once it runs.
            QMetaObject::invokeMethod(qApp, &QApplication::quit, Qt::QueuedConnection);
        });
    }
    drawsage.main().showMaximized();
    return QApplication::exec();
}
