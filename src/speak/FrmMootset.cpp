#include "speak/FrmMootset.h"

#include "core/ProgramFolder.h"
#include "core/TimerService.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "link/Link.h"
#include "prep/DelegateTable.h"
#include "prep/NameFilter.h"
#include "screen/HallScreen.h"
#include "speak/FrmVidAdj.h"
#include "speak/HallPicture.h"
#include "speak/SeatLayout.h"
#include "speak/SeatMap.h"
#include "speak/SpeakerPrompt.h"
#include "speak/SpeakingTime.h"
#include "ui/PageBuilder.h"
#include "ui/ProgramEnd.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QValidator>
#include <cmath>

namespace {

constexpr int kMapHeight = 462;

// The time field takes the offered entries and what SpeakingTime reads as a time.
class TimeValidator : public QValidator
{
public:
    TimeValidator(const QComboBox& combo) : QValidator(nullptr), m_combo(combo) {}
    State validate(QString& input, int&) const override
    {
        for (int i = 0; i < m_combo.count(); ++i) {
            if (m_combo.itemText(i) == input)
                return Acceptable;
            if (m_combo.itemText(i).startsWith(input))
                return Intermediate;
        }
        if (SpeakingTime::parse(input))
            return Acceptable;
        return SpeakingTime::mayBecome(input) ? Intermediate : Invalid;
    }

private:
    const QComboBox& m_combo;
};

// A legend entry: the seat tile in small, then its text.
QLabel* legendTile(QWidget* parent, SeatState state, const QRect& place)
{
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    SeatPainter::paintTile(painter, QRect(0, 0, 20, 20), state);
    painter.end();
    auto* tile = new QLabel(parent);
    tile->setPixmap(pixmap);
    tile->setGeometry(place);
    return tile;
}

} // namespace

