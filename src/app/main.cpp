#include "core/kernel/Installation.h"
#include "core/kernel/KestError.h"
#include "core/kernel/ProcessMemory.h"
#include "gui/components/KestMessage.h"
#include "gui/shell/Application.h"
#include "gui/shell/DrawsageApplication.h"
#include "gui/shell/ErrorReport.h"
#include "gui/shell/KestInstance.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/SplashWindow.h"
#include <QElapsedTimer>

#include <cstdio>
#include <memory>

int main(int argc, char* argv[])
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    ProcessMemory::preferLargePages();
    DrawsageApplication application(argc, argv);
    auto splash = std::make_unique<SplashWindow>();
    splash->showNow();
    QApplication::setApplicationName("Drawsage");
    QApplication::setOrganizationName("Kestrix");
    // Desktops match the windows to the installed desktop entry and its icon by this name.
    QGuiApplication::setDesktopFileName("com.kestrix.Drawsage");

    TKestInstance instance;
    if (!instance.isFirst()) {
        splash.reset();
        TKestMessage::information(nullptr, "Drawsage", "Drawsage is already running");
        if (!instance.raisePriorInstance())
            std::fprintf(stderr, "drawsage: the running Drawsage did not answer\n");
        return 0;
    }

    TKestSettings settings;
    try {
        Installation::ensureInstalled(settings);
    } catch (const TKestError& error) {
        splash->hide(); // it stays on top and would hide the box
        ErrorReport::show("Drawsage could not prepare its data folder.\n" + error.message());
    }

    Application drawsage;
    instance.setMainWindow(&drawsage.main());
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
    splash.reset();
    drawsage.main().showMaximized();
    return QApplication::exec();
}
