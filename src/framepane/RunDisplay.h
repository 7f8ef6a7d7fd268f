#pragma once

#include "framepane/DisplayWords.h"

// Runs "Playback window" modally on the caller's application, or on one made for the call.
void runDisplay(const DisplayWords& words);
