#include "link/LineBar.h"

#include "core/TimerService.h"
#include "link/Link.h"
#include "link/LinkTiming.h"

LineBar::LineBar(Link& link, TimerService& timers, const QRect& place, QWidget* parent)
    : QLabel(parent), m_link(link), m_texts(QStringLiteral("LineBar"))
{
    setObjectName(QLatin1String(kObjectName));
    setGeometry(place);
    setWordWrap(true);
    setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    setMargin(4);
    m_restoredTimer = timers.createTimer(
        [this] {
            m_restored = false;
            refresh();
        },
        true);
    connect(&link, &Link::lineLost, this, [this] {
        m_restored = false;
        refresh();
    });
    connect(&link, &Link::lineRestored, this, [this] {
        m_restored = true;
        m_restoredTimer->start(kRestoredShownMs);
        refresh();
    });
    connect(&link, &Link::lineFaultChanged, this, &LineBar::refresh);
    connect(&link, &Link::unheardUnitsChanged, this, &LineBar::refresh);
    refresh();
}

LineBar::~LineBar() = default;

void LineBar::refresh()
{
    if (m_link.lineState() == Link::LineState::Lost) {
        const QString reason =
            m_link.lostReason().isEmpty() ? m_texts(QStringLiteral("Silent")) : m_link.lostReason();
        say(m_texts(QStringLiteral("Lost"))
                .arg(reason, m_link.lostPath())
                .arg(LinkTiming::kReopenEveryMs / 1000),
            Tone::Alarm);
    } else if (m_link.lineFault()) {
        say(m_texts(QStringLiteral("Fault")).arg(m_link.garbagePercent()).arg(m_link.bytesPerSecond()),
            Tone::Alarm);
    } else if (m_restored) {
        say(m_texts(QStringLiteral("Restored")), Tone::Good);
    } else if (m_link.lineState() == Link::LineState::Up && m_link.unheardUnits() > 0) {
        say(m_texts(QStringLiteral("Unheard")).arg(m_link.unheardUnits()), Tone::Warning);
    } else {
        setText(QString());
        setAccessibleName(QString());
        hide();
    }
}

void LineBar::say(const QString& text, Tone tone)
{
    static const char* const styles[] = {
        "background: #b3261e; color: white; font-weight: bold;",
        "background: #f2b134; color: #1d1d1d; font-weight: bold;",
        "background: #2e7d32; color: white; font-weight: bold;",
    };
    setStyleSheet(QLatin1String(styles[int(tone)]));
    setText(text);
    setAccessibleName(text);
    raise();
    show();
}
