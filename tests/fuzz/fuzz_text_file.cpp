// The document page's text-file decoder: byte-order marks, UTF-8 and the legacy code pages.
#include "FuzzInput.h"
#include "screen/TextFileDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    TextFileDecoder::decode(fuzzBytes(data + 1, size - 1), data[0] & 1 ? 936 : 1252);
    return 0;
}
