// The .xlsx reader (zip and XML) on any file: every sheet it names is read.
#include "FuzzInput.h"
#include "data/SpreadsheetReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SpreadsheetReader reader;
    reader.setLimits(4 * 1024 * 1024, 256 * 1024);
    if (!reader.open(fuzzFile(data, size, QStringLiteral("input.xlsx"))))
        return 0;
    for (const QString& name : reader.sheetNames()) {
        SheetRows rows;
        reader.readSheet(name, rows);
    }
    return 0;
}
