#include "app/AppContext.h"

namespace {
AppContext::StartupValues g_startup;
} // namespace

namespace AppContext {

const StartupValues& startup()
{
    return g_startup;
}

void setStartup(const StartupValues& values)
{
    g_startup = values;
}

} // namespace AppContext
