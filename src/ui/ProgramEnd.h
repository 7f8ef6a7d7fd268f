#pragma once
// Ending the process at once, as the exit buttons of the login, the connection
// status and the main window do (no clean-up of the database or the port).
// Tests' services end the program with a recorder, so that the test process
// survives and sees the request.
// Work registered with atEnd (speeches still open closed in their log,
// a vote cut off while it ran recorded as interrupted) runs
// first, also when the services end the program otherwise.

#include <functional>

namespace ProgramEnd {

// Ends the process with `code`, or hands it to the services' endProgram and returns.
void now(int code = 0);

// Runs `work` when the program ends through now(), until dropped by `owner`.
void atEnd(const void* owner, std::function<void()> work);
void dropAtEnd(const void* owner);

} // namespace ProgramEnd
