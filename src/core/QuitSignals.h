#pragma once
// SIGTERM and SIGINT as events of the event loop: the handler only writes the
// signal's number to a socket pair, and the loop calls `onSignal` with it, so
// the program ends its work the way its own exit does, outside the handler.

#include <functional>

namespace QuitSignals {

// Needs a running (or about to run) event loop; false when the pair could not be made.
bool install(std::function<void(int signal)> onSignal);

} // namespace QuitSignals
