// The parent's side of the legacy .xls read: the bytes its helper process sends back, which a
// crashing or confused helper may cut off or garble.
#include "FuzzInput.h"
#include "data/SpreadsheetReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SpreadsheetReader reader;
    if (!reader.takeLegacyPayload(fuzzBytes(data, size)))
        return 0;
    for (const QString& name : reader.sheetNames()) {
        SheetRows rows;
        reader.readSheet(name, rows);
    }
    return 0;
}
