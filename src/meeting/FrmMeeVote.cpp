#include "meeting/FrmMeeVote.h"

#include "core/Prompt.h"
#include "data/FieldList.h"
#include "data/Schema.h"
#include "meeting/HeldRound.h"
#include "meeting/MeetingSession.h"
#include "prep/FrmNominee.h"
#include "screen/HallScreen.h"
#include "screen/ScreenPanel.h"
#include "ui/PageBuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTableView>

namespace {

const QStringList kSeconds{"5", "10", "15", "30", "45", "60", "90", "120", "150", "180", "240", "480"};
constexpr int kDefaultThreshold = 50;

const char* const kStyle = R"(
QFrame#figures { background: white; border: 1px solid #c9d3e3; border-radius: 6px; }
QLabel[figure="true"] { color: #1d3a6b; font-size: 22px; font-weight: bold; }
QLabel#passReadout { color: #1d3a6b; background: #eef3fb; border: 1px solid #c9d3e3;
                     border-radius: 6px; font-size: 16px; font-weight: bold; padding: 2px 8px; }
)";

QString key(const char* text)
{
    return QString::fromLatin1(text);
}

// Start and end captions: motion vote, elections, scoring, evaluation.
int captionNumber(int kind)
{
    if (kind >= 1 && kind <= 4)
        return 2;
    if (kind == 5)
        return 3;
    if (kind == 6)
        return 4;
    return 1;
}

} // namespace

