#include "CliApp.h"

#include <QCoreApplication>

#include <cstdio>
#include <exception>
#include <new>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
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
