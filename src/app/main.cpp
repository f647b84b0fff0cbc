#include "components/KestMessage.h"
#include "kernel/Installation.h"
#include "kernel/KestError.h"
#include "shell/uApp.h"
#include "shell/uMain.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("Drawsage");
    QApplication::setOrganizationName("Kestrix");

    TKestSettings settings;
    try {
        Installation::ensureInstalled(settings);
    } catch (const TKestError& error) {
        TKestMessage::critical(nullptr, "Drawsage",
                              "Drawsage could not prepare its data folder.\n" + error.message());
    }

    TDrawsageApp drawsage;
    drawsage.main().showMaximized();
    return QApplication::exec();
}
