#include "CliApp.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName("drawsage-cli");
    QCoreApplication::setOrganizationName("Kestrix");
    return CliApp().run(QCoreApplication::arguments());
}
