#pragma once
// The one way the console tells the operator something or asks Yes/No.
// The program's services hold message boxes; a test's hold a prompter that records
// every prompt and answers questions from a script, without a modal loop.

#include <QString>

class Prompter
{
public:
    virtual ~Prompter() = default;
    virtual void information(const QString& caption, const QString& text) = 0;
    virtual bool question(const QString& caption, const QString& text) = 0;
    // A line the operator types (a confirmation word); empty when cancelled.
    virtual QString typed(const QString& caption, const QString& text)
    {
        information(caption, text);
        return QString();
    }
};

namespace Prompt {
void information(const QString& caption, const QString& text);
// True for Yes.
bool question(const QString& caption, const QString& text);
// The typed line, empty when cancelled.
QString typed(const QString& caption, const QString& text);
// Caption of the program's own messages (the application name, else "system").
QString caption();
// The prompter of the services in use (ConsoleServices).
Prompter* prompter();
} // namespace Prompt
