#include "screen/SentenceStepper.h"

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

void SentenceStepper::setText(const QString& text)
{
    m_text = text;
    restore();
}

void SentenceStepper::restore()
{
    m_start = 0;
    m_end = 0;
}

bool SentenceStepper::isStop(int position) const
{
    return position >= 0 && position < m_text.size() && m_stopSymbols.contains(m_text[position]);
}

bool SentenceStepper::next()
{
    const int length = static_cast<int>(m_text.size());
    if (m_end >= length)
        return false;
    m_start = m_end;
    do {
        ++m_end;
    } while (m_end < length && !isStop(m_end - 1));
    return true;
}

bool SentenceStepper::previous()
{
    if (m_start <= 0)
        return false;
    const int oldStart = m_start;
    m_start = oldStart - 1;
    while (m_start > 0 && !isStop(m_start - 1))
        --m_start;
    m_end = oldStart;
    return true;
}

void SentenceStepper::paint(QTextDocument* document, const QColor& textColour,
                            const QColor& highlightColour) const
{
    if (!document)
        return;
    const int last = qMax(0, document->characterCount() - 1);
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    QTextCharFormat plain;
    plain.setForeground(textColour);
    cursor.mergeCharFormat(plain);
    const int start = qBound(0, m_start, last);
    const int end = qBound(0, m_end, last);
    if (end > start) {
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        QTextCharFormat highlight;
        highlight.setForeground(highlightColour);
        cursor.mergeCharFormat(highlight);
    }
    cursor.endEditBlock();
}

int SentenceStepper::autoInterval(int paceSeconds)
{
    return paceSeconds <= 0 ? 1000 : qMin(paceSeconds, 3600) * 1000;
}
