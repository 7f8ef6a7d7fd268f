// The seat layout file: whatever it holds, the loaded layout stays within its bounds.
#include "FuzzInput.h"
#include "speak/SeatLayout.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const SeatLayout layout = SeatLayout::load(fuzzFile(data, size, QStringLiteral("seats.ini")));
    if (layout.count() > SeatLayout::kMaxSeats)
        std::abort();
    return 0;
}
