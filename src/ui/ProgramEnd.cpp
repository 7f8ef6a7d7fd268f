#include "ui/ProgramEnd.h"

#include <cstdio>
#include <cstdlib>

namespace {
std::function<void(int)> g_hook;
std::function<void()> g_cleanUp;
} // namespace

namespace ProgramEnd {

void now(int code)
{
    if (g_cleanUp)
        g_cleanUp();
    if (g_hook) {
        g_hook(code);
        return;
    }
    std::fflush(nullptr);
    std::_Exit(code);
}

void setHook(std::function<void(int)> hook)
{
    g_hook = std::move(hook);
}

void setCleanUp(std::function<void()> cleanUp)
{
    g_cleanUp = std::move(cleanUp);
}

} // namespace ProgramEnd
