#include "FuzzSupport.h"
#include "core/kernel/KestError.h"
#include "core/kernel/KestFilter.h"
#include "core/kernel/TableSchema.h"

#include <cmath>
#include <limits>

// An expression compiles or is refused; a compiled one gives one answer per row, every time.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fuzz::scratch();
    const TableSchema& schema = Tables::schemaFor(Tables::Lotto);
    const QString expression =
        QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    TKestFilter filter;
    try {
        filter = TKestFilter::compile(expression, schema);
    } catch (const TKestError&) {
        return 0;
    }
    TableRow row;
    row.numbers.assign(schema.numberCount, 7.0);
    row.texts.assign(schema.textCount, QStringLiteral(" 05 May 2001"));
    TableRow empty;
    empty.numbers.assign(schema.numberCount, std::numeric_limits<double>::quiet_NaN());
    empty.texts.assign(schema.textCount, QString());
    for (const TableRow* sample : {&row, &empty}) {
        const bool first = filter.matches(*sample);
        Fuzz::require(filter.matches(*sample) == first);
    }
    return 0;
}
