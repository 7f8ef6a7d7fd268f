#include "core/Prompt.h"
#include "core/ConsoleServices.h"
#include "core/PromptDefaultNo.h"

#include <QCoreApplication>

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

Prompter* prompter()
{
    return &Services::current().prompts();
}

} // namespace Prompt
