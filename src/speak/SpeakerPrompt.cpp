#include "speak/SpeakerPrompt.h"

bool SpeakerPrompt::update(const QList<bool>& micOn)
{
    m_open.removeIf([&](int unit) { return !micOn.value(unit - 1); });
    for (int unit = 1; unit <= micOn.size(); ++unit) {
        if (micOn[unit - 1] && !m_open.contains(unit))
            m_open.append(unit);
    }
    const int newest = m_open.isEmpty() ? 0 : m_open.last();
    if (newest == m_prompted)
        return false;
    m_prompted = newest;
    const QString name = newest >= 1 && newest <= m_names.size() ? m_names[newest - 1] : QString();
    m_text = name.isEmpty() ? QString() : name + m_speaking;
    return true;
}
