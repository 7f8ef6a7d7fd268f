#include "ui/ProgramEnd.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <utility>

namespace {
std::function<void(int)> g_hook;
std::map<const void*, std::function<void()>> g_atEnd;
} // namespace

namespace ProgramEnd {

void now(int code)
{
    const auto work = std::exchange(g_atEnd, {});
    for (const auto& [owner, job] : work)
        job();
    if (g_hook) {
        g_hook(code);
        return;
    }
    std::fflush(nullptr);
    std::_Exit(code);
}

void atEnd(const void* owner, std::function<void()> work)
{
    g_atEnd[owner] = std::move(work);
}

void dropAtEnd(const void* owner)
{
    g_atEnd.erase(owner);
}

void setHook(std::function<void(int)> hook)
{
    g_hook = std::move(hook);
}

} // namespace ProgramEnd
