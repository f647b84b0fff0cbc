#include "cli/CliApp.h"
#include "cli/PagePrinter.h"
#include "core/kernel/ProcessMemory.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    ProcessMemory::preferLargePages();
    QCoreApplication application(argc, argv);
    return CliApp::main(PagePrinter::run);
}
