#include "cli/CliApp.h"
#include "cli/PagePrinter.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    return CliApp::main(PagePrinter::run);
}
