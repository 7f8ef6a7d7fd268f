// The library's one export; everything else is hidden (see CMakeLists.txt).
// Qt's X11 interface declares a type named Display, so no Qt header that pulls it in is included here.

#include "framepane/DisplayWords.h"
#include "framepane/RunDisplay.h"

extern "C" __attribute__((visibility("default"))) void
Display(uint32_t w1, uint32_t w2, uint32_t w3, uint32_t w4, uint32_t w5, uint32_t w6, uint32_t w7,
        uint32_t w8, uint32_t w9, uint32_t w10, uint32_t w11, uint32_t w12, uint32_t w13, uint32_t w14,
        uint32_t w15, uint32_t w16, uint32_t w17, uint32_t w18, uint32_t w19, uint32_t w20, uint32_t w21,
        uint32_t w22, uint32_t w23, uint32_t w24, uint32_t w25, uint32_t w26, uint32_t w27, uint32_t w28)
{
    runDisplay(unpackDisplayWords({w1,  w2,  w3,  w4,  w5,  w6,  w7,  w8,  w9,  w10, w11, w12, w13, w14,
                                   w15, w16, w17, w18, w19, w20, w21, w22, w23, w24, w25, w26, w27, w28}));
}
