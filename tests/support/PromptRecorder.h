#pragma once
// Stands in for message boxes in tests: records every prompt and answers
// questions from a queue. A prompt the test did not take counts as a failure
// (see ConsoleTest), so an unexpected error never passes unnoticed.

#include "core/Prompt.h"

#include <QList>
#include <QString>

class PromptRecorder : public Prompter
{
public:
    struct Record
    {
        bool question = false;
        QString caption;
        QString text;
        bool answer = false;
    };

    void information(const QString& caption, const QString& text) override;
    bool question(const QString& caption, const QString& text) override;
    // Recorded as a question; answered from answerNextTyped, else cancelled.
    QString typed(const QString& caption, const QString& text) override;

    // Answers for the next questions, in order. An unqueued question is answered No.
    void answerNext(bool yes);
    void answerNextTyped(const QString& line);
    // Everything shown since the last take; the test thereby expects it.
    QList<Record> take();
    // Texts only, for short assertions.
    QStringList takeTexts();
    const QList<Record>& pending() const { return m_records; }

private:
    QList<Record> m_records;
    QList<bool> m_answers;
    QStringList m_typed;
};
