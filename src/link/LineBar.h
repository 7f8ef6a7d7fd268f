#pragma once
// The non-modal bar that tells the operator what the line watch of the link
// found, at once and without stopping the hall: a lost line (and that the port
// is being reopened), a line fault, the controller back, or how many units gave
// no answer in the last full poll cycle. The main window and every hub show
// one; it hides itself while there is nothing to say.

#include "core/LanguageTable.h"

#include <QLabel>
#include <memory>

class Link;
class Timer;
class TimerService;

class LineBar : public QLabel
{
    Q_OBJECT
public:
    static constexpr char kObjectName[] = "LineBar";
    static constexpr int kHeight = 36;
    // How long "the controller answers again" stays.
    static constexpr int kRestoredShownMs = 10000;

    LineBar(Link& link, TimerService& timers, const QRect& place, QWidget* parent);
    ~LineBar() override;

private:
    enum class Tone
    {
        Alarm,
        Warning,
        Good,
    };
    void refresh();
    void say(const QString& text, Tone tone);

    Link& m_link;
    Texts m_texts;
    bool m_restored = false;
    std::unique_ptr<Timer> m_restoredTimer;
};