FrmMootset::FrmMootset(Link& link, TimerService& timers, HallScreen& screen, QWidget* parent)
    : QWidget(parent), m_link(link), m_screen(screen),
      m_texts(QStringLiteral("FrmMootset"), QStringLiteral("MsgClew")),
      m_log(std::make_unique<SpeakingLog>(link, timers)), m_control(m_log->control())
{
    setObjectName(QStringLiteral("FrmMootset"));
    resize(818, 655);
    const PageTexts& texts = m_texts;

    m_map = new SeatMap;
    m_map->setObjectName(QStringLiteral("SeatMap"));
    m_map->setAccessibleName(texts("IDC_STATIC_SEATMAP"));
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("SeatMapScroll"));
    scroll->setAccessibleName(m_map->accessibleName());
    scroll->setGeometry(0, 0, 818, kMapHeight);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    scroll->setWidget(m_map);
    scroll->verticalScrollBar()->setSingleStep(SeatLayout::kSeatSize);
    m_refusal = new QLabel(this);
    m_refusal->setObjectName(QLatin1String(kRefusal));
    m_refusal->setGeometry(0, kMapHeight - 30, 818, 30);
    m_refusal->setAlignment(Qt::AlignCenter);
    m_refusal->setStyleSheet(QStringLiteral("background: #fff4d6; color: #7a4b00; font-weight: bold;"));
    m_refusal->hide();

    auto* panel = new QGroupBox(this);
    panel->setObjectName(QLatin1String(kPanel));
    panel->setGeometry(0, kMapHeight + 4, 818, 189);
    PageBuilder build(panel, texts);
    m_mode = build.combo(kModeCombo, {124, 10, 170, 28},
                         build.label("1161", "IDC_STATIC_CBSPEAKMODE", {6, 10, 114, 28}),
                         {texts("MsgMode1"), texts("MsgMode2"), texts("MsgMode3")});
    m_count = build.combo(kCountCombo, {420, 10, 60, 28},
                          build.label("1162", "IDC_STATIC_CBSPEAKNUM", {300, 10, 116, 28}),
                          {"1", "2", "3", "4", "5", "6", "7", "8"});
    // The silence time is offered as designed but sends nothing.
    build.combo(kRestCombo, {614, 10, 194, 28},
                build.label("1163", "IDC_STATIC_CBRESTTIMEL", {486, 10, 124, 28}),
                {texts("cbRest"), texts("cbRest1")});

    m_unit = build.edit(kUnitEdit, {124, 48, 56, 28},
                        build.label("1164", "IDC_STATIC_MICELL", {6, 48, 114, 28}), 3);
    PageBuilder::keepFiltered(m_unit, &NameFilter::digitsOnly);
    const struct
    {
        const char* id;
        MicrophoneControl::UnitAction action;
    } unitButtons[] = {{kOpenButton, MicrophoneControl::UnitAction::Open},
                       {kCloseButton, MicrophoneControl::UnitAction::Close},
                       {kForbidButton, MicrophoneControl::UnitAction::Forbid},
                       {kUntieButton, MicrophoneControl::UnitAction::Untie}};
    int x = 188;
    for (const auto& unitButton : unitButtons) {
        QPushButton* button = build.button(unitButton.id, {x, 47, 100, 30});
        connect(button, &QPushButton::clicked, this,
                [this, action = unitButton.action] { actOnUnit(action); });
        x += 105;
    }
    QPushButton* closeAllButton = build.button(kCloseAllButton, {610, 47, 198, 30});

    m_promptCheck = build.check(kPromptCheck, kPromptCheck, {6, 86, 250, 26});
    m_cameraButton = build.button(kCameraButton, {610, 84, 198, 30}, "BtnOpenvid");
    m_camera = new FrmVidAdj(link, this);
    m_camera->hide();
    m_numbers = new QRadioButton(texts(kNumbersRadio), panel);
    m_numbers->setObjectName(QLatin1String(kNumbersRadio));
    m_numbers->setAccessibleName(m_numbers->text());
    m_numbers->setGeometry(262, 86, 150, 26);
    m_numbers->setChecked(true);
    m_namesRadio = new QRadioButton(texts(kNamesRadio), panel);
    m_namesRadio->setObjectName(QLatin1String(kNamesRadio));
    m_namesRadio->setAccessibleName(m_namesRadio->text());
    m_namesRadio->setGeometry(416, 86, 150, 26);

    const struct
    {
        SeatState state;
        const char* key;
    } legend[] = {{SeatState::MicClosed, "IDC_STATIC_MIKETYPE1"},
                  {SeatState::MicOpen, "IDC_STATIC_MIKETYPE2"},
                  {SeatState::Absent, "IDC_STATIC_MIKETYPE3"},
                  {SeatState::Forbidden, "IDC_STATIC_MIKETYPE5"}};
    x = 6;
    for (const auto& entry : legend) {
        legendTile(panel, entry.state, {x, 120, 20, 20});
        QLabel* caption = build.label(entry.key, entry.key, {x + 24, 116, 170, 28});
        caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        x += 200;
    }

    buildTimeRow(panel);

    connect(m_mode, &QComboBox::activated, this, &FrmMootset::chooseMode);
    connect(m_count, &QComboBox::activated, this, &FrmMootset::chooseSpeakerCount);
    connect(closeAllButton, &QPushButton::clicked, this, &FrmMootset::closeAll);
    connect(m_promptCheck, &QCheckBox::toggled, this, &FrmMootset::setPromptOn);
    connect(m_cameraButton, &QPushButton::clicked, this, &FrmMootset::toggleCamera);
    // The window is still on show while it reports its close box.
    connect(m_camera, &FrmVidAdj::closedByOperator, this, [this] { showCameraCaption(false); });
    connect(m_numbers, &QRadioButton::clicked, this, &FrmMootset::showNumbers);
    connect(m_namesRadio, &QRadioButton::clicked, this, &FrmMootset::showNames);
    connect(m_map, &SeatMap::seatClicked, this, [this](int seat) {
        // The seat's caption is its unit number; a caption that is none gives the seat's own.
        const int unit = m_map->seats().seat(seat).caption.toInt();
        m_unit->setText(QString::number(unit > 0 ? unit : seat));
    });

    SettingsTable settings;
    settings.setPath(Schema::kSystemDatabase);
    settings.load();
    const int seconds = settings.typed().speakingSeconds;
    m_log->setLimit(seconds);
    m_log->setCloseAtTimeUp(settings.typed().closeAtTimeUp);
    m_closeAtTimeUp->setChecked(m_log->closesAtTimeUp());
    const int offered = m_time->findData(seconds);
    if (offered >= 0)
        m_time->setCurrentIndex(offered);
    else
        m_time->setEditText(SpeakingTime::clock(seconds));
    // Only "No" turns the controls off: a microphone opens by its unit number without a map.
    m_controlsOff = settings.SeatYesORNo.compare(QLatin1String("No"), Qt::CaseInsensitive) == 0;
    panel->setEnabled(!m_controlsOff);
    m_map->setBackground(HallPicture::load(settings.ico));
    if (settings.typed().seatLayout) {
        const QString file = ProgramFolder::filePath(QStringLiteral("System/seat.ini"));
        bool damaged = false;
        SeatLayout layout = SeatLayout::load(file, &damaged);
        if (damaged && m_texts.question(QStringLiteral("MsgSeatDamaged"), file))
            layout = SeatLayout::grid(m_link.unitCount());
        // Seats beyond the installation's units have no unit to show.
        layout.keepFirst(m_link.unitCount());
        m_map->setSeats(layout);
    }
    m_prompt = std::make_unique<SpeakerPrompt>(QStringList(), texts("MsgSpeaking"));

    // The program may end while the hub is open (training's Leave): close the log first.
    ProgramEnd::atEnd(this, [this] { m_log->endMeeting(); });
    m_refreshTimer = timers.createTimer([this] { refreshSeats(); });
    m_refreshTimer->start(kRefreshMs);
    m_promptTimer = timers.createTimer([this] { promptSpeaker(); });
    // The name prompt as the operator left it, in this hub or an earlier run. It
    // starts without preparing the hall screen, so the banner stays until someone speaks.
    if (settings.typed().showSpeakerName) {
        const QSignalBlocker quiet(m_promptCheck);
        m_promptCheck->setChecked(true);
        m_promptTimer->start(kPromptMs);
    }
    refreshSeats();
}

