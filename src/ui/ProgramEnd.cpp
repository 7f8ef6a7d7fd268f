#include "ui/ProgramEnd.h"

#include "core/ConsoleServices.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace ProgramEnd {

void now(int code)
{
    ConsoleServices& services = Services::current();
    const auto work = std::exchange(services.atEnd, {});
    for (const auto& [owner, job] : work)
        job();
    if (services.endProgram) {
        services.endProgram(code);
        return;
    }
    std::fflush(nullptr);
    std::_Exit(code);
}

void atEnd(const void* owner, std::function<void()> work)
{
    Services::current().atEnd[owner] = std::move(work);
}

void dropAtEnd(const void* owner)
{
    Services::current().atEnd.erase(owner);
}

} // namespace ProgramEnd
