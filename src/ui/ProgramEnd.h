#pragma once
// Ending the process at once, as the exit buttons of the login, the connection
// status and the main window do (no clean-up of the database or the port).
// Tests install a hook so that the test process survives and sees the request.

#include <functional>

namespace ProgramEnd {

// Ends the process with `code`, or calls the installed hook and returns.
void now(int code = 0);

// nullptr-like empty function restores the real end.
void setHook(std::function<void(int)> hook);

// Runs at the end, before the hook or the real end: what must be recorded
// whatever ends the program (a round cut off while it ran).
void setCleanUp(std::function<void()> cleanUp);

} // namespace ProgramEnd
