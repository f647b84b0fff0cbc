#include "FuzzSupport.h"
#include "core/kernel/KestError.h"
#include "core/kernel/KestTable.h"
#include "core/kernel/TableSchema.h"
#include "core/update/ResultsFile.h"

#include <QStringList>

namespace {

TKestTable& table()
{
    static TKestTable* table = [] {
        const QString folder = Fuzz::scratch().path();
        Tables::createTableFile(folder + "/" + Tables::Lotto, Tables::Lotto);
        auto* opened = new TKestTable;
        opened->setDatabasePath(folder);
        opened->setTableName(Tables::Lotto);
        opened->Open();
        return opened;
    }();
    return *table;
}

// The draws a whole file holds: its non-empty lines but the header lines.
int drawLines(const QByteArray& bytes)
{
    int draws = 0;
    const qsizetype end = bytes.indexOf('\x1a'); // the reader stops at a Ctrl-Z
    for (QByteArray line : bytes.left(end < 0 ? bytes.size() : end).split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const QString second = QString::fromLatin1(line.split(',').value(1)).toUpper();
        if (second != " DRAWDATE")
            ++draws;
    }
    return draws;
}

} // namespace

// An import either refuses the file and keeps the table, or leaves one record per draw line.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TKestTable& draws = table();
    const int before = draws.RecordCount();
    const QString path = Fuzz::inputFile(data, size, "update.tmp");
    try {
        importResultsFile(draws, path);
    } catch (const TKestError&) {
        Fuzz::require(draws.RecordCount() == before && !draws.InTransaction());
        return 0;
    }
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // Lines the reader decodes as UTF-8 may hold other separators; count plain ASCII only.
    bool ascii = true;
    for (const char c : bytes)
        ascii = ascii && uchar(c) < 0x80;
    if (ascii)
        Fuzz::require(draws.RecordCount() == drawLines(bytes));
    return 0;
}
