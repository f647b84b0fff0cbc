#include "FuzzSupport.h"
#include "core/generator/TemplateFile.h"
#include "core/kernel/KestError.h"

// A template reads within its capacity, and a usable one holds valid rows only.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = Fuzz::inputFile(data, size, "input.tpl");
    TemplateData read;
    try {
        read = ReadTemplate(path, GeneratorTemplateCapacity);
    } catch (const TKestError& error) {
        Fuzz::require(error.message().size() < 200);
        return 0;
    }
    Fuzz::require(int(read.rows.size()) <= GeneratorTemplateCapacity - TemplateValueLines);
    try {
        CheckTemplateRows(read);
    } catch (const TKestError&) {
        return 0;
    }
    for (const TemplateRow& row : read.rows) {
        for (const QString& slot : row) {
            const int value = slot.toInt();
            Fuzz::require(value >= 1 && value <= read.selectionTotal);
        }
    }
    return 0;
}