FrmMootset::~FrmMootset()
{
    // The hub is left: whoever still speaks is closed in the log.
    ProgramEnd::dropAtEnd(this);
    m_log->endMeeting();
}

void FrmMootset::buildTimeRow(QWidget* panel)
{
    PageBuilder build(panel, m_texts);
    QStringList entries{m_texts("MsgTimeNone")};
    for (int minutes : SpeakingTime::kOfferedMinutes)
        entries << m_texts("MsgTimeMinutes").arg(minutes);
    m_time = build.combo(kTimeCombo, {124, 150, 130, 28},
                         build.label("1167", "IDC_STATIC_SPEAKTIME", {6, 150, 114, 28}), entries);
    m_time->setItemData(0, 0);
    for (int i = 0; i < int(std::size(SpeakingTime::kOfferedMinutes)); ++i)
        m_time->setItemData(i + 1, SpeakingTime::kOfferedMinutes[i] * 60);
    m_time->setEditable(true);
    m_time->setInsertPolicy(QComboBox::NoInsert);
    auto* validator = new TimeValidator(*m_time);
    validator->setParent(m_time);
    m_time->lineEdit()->setValidator(validator);
    m_closeAtTimeUp = build.check(kCloseAtTimeUpCheck, kCloseAtTimeUpCheck, {262, 151, 330, 26});
    m_notice = new QLabel(panel);
    m_notice->setObjectName(QLatin1String(kNotice));
    m_notice->setGeometry(596, 146, 212, 40);
    m_notice->setWordWrap(true);
    m_notice->setStyleSheet(QStringLiteral("color: #b02a1e;"));

    connect(m_time, &QComboBox::activated, this,
            [this](int index) { chooseSpeakingTime(m_time->itemData(index).toInt()); });
    connect(m_time->lineEdit(), &QLineEdit::editingFinished, this, &FrmMootset::takeTypedTime);
    connect(m_closeAtTimeUp, &QCheckBox::clicked, this, &FrmMootset::setCloseAtTimeUp);
    connect(m_log.get(), &SpeakingLog::closeUnanswered, this,
            [this](int unit) { m_notice->setText(m_texts("MsgNoClose").arg(unit)); });
    connect(m_log.get(), &SpeakingLog::writeFailed, this,
            [this](int unit) { m_notice->setText(m_texts("MsgLogFailed").arg(unit)); });
}

