#include "core/Prompt.h"
#include "core/PromptDefaultNo.h"

#include <QCoreApplication>

#include <cstdio>

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

StderrPrompter g_fallback;
Prompter* g_prompter = nullptr;

} // namespace

namespace Prompt {

void information(const QString& caption, const QString& text)
{
    prompter()->information(caption, text);
}

bool question(const QString& caption, const QString& text)
{
    return prompter()->question(caption, text);
}

QString typed(const QString& caption, const QString& text)
{
    return prompter()->typed(caption, text);
}

bool questionDefaultNo(const QString& caption, const QString& text)
{
    if (auto* choosing = dynamic_cast<DefaultNoPrompter*>(prompter()))
        return choosing->questionDefaultNo(caption, text);
    return prompter()->question(caption, text);
}

QString caption()
{
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("system") : name;
}

void setPrompter(Prompter* prompter)
{
    g_prompter = prompter;
}

Prompter* prompter()
{
    return g_prompter ? g_prompter : &g_fallback;
}

} // namespace Prompt
