#include "training/FrmHall.h"

#include "core/Prompt.h"
#include "training/TrainingHall.h"
#include "ui/PageBuilder.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kWidth = 360;
constexpr int kHeight = 324;
// Byte corruption for the noise choices: none, light, heavy.
constexpr double kNoiseLevels[] = {0.0, 0.01, 0.05};

} // namespace

FrmHall::FrmHall(TrainingHall& hall, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_hall(hall), m_texts(QStringLiteral("FrmHall"))
{
    setObjectName(QStringLiteral("FrmHall"));
    setWindowTitle(m_texts(QStringLiteral("DlgName")));
    setFixedSize(kWidth, kHeight);

    PageBuilder build(this, m_texts);
    const int left = 12;
    const int full = kWidth - 2 * left;
    const int half = (full - 8) / 2;
    const int right = left + half + 8;
    auto leftLabel = [&](const char* key, int y) {
        QLabel* label = build.label(key, key, QRect(left, y, half, 28));
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return label;
    };
    QLabel* unitsLabel = build.label("IDC_STATIC_UNITS", "IDC_STATIC_UNITS", QRect(left, 8, full, 24));
    unitsLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_units = build.edit(kUnits, QRect(left, 34, full, 28), unitsLabel);
    m_key = build.combo(kKey, QRect(right, 70, half, 28), leftLabel("IDC_STATIC_KEY", 70),
                        {"1", "2", "3", "4", "5"});

    QPushButton* signIn = build.button(kSignIn, QRect(left, 106, half, 30), kSignIn);
    QPushButton* press = build.button(kPress, QRect(right, 106, half, 30), kPress);
    QPushButton* micOn = build.button(kMicOn, QRect(left, 142, half, 30), kMicOn);
    QPushButton* micOff = build.button(kMicOff, QRect(right, 142, half, 30), kMicOff);
    QPushButton* offline = build.button(kOffline, QRect(left, 178, half, 30), kOffline);
    QPushButton* online = build.button(kOnline, QRect(right, 178, half, 30), kOnline);

    m_noise = build.combo(kNoise, QRect(right, 218, half, 28), leftLabel("IDC_STATIC_NOISE", 218),
                          {m_texts(QStringLiteral("NoiseNone")), m_texts(QStringLiteral("NoiseLight")),
                           m_texts(QStringLiteral("NoiseHeavy"))});
    // A window made again (after a language change) shows the hall's noise as it is.
    for (int level = 0; level < int(std::size(kNoiseLevels)); ++level)
        if (kNoiseLevels[level] == hall.noise())
            m_noise->setCurrentIndex(level);
    m_lively = build.check(kLively, kLively, QRect(left, 252, full, 24));
    m_lively->setChecked(hall.isLively());
    QPushButton* leaveButton = build.button(kLeave, QRect(right, 284, half, 30), kLeave);

    connect(signIn, &QPushButton::clicked, this, [this] {
        if (const auto chosen = units())
            m_hall.signIn(*chosen);
    });
    connect(press, &QPushButton::clicked, this, [this] {
        if (const auto chosen = units())
            m_hall.press(*chosen, m_key->currentIndex() + 1);
    });
    connect(micOn, &QPushButton::clicked, this, [this] {
        if (const auto chosen = units())
            m_hall.setMicrophone(*chosen, true);
    });
    connect(micOff, &QPushButton::clicked, this, [this] {
        if (const auto chosen = units())
            m_hall.setMicrophone(*chosen, false);
    });
    connect(offline, &QPushButton::clicked, this, [this] {
        if (const auto chosen = units())
            m_hall.setOnline(*chosen, false);
    });
    connect(online, &QPushButton::clicked, this, [this] {
        if (const auto chosen = units())
            m_hall.setOnline(*chosen, true);
    });
    connect(m_noise, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_hall.setNoise(kNoiseLevels[qBound(0, index, 2)]); });
    connect(m_lively, &QCheckBox::toggled, this, [this](bool on) { m_hall.setLively(on); });
    connect(leaveButton, &QPushButton::clicked, this, &FrmHall::leave);
}

std::optional<QList<int>> FrmHall::units()
{
    const std::optional<QList<int>> chosen = m_hall.unitsFromText(m_units->text());
    if (!chosen)
        Prompt::information(windowTitle(), m_texts(QStringLiteral("MsgUnits")).arg(m_hall.unitCount()));
    return chosen;
}

void FrmHall::leave()
{
    const QString question =
        m_texts(m_hall.rehearsalRunning() ? QStringLiteral("MsgLeaveBusy") : QStringLiteral("MsgLeave"));
    if (Prompt::question(windowTitle(), question))
        emit leaveRequested();
}

void FrmHall::closeEvent(QCloseEvent* event)
{
    // The window is the rehearsal's hall: closing it is leaving training.
    event->ignore();
    leave();
}
