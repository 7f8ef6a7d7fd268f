#pragma once
// Steps through a text sentence by sentence for the document page. A sentence ends with one of the
// operator's stop symbols (included in the sentence); without stop symbols a step runs to the end
// of the text. Positions are character positions of the text as shown in a QTextDocument.

#include <QColor>
#include <QString>

class QTextDocument;

class SentenceStepper
{
public:
    // Sets the text and goes back to the start.
    void setText(const QString& text);
    QString text() const { return m_text; }

    // One stop symbol per character of the field.
    void setStopSymbols(const QString& field) { m_stopSymbols = field; }
    QString stopSymbols() const { return m_stopSymbols; }

    // The next sentence: from the end of the last one to the next stop symbol. False at the end.
    bool next();
    // The sentence before the current one. False at the start.
    bool previous();
    // Back to the start: no sentence highlighted.
    void restore();

    int start() const { return m_start; }
    int end() const { return m_end; }
    bool atEnd() const { return m_end >= m_text.size(); }

    // Gives the whole document the text colour and the current sentence the highlight colour.
    void paint(QTextDocument* document, const QColor& textColour, const QColor& highlightColour) const;

    // Milliseconds between automatic steps for a pace in seconds per sentence (0 means 1 second).
    static int autoInterval(int paceSeconds);

private:
    bool isStop(int position) const;

    QString m_text;
    QString m_stopSymbols;
    int m_start = 0;
    int m_end = 0;
};