FrmMeeVote::FrmMeeVote(MeetingSession& meeting, HallScreen& screen, QWidget* parent)
    : QWidget(parent), m_screen(screen), m_texts(QStringLiteral("FrmMeeVote"), QStringLiteral("MsgClew")),
      m_voteTexts(VoteTexts::fromLanguageTables()),
      m_presenter(VoteScreenPresenter::Words::fromLanguageTables()), m_session(meeting.vote())
{
    setObjectName(QStringLiteral("FrmMeeVote"));
    setStyleSheet(QString::fromLatin1(kStyle));
    resize(818, 655);
    const PageTexts& texts = m_texts;
    m_phrases = {texts("MsgReadoutOne"), texts("MsgReadoutMore"), texts("MsgReadoutNever"),
                 texts("MsgReadoutPassed")};

    m_model = new MotionListModel({{QString(), texts("LisOveOne"), texts("LisOveTwo"), texts("LisOveThree")},
                                   texts("DateYes"),
                                   texts("DateNo"),
                                   true},
                                  m_voteTexts.words, this);
    m_list = new QTableView(this);
    m_list->setObjectName(key(kMotionList));
    m_list->setModel(m_model);
    m_list->setAccessibleName(texts("MsgMotionList"));
    m_list->setGeometry(10, 6, 798, 200);
    m_list->verticalHeader()->hide();
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setWordWrap(false);
    // Wider than designed where the kind's name needs it; the title takes what is left.
    const int widths[] = {36, 0, 200, 110};
    for (int column : {0, 2, 3})
        m_list->setColumnWidth(column, widths[column]);
    m_list->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    // Six motions in view in every language (Chinese rows would grow taller).
    m_list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_list->verticalHeader()->setDefaultSectionSize(26);

    PageBuilder build(this, texts);
    m_settings = new QGroupBox(texts("IDC_STATIC_RULES"), this);
    m_settings->setObjectName(key(kSettingsFrame));
    m_settings->setGeometry(10, 214, 398, 244);
    build.setParent(m_settings);
    QLabel* baseLabel = build.label("IDC_STATIC_BASE", "IDC_STATIC_BASE", {8, 26, 156, 28});
    m_base = build.combo(kBaseCombo, {170, 26, 216, 28}, baseLabel, {texts("cbBaseOne"), texts("cbBaseTwo")});
    QLabel* ruleLabel = build.label("IDC_STATIC_ABET", "IDC_STATIC_ABET", {8, 60, 156, 28});
    m_rule = build.combo(kRuleCombo, {170, 60, 216, 28}, ruleLabel, {texts("cbAbetOne"), texts("cbAbetTwo")});
    QLabel* thresholdLabel = build.label("IDC_STATIC_ABETVALUE", "IDC_STATIC_ABETVALUE", {8, 94, 156, 28});
    m_threshold = new QSlider(Qt::Horizontal, m_settings);
    m_threshold->setObjectName(key(kThresholdSlider));
    m_threshold->setRange(0, 100);
    m_threshold->setPageStep(5);
    m_threshold->setGeometry(170, 94, 156, 28);
    PageBuilder::nameAfter(m_threshold, thresholdLabel);
    m_thresholdEcho = new QLabel(m_settings);
    m_thresholdEcho->setObjectName(key(kThresholdEcho));
    m_thresholdEcho->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_thresholdEcho->setGeometry(330, 94, 56, 28);
    m_unit = build.check(kUnitCheck, kUnitCheck, {12, 132, 372, 24});
    m_percent = build.check(kPercentCheck, kPercentCheck, {12, 158, 372, 24});
    m_pass = build.check(kPassCheck, kPassCheck, {12, 184, 372, 24});
    m_live = build.check(kLiveCheck, "IDC_CHECK_VOTEDLL", {12, 210, 372, 24});

    build.setParent(this);
    m_timeLimit = build.check(kTimeLimitCheck, kTimeLimitCheck, {14, 466, 190, 28});
    m_secondsLabel = build.label("IDC_STATIC_SEC", "IDC_STATIC_SEC", {206, 466, 80, 28});
    m_seconds = build.combo(kSecondsCombo, {292, 466, 116, 28}, m_secondsLabel, kSeconds);

    auto* figures = new QFrame(this);
    figures->setObjectName(QStringLiteral("figures"));
    figures->setGeometry(10, 502, 398, 38);
    build.setParent(figures);
    build.label("IDC_VOTE_STATIC1", "IDC_VOTE_STATIC1", {6, 3, 120, 32});
    build.label("IDC_VOTE_STATIC2", "IDC_VOTE_STATIC2", {200, 3, 120, 32});
    m_due = new QLabel(QStringLiteral("0"), figures);
    m_present = new QLabel(QStringLiteral("0"), figures);
    const struct
    {
        QLabel* value;
        const char* id;
        int x;
    } values[] = {{m_due, kDue, 130}, {m_present, kPresent, 324}};
    for (const auto& v : values) {
        v.value->setObjectName(key(v.id));
        v.value->setProperty("figure", true);
        v.value->setGeometry(v.x, 3, 64, 32);
    }

    build.setParent(this);
    m_start = build.button(kStartButton, {10, 548, 194, 38}, "BtnVoteStart1");
    m_end = build.button(kEndButton, {214, 548, 194, 38}, "BtnVoteEnd1");
    m_candidatesButton = build.button(kCandidatesButton, {10, 596, 194, 38});
    m_query = build.button(kQueryButton, {214, 596, 194, 38});

    QLabel* previewLabel = build.label("IDC_STATIC_PREVIEW", "IDC_STATIC_PREVIEW", {418, 214, 390, 22});
    previewLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_preview = new ScreenPanel(this);
    m_preview->setObjectName(key(kPreview));
    m_preview->setAccessibleName(previewLabel->text());
    m_preview->setGeometry(418, 238, 390, 292);
    // The same unit words as the hall screen's panel.
    const Texts screenWords(QStringLiteral("FrmScr"));
    const QString persons = screenWords(QStringLiteral("UnitPersons"));
    const QString votes = screenWords(QStringLiteral("UnitVotes"));
    m_preview->setUnitWords(persons.isEmpty() ? QStringLiteral("人") : persons,
                            votes.isEmpty() ? QStringLiteral("票") : votes);
    m_readout = new QLabel(this);
    m_readout->setObjectName(key(kReadout));
    m_readout->setAlignment(Qt::AlignCenter);
    m_readout->setWordWrap(true);
    m_readout->setGeometry(418, 538, 390, 48);
    m_readout->hide();
    m_monitor = build.button(kMonitorButton, {418, 596, 190, 38}, "IDC_MONITOR_BUTTON");
    m_showPass = build.button(kShowPassButton, {618, 596, 190, 38}, "IDC_SHOWPASS_BUTTON");

    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList selected = m_list->selectionModel()->selectedRows();
        loadSelection(selected.isEmpty() ? -1 : selected.first().row());
    });
    // A change announced by the table (a vote's settings or result, new candidates) or a reading
    // asked for here: the same motion stays selected.
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        if (!m_reloading)
            m_kept = m_row >= 0 ? std::optional(m_model->motions()[m_row]) : std::nullopt;
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        if (!m_reloading)
            motionsChanged();
    });
    connect(m_model, &QAbstractItemModel::dataChanged, this, [this] {
        if (m_reloading)
            return;
        m_kept = m_row >= 0 ? std::optional(m_model->motions()[m_row]) : std::nullopt;
        motionsChanged();
    });
    connect(m_base, &QComboBox::activated, this,
            [this](int i) { m_working.base = i == 0 ? VoteBase::Due : VoteBase::Present; });
    connect(m_rule, &QComboBox::activated, this, [this](int i) { m_working.strictRule = i == 0; });
    connect(m_threshold, &QSlider::valueChanged, this, [this](int value) {
        m_thresholdEcho->setText(QStringLiteral("%1%").arg(value));
        if (!m_loading)
            m_working.threshold = value;
    });
    const struct
    {
        QCheckBox* box;
        bool Motion::*field;
    } checks[] = {{m_unit, &Motion::unpressedAbstains},
                  {m_percent, &Motion::showPercent},
                  {m_pass, &Motion::showPass},
                  {m_live, &Motion::liveDisplay}};
    for (const auto& c : checks)
        connect(c.box, &QCheckBox::toggled, this, [this, field = c.field](bool on) {
            if (!m_loading)
                m_working.*field = on;
        });
    connect(m_timeLimit, &QCheckBox::toggled, this, [this](bool on) {
        if (m_loading)
            return;
        m_working.timeLimit = on;
        if (on) {
            m_seconds->setCurrentIndex(0);
            m_working.limitSeconds = kSeconds.first().toInt();
        }
        updateControls();
    });
    connect(m_seconds, &QComboBox::activated, this,
            [this](int i) { m_working.limitSeconds = m_seconds->itemText(i).toInt(); });

    connect(m_start, &QPushButton::clicked, this, &FrmMeeVote::start);
    connect(m_end, &QPushButton::clicked, &m_session, &VoteSession::end);
    connect(m_candidatesButton, &QPushButton::clicked, this, &FrmMeeVote::chooseCandidates);
    connect(m_query, &QPushButton::clicked, this, &FrmMeeVote::openResult);
    connect(m_monitor, &QPushButton::clicked, this, [this] {
        if (m_openMonitor)
            m_openMonitor(m_session.kind());
    });
    connect(m_showPass, &QPushButton::clicked, this, &FrmMeeVote::showPassText);

    connect(&m_session, &VoteSession::stateChanged, this, &FrmMeeVote::stateChanged);
    connect(&m_session, &VoteSession::resultChanged, this, &FrmMeeVote::showResult);
    connect(&m_session, &VoteSession::countdownChanged, this, &FrmMeeVote::showCountdown);
    connect(&m_session, &VoteSession::message, this, [this](const QString& text) { m_texts.inform(text); });
    connect(&m_session, &VoteSession::held, this, [this](const QString& reason) {
        offerHeldRound(
            m_texts, reason, [this] { return m_session.storeAgain(); }, [this] { m_session.discardHeld(); });
        reloadMotions();
    });
    connect(&m_session, &VoteSession::finished, this, [this] {
        m_passReady = true;
        reloadMotions();
        reloadFigures();
    });
    connect(&meeting.state(), &MeetingState::signInClosedChanged, this, &FrmMeeVote::reloadFigures);

    m_runDialog = [](QDialog& dialog) { return dialog.exec(); };
    selectMotion(-1);
}

