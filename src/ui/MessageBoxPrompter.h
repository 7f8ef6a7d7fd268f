#pragma once
// The program's prompts: message boxes with the information icon.

#include "core/Prompt.h"

class MessageBoxPrompter : public Prompter
{
public:
    void information(const QString& caption, const QString& text) override;
    bool question(const QString& caption, const QString& text) override;
    QString typed(const QString& caption, const QString& text) override;
};
