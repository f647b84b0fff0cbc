#include "FuzzSupport.h"
#include "core/tickets/TicketFile.h"

// A ticket that loads saves and loads again to the same rows.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TicketRows rows;
    try {
        LoadTicket(rows, Fuzz::inputFile(data, size, "input.dtk"));
    } catch (const TKestError&) {
        Fuzz::require(rows.empty());
        return 0;
    }
    const QString copy = Fuzz::scratch().filePath("copy.dtk");
    SaveTicket(rows, copy);
    TicketRows again;
    LoadTicket(again, copy);
    Fuzz::require(again == rows);
    return 0;
}