FrmMeeVote::~FrmMeeVote() = default;

bool FrmMeeVote::isRunning() const
{
    return m_session.isRunning();
}

void FrmMeeVote::openMeeting(const Meeting& meeting)
{
    m_meeting = meeting;
    reloadFigures();
    m_row = -1;
    reloadMotions();
}

void FrmMeeVote::reloadFigures()
{
    MeetingTable meetings;
    const Meeting meeting = meetings.find(m_meeting.name).value_or(m_meeting);
    m_due->setText(QString::number(qMax(0, meeting.due)));
    m_present->setText(QString::number(qMax(0, meeting.present.value_or(0))));
}

void FrmMeeVote::reloadMotions()
{
    m_kept = m_row >= 0 ? std::optional(m_model->motions()[m_row]) : std::nullopt;
    m_reloading = true;
    m_model->setPath(Schema::meetingDatabasePath(m_meeting.name));
    m_reloading = false;
    motionsChanged();
}

void FrmMeeVote::motionsChanged()
{
    const bool passReady = m_passReady;
    const int row = m_kept ? m_model->rowOf(*m_kept) : -1;
    m_kept.reset();
    selectMotion(row);
    m_passReady = row >= 0 && passReady;
    updateControls();
}

void FrmMeeVote::selectMotion(int row)
{
    const QModelIndexList selected = m_list->selectionModel()->selectedRows();
    if (row < 0 || row >= m_model->rowCount()) {
        m_list->clearSelection();
        loadSelection(-1);
    } else if (selected.isEmpty() || selected.first().row() != row) {
        m_list->selectRow(row); // loads it through the selection signal
    } else {
        loadSelection(row);
    }
}

