// The delegate photo reader: a header that passes the check must give a picture without reading
// past the bytes.
#include "FuzzInput.h"
#include "prep/DelegatePhoto.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    if (DelegatePhoto::isUsableBmp(bytes))
        DelegatePhoto::toImage(bytes);
    return 0;
}
