#pragma once
// Questions whose Enter answers No, for a step that is costly to undo. A
// prompter that can choose the answer Enter gives implements this beside
// Prompter; any other one is asked the plain question.

#include <QString>

class DefaultNoPrompter
{
public:
    virtual ~DefaultNoPrompter() = default;
    virtual bool questionDefaultNo(const QString& caption, const QString& text) = 0;
};

namespace Prompt {
// True for Yes.
bool questionDefaultNo(const QString& caption, const QString& text);
} // namespace Prompt
