#include "support/PromptRecorder.h"

void PromptRecorder::information(const QString& caption, const QString& text)
{
    m_records.append({false, caption, text, false});
}

bool PromptRecorder::question(const QString& caption, const QString& text)
{
    const bool answer = m_answers.isEmpty() ? false : m_answers.takeFirst();
    m_records.append({true, caption, text, answer});
    return answer;
}

QString PromptRecorder::typed(const QString& caption, const QString& text)
{
    const QString line = m_typed.isEmpty() ? QString() : m_typed.takeFirst();
    m_records.append({true, caption, text, !line.isEmpty()});
    return line;
}

void PromptRecorder::answerNextTyped(const QString& line)
{
    m_typed.append(line);
}

void PromptRecorder::answerNext(bool yes)
{
    m_answers.append(yes);
}

QList<PromptRecorder::Record> PromptRecorder::take()
{
    return std::exchange(m_records, {});
}

QStringList PromptRecorder::takeTexts()
{
    QStringList texts;
    for (const Record& record : take())
        texts.append(record.text);
    return texts;
}