void FrmMeeVote::loadSelection(int row)
{
    const bool another = row != m_row;
    m_row = row;
    m_passReady = false;
    m_working = row >= 0 ? m_model->motions()[row] : Motion();
    m_kind = kindNumber(m_working.kind);
    const int caption = captionNumber(m_kind);
    m_start->setText(m_texts(QStringLiteral("BtnVoteStart%1").arg(caption)));
    m_end->setText(m_texts(QStringLiteral("BtnVoteEnd%1").arg(caption)));
    m_start->setAccessibleName(m_start->text());
    m_end->setAccessibleName(m_end->text());
    showSettings();
    updateControls();
    // The preview shows what the hall will show for this motion, not the last one's result.
    if (another && !m_session.isRunning())
        clearPreview();
}

void FrmMeeVote::clearPreview()
{
    m_preview->setState(VoteScreenPresenter::empty(colours()));
}

bool FrmMeeVote::confirmVoteAgain()
{
    if (!m_working.voted)
        return true;
    const QString when = m_model->motions()[m_row].votedAt.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    return Prompt::question(m_texts.caption(), m_texts("MsgVoteAgain").arg(when));
}

void FrmMeeVote::showSettings()
{
    const Motion& m = m_working;
    m_loading = true;
    // A base no table knows stays stored as it is until the operator picks one.
    m_base->setCurrentIndex(m.base == VoteBase::Due ? 0 : m.base == VoteBase::Present ? 1 : -1);
    m_rule->setCurrentIndex(m_row < 0 ? -1 : m.strictRule ? 0 : 1);
    m_threshold->setValue(m_row < 0 ? kDefaultThreshold : qBound(0, m.threshold, 100));
    m_thresholdEcho->setText(QStringLiteral("%1%").arg(m_threshold->value()));
    m_unit->setChecked(m.unpressedAbstains);
    m_percent->setChecked(m.showPercent);
    m_pass->setChecked(m.showPass);
    m_live->setChecked(m.liveDisplay);
    m_timeLimit->setChecked(m.timeLimit);
    m_seconds->setCurrentIndex(int(kSeconds.indexOf(QString::number(m.limitSeconds))));
    m_loading = false;
}

void FrmMeeVote::updateControls()
{
    const VoteSession::State state = m_session.state();
    const bool idle = state == VoteSession::State::Idle;
    const bool selected = m_row >= 0;
    m_list->setEnabled(idle);
    m_start->setEnabled(idle && selected);
    m_end->setEnabled(state == VoteSession::State::Collecting);
    m_monitor->setEnabled(state == VoteSession::State::Collecting);
    m_query->setEnabled(idle && selected && m_working.voted);
    m_settings->setEnabled(idle && m_kind == 0);
    m_candidatesButton->setEnabled(idle && m_kind >= 1 && m_kind <= 4);
    m_timeLimit->setEnabled(idle && selected);
    m_seconds->setEnabled(idle && selected && m_working.timeLimit);
    m_secondsLabel->setEnabled(m_seconds->isEnabled());
    m_showPass->setEnabled(idle && m_passReady && (m_kind == 0 || m_kind == 6));
}

