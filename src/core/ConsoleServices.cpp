#include "core/ConsoleServices.h"

#include "core/Prompt.h"
#include "core/TimerService.h"

#include <cstdio>
#include <utility>

namespace {

class StderrPrompter : public Prompter
{
public:
    void information(const QString& caption, const QString& text) override
    {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
    }
    bool question(const QString& caption, const QString& text) override
    {
        information(caption, text);
        return false;
    }
};

ConsoleServices* g_installed = nullptr;

} // namespace

TimerService& ConsoleServices::clock() const
{
    static QtTimerService qtTimers;
    return timers ? *timers : qtTimers;
}

Prompter& ConsoleServices::prompts() const
{
    static StderrPrompter fallback;
    return prompter ? *prompter : fallback;
}

void ConsoleServices::storeFailed(const QString& detail) const
{
    if (storeFailures)
        storeFailures->failed(detail);
    else
        prompts().information(Prompt::caption(), detail);
}

namespace Services {

ConsoleServices& current()
{
    static ConsoleServices defaults;
    return g_installed ? *g_installed : defaults;
}

ConsoleServices* install(ConsoleServices* services)
{
    return std::exchange(g_installed, services);
}

} // namespace Services
