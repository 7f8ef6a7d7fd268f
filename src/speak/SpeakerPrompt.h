#pragma once
// Who is speaking: the open microphones in the order they opened, and the
// name of the newest speaker for the hall screen ("<name>正在发言"). Fed with
// the unit table's microphone states; knows nothing of windows.

#include <QList>
#include <QString>
#include <QStringList>

class SpeakerPrompt
{
public:
    // `names` at position u - 1 belongs to unit u; `speaking` follows a name.
    SpeakerPrompt(QStringList names, QString speaking)
        : m_names(std::move(names)), m_speaking(std::move(speaking))
    {
    }

    // micOn of units 1..n at index unit - 1. Closed microphones leave the list,
    // newly opened ones join its end. True when the text to show changed.
    bool update(const QList<bool>& micOn);

    const QList<int>& openMicrophones() const { return m_open; }
    // The newest speaker's line; empty when nobody speaks or the unit has no name.
    QString text() const { return m_text; }

private:
    QStringList m_names;
    QString m_speaking;
    QList<int> m_open;
    int m_prompted = 0;
    QString m_text;
};