void FrmMootset::takeTypedTime()
{
    const QString typed = m_time->currentText();
    const int entry = m_time->findText(typed);
    if (entry >= 0)
        chooseSpeakingTime(m_time->itemData(entry).toInt());
    else if (const std::optional<int> seconds = SpeakingTime::parse(typed))
        chooseSpeakingTime(*seconds);
}

void FrmMootset::chooseSpeakingTime(int seconds)
{
    if (seconds == m_log->limit())
        return;
    SettingsTable settings;
    settings.setPath(Schema::kSystemDatabase);
    if (settings.update({{QStringLiteral("SpeakLimit"), seconds}}))
        m_log->setLimit(seconds);
}

void FrmMootset::setCloseAtTimeUp(bool on)
{
    SettingsTable settings;
    settings.setPath(Schema::kSystemDatabase);
    if (settings.update({{QStringLiteral("SpeakClose"), on ? 1 : 0}}))
        m_log->setCloseAtTimeUp(on);
    m_closeAtTimeUp->setChecked(m_log->closesAtTimeUp());
}

void FrmMootset::loadDelegates(const QString& meetingName)
{
    m_unitNumbers.clear();
    m_names.clear();
    m_log->setMeeting(meetingName);
    DelegateTable table;
    table.setMeeting(meetingName);
    const QList<Delegate> delegates = table.all().value_or(QList<Delegate>());
    for (const Delegate& delegate : delegates) {
        const int unit = delegate.unitNumber().value_or(0);
        if (unit < 1 || unit > m_link.unitCount())
            continue;
        while (m_names.size() < unit) {
            m_names.append(QString());
            m_unitNumbers.append(QString());
        }
        // The first delegate of a unit (in creation order) is the one shown.
        if (m_unitNumbers[unit - 1].isEmpty()) {
            m_unitNumbers[unit - 1] = delegate.unit.trimmed();
            m_names[unit - 1] = delegate.name;
        }
    }
    m_prompt = std::make_unique<SpeakerPrompt>(m_names, m_texts("MsgSpeaking"));
    if (m_namesRadio->isChecked())
        showNames();
}

void FrmMootset::chooseMode(int index)
{
    const MicrophoneControl::Mode modes[] = {MicrophoneControl::Mode::Free, MicrophoneControl::Mode::Limited,
                                             MicrophoneControl::Mode::Queued};
    if (index < 0 || index > 2)
        return;
    m_control.chooseMode(modes[index]);
    m_count->setEnabled(index != 0);
    if (index != 0)
        m_count->setCurrentIndex(0);
}

void FrmMootset::chooseSpeakerCount(int index)
{
    m_control.chooseSpeakerCount(m_count->itemText(index).toInt());
}

void FrmMootset::actOnUnit(MicrophoneControl::UnitAction action)
{
    const int unit = m_unit->text().toInt();
    m_refusal->hide();
    // The controller would ignore an Open for a unit that is away or locked: say why instead.
    if (action == MicrophoneControl::UnitAction::Open && unit >= 1 && unit <= m_link.unitCount() &&
        (!m_link.unit(unit).online || m_link.unit(unit).forbidden)) {
        m_refusal->setText(m_texts(!m_link.unit(unit).online ? "MsgMicOffline" : "MsgMicLocked").arg(unit));
        m_refusal->setAccessibleName(m_refusal->text());
        m_refusal->show();
        m_refusal->raise();
        return;
    }
    if (!m_control.act(action, unit))
        m_texts.message("MsgClewErr");
}

void FrmMootset::closeAll()
{
    m_control.closeAll();
}

QStringList FrmMootset::labelsFrom(const QStringList& byUnit) const
{
    return byUnit.mid(0, m_link.unitCount());
}

void FrmMootset::showNumbers()
{
    m_map->setLabels(labelsFrom(m_unitNumbers));
}