void FrmMeeVote::start()
{
    if (m_row < 0 || !confirmVoteAgain())
        return;
    const VoteSession::StartResult result = m_session.start(m_working);
    if (result == VoteSession::StartResult::NoMotion) {
        m_texts.message(QStringLiteral("MsgMotionGone"));
        reloadMotions();
        return;
    }
    // Any other refusal has been told by the procedure's message.
    if (result != VoteSession::StartResult::Started)
        return;
    present(VoteScreenPresenter::Stage::Prompt);
    m_list->setFocus();
}

void FrmMeeVote::chooseCandidates()
{
    const int mode = MotionRules::candidateMode(m_kind);
    if (m_row < 0 || mode == 0)
        return;
    const bool voted = m_working.voted;
    FrmNominee dialog(mode, m_working.candidates, voted, this);
    if (m_runDialog(dialog) != QDialog::Accepted || voted || dialog.names().isEmpty())
        return;
    MotionTable table(m_voteTexts.words);
    table.setMeeting(m_meeting.name);
    // The list takes the new names quietly: the working settings stay as the operator set them.
    m_reloading = true;
    const bool stored = table.setCandidates(m_working.key, dialog.names());
    m_reloading = false;
    if (stored)
        m_working.candidates = dialog.names();
}

void FrmMeeVote::openResult()
{
    if (m_row >= 0 && m_openResult)
        m_openResult(m_model->motions()[m_row], m_kind);
}

void FrmMeeVote::showPassText()
{
    // A motion vote showing its pass text showed it by itself at the end of the vote.
    if (m_row < 0 || m_working.kind != VoteKind::MotionVote || m_working.showPass)
        return;
    VoteScreenPresenter::Outcome stored;
    stored.result = m_model->motions()[m_row].result;
    present(VoteScreenPresenter::Stage::PassText, stored);
}

void FrmMeeVote::stateChanged(VoteSession::State state)
{
    if (state == VoteSession::State::Closing)
        present(VoteScreenPresenter::Stage::Closing);
    showReadout();
    updateControls();
}

void FrmMeeVote::showResult(const VoteCount::Outcome& outcome, bool final)
{
    present(final ? VoteScreenPresenter::Stage::Result : VoteScreenPresenter::Stage::Counting,
            {outcome.result, outcome.passText, m_session.countFromALiveLine(), m_session.countdownText()});
    showReadout();
}

void FrmMeeVote::showCountdown(const QString& text)
{
    if (m_shown)
        pushPanel(m_presenter.withCountdown(*m_shown, text), false);
}

void FrmMeeVote::showReadout()
{
    const VoteSession::State state = m_session.state();
    // From End until ControlEnd the last answers are read: say so instead of a verdict that may change.
    if (state == VoteSession::State::Closing || state == VoteSession::State::Finishing) {
        m_readout->setText(m_texts("MsgReading"));
        m_readout->setVisible(true);
        return;
    }
    const PassReadout::Reading reading =
        state == VoteSession::State::Collecting
            ? PassReadout::read(m_session.kind(), m_session.counts(), m_session.due(), m_session.present(),
                                m_session.motion())
            : PassReadout::Reading{};
    m_readout->setText(PassReadout::line(reading, m_phrases));
    m_readout->setVisible(reading.verdict != PassReadout::Verdict::NotShown);
}

void FrmMeeVote::present(VoteScreenPresenter::Stage stage, const VoteScreenPresenter::Outcome& outcome)
{
    for (const ScreenPanelState& state : m_presenter.present(stage, shownVote(), outcome, colours()))
        pushPanel(state, true);
}

VoteScreenPresenter::Vote FrmMeeVote::shownVote() const
{
    const Motion& m = m_session.motion();
    VoteScreenPresenter::Vote vote;
    vote.kind = m_session.kind();
    vote.title = m.title;
    vote.candidates = m.candidates;
    vote.seats = m.seats;
    vote.showPercentages = m.showPercent;
    vote.liveFigures = m.liveDisplay;
    vote.timed = m.timeLimit;
    vote.passTextAtEnd = m.showPass;
    return vote;
}

PanelColours FrmMeeVote::colours() const
{
    return {m_screen.screenColour(), m_screen.screenTextColour()};
}

void FrmMeeVote::pushPanel(const ScreenPanelState& state, bool bringPanel)
{
    if (bringPanel) {
        if (!m_screen.isWindowShown())
            m_screen.showWindow();
        m_screen.showPanel();
    }
    m_screen.setPanel(state);
    m_preview->setState(state);
    m_shown = state;
}
