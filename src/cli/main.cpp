#include "CliApp.h"
#include "cli/PrintCommand.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <new>

int main(int argc, char* argv[])
{
    // Printed pages need fonts, which need a GUI application; the offscreen platform needs no
    // display. Every other command stays a console program. An argument that only looks like
    // the command costs nothing but the GUI application.
    std::unique_ptr<QCoreApplication> application;
    if (std::any_of(argv + 1, argv + argc,
                    [](const char* arg) { return std::strcmp(arg, PrintCommand::Name) == 0; })) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName("drawsage-cli");
    QCoreApplication::setOrganizationName("Kestrix");
    QCoreApplication::setApplicationVersion(DRAWSAGE_VERSION);
    // The last resort: whatever escapes a command ends the program with one line, not an
    // abort and a core dump.
    try {
        return CliApp().run(QCoreApplication::arguments());
    } catch (const std::bad_alloc&) {
        std::fputs("drawsage-cli: out of memory: the input is too large\n", stderr);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "drawsage-cli: %s\n", error.what());
    } catch (...) {
        std::fputs("drawsage-cli: an unexpected error ended the command\n", stderr);
    }
    return 1;
}
