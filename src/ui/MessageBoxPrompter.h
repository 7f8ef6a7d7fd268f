#pragma once
// The program's prompts: message boxes with the information icon, their
// buttons captioned from the language table.

#include "core/Prompt.h"
#include "core/PromptDefaultNo.h"

class MessageBoxPrompter : public Prompter, public DefaultNoPrompter
{
public:
    void information(const QString& caption, const QString& text) override;
    bool question(const QString& caption, const QString& text) override;
    QString typed(const QString& caption, const QString& text) override;
    bool questionDefaultNo(const QString& caption, const QString& text) override;
};
