#include "cli/CliApp.h"
#include "cli/printer/PrintCommand.h"

#include <QGuiApplication>

// drawsage-print: drawsage-cli with the print command that draws pages. drawsage-cli runs it
// for that command alone, so that no other command pays for loading Qt Gui.
int main(int argc, char* argv[])
{
    // Pages need fonts, which need a GUI application; the offscreen platform needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    return CliApp::main(PrintCommand::run);
}
