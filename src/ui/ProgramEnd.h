#pragma once
// Ending the process at once, as the exit buttons of the login, the connection
// status and the main window do (no clean-up of the database or the port).
// Tests install a hook so that the test process survives and sees the request.
// Work registered with atEnd (speeches still open closed in their log,
// a vote cut off while it ran recorded as interrupted) runs
// first, also when a hook is installed.

#include <functional>

namespace ProgramEnd {

// Ends the process with `code`, or calls the installed hook and returns.
void now(int code = 0);

// Runs `work` when the program ends through now(), until dropped by `owner`.
void atEnd(const void* owner, std::function<void()> work);
void dropAtEnd(const void* owner);

// nullptr-like empty function restores the real end.
void setHook(std::function<void(int)> hook);

} // namespace ProgramEnd
