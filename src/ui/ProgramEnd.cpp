#include "ui/ProgramEnd.h"

#include <cstdio>
#include <cstdlib>

namespace {
std::function<void(int)> g_hook;
}

namespace ProgramEnd {

void now(int code)
{
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

} // namespace ProgramEnd