void FrmMootset::showNames()
{
    m_map->setLabels(labelsFrom(m_names));
}

void FrmMootset::refreshSeats()
{
    m_map->setStates(MicrophoneControl::seatStates(m_link));
    QHash<int, TimeRing> rings;
    if (m_log->limit() > 0) {
        for (int unit : m_log->openUnits()) {
            const qint64 left = m_log->remainingMs(unit).value_or(0);
            const SpeakingLog::Phase phase = m_log->phase(unit);
            // Steps of 3 degrees: a thin ring shows no finer, and a seat repaints only when its ring moves.
            constexpr double kSteps = 120.0;
            rings.insert(unit, {std::round(kSteps * left / (m_log->limit() * 1000.0)) / kSteps,
                                phase == SpeakingLog::Phase::Over      ? TimeRing::Phase::Over
                                : phase == SpeakingLog::Phase::Warning ? TimeRing::Phase::Warning
                                                                       : TimeRing::Phase::Running});
        }
    }
    m_map->setRings(rings);
    publishOpenMicrophones();
}

QList<bool> FrmMootset::microphoneStates() const
{
    QList<bool> micOn;
    for (int unit = 1; unit <= m_link.unitCount(); ++unit)
        micOn.append(m_link.unit(unit).micOn);
    return micOn;
}

void FrmMootset::publishOpenMicrophones()
{
    // The prompt keeps the order they opened in; updating it here changes nothing it shows.
    m_prompt->update(microphoneStates());
    QStringList open;
    for (int unit : m_prompt->openMicrophones()) {
        const QString number = m_unitNumbers.value(unit - 1);
        open.append(QStringLiteral("%1 %2")
                        .arg(number.isEmpty() ? QString::number(unit) : number, m_names.value(unit - 1))
                        .trimmed());
    }
    m_screen.setOpenMicrophones(open); // the web view's model drops an unchanged list
}

void FrmMootset::toggleCamera()
{
    m_camera->setVisible(!m_camera->isVisible());
    showCameraCaption(m_camera->isVisible());
}

void FrmMootset::hideChildren()
{
    m_camera->hide();
    showCameraCaption(false);
}

void FrmMootset::showCameraCaption(bool shown)
{
    m_cameraButton->setText(m_texts(shown ? "BtnClosevid" : "BtnOpenvid"));
    m_cameraButton->setAccessibleName(m_cameraButton->text());
}

void FrmMootset::setPromptOn(bool on)
{
    SettingsTable settings;
    settings.setPath(Schema::kSystemDatabase);
    settings.update({{QStringLiteral("SpeakName"), on ? 1 : 0}});
    if (!on) {
        m_promptTimer->stop(); // the screen keeps its last text
        return;
    }
    prepareScreen();
    m_promptTimer->start(kPromptMs);
}

void FrmMootset::prepareScreen()
{
    const QColor background = m_screen.screenColour();
    const QColor text = m_screen.screenTextColour();
    m_screen.showPanel();
    m_screen.setPanelColours(background, background);
    m_screen.setHeading(QString(), text);
    m_screen.setTopLine(QString(), text, 0);
    m_screen.setKind(PanelKind::ThreeLines, PanelSubKind::None);
}

void FrmMootset::promptSpeaker()
{
    // Only while the operator looks at this page.
    if (!isVisible())
        return;
    m_prompt->update(microphoneStates());
    QString line = m_prompt->text();
    int secondsLeft = -1;
    const QList<int>& open = m_prompt->openMicrophones();
    if (!line.isEmpty() && !open.isEmpty()) {
        if (const std::optional<qint64> left = m_log->remainingMs(open.last())) {
            secondsLeft = int((*left + 999) / 1000);
            line = m_texts("MsgTimeLeft").arg(line, SpeakingTime::clock(secondsLeft));
        }
    }
    if (line == m_shownLine && secondsLeft == m_shownSeconds)
        return;
    m_shownLine = line;
    m_shownSeconds = secondsLeft;
    prepareScreen();
    m_screen.setSpeakerLine(line, secondsLeft);
}
