#include "prep/FrmMeeMat.h"

#include "core/LanguageTable.h"
#include "core/ProgramFolder.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "prep/Candidates.h"
#include "prep/DlgEditVote.h"
#include "prep/FrmNominee.h"
#include "prep/MeetingTable.h"
#include "prep/NameFilter.h"
#include "prep/RecordKey.h"
#include "ui/PageBuilder.h"
#include "ui/RecordList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>

FrmMeeMat::FrmMeeMat(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmMeeMat"));
    const PageTexts& texts = m_texts;
    m_words = MotionWords::fromLanguageTables();
    resize(818, 655);

    SettingsTable settingsRow;
    settingsRow.setPath(Schema::kSystemDatabase);
    settingsRow.load();
    const SystemSettings system = settingsRow.typed();
    m_screenSize = system.screenSize;
    m_screenColour = system.screenColour;
    m_screenTextColour = system.screenTextColour;
    m_systemPoints = QList<int>(system.keyPoints.begin(), system.keyPoints.end());

    m_model = new MotionListModel(
        {{texts("LisOveOne"), texts("LisOveTwo"), texts("LisOveThree"), texts("LisOveFour")},
         texts("DataYes"),
         texts("DataNo")},
        m_words, this);
    m_list = new QTableView(this);
    m_list->setObjectName(QLatin1String(kList));
    m_list->setModel(m_model);
    m_list->setAccessibleName(texts("LisOveTwo"));
    m_list->setGeometry(10, 10, 798, 250);
    m_list->setColumnWidth(0, 50);
    m_list->setColumnWidth(1, 460);
    m_list->setColumnWidth(2, 170);
    RecordList::setUp(*m_list);
    connect(m_list, &QTableView::clicked, this, [this](const QModelIndex& index) { selectRow(index.row()); });

    PageBuilder build(this, texts);
    m_new = build.button(kNewButton, {10, 270, 120, 36});
    m_change = build.button(kChangeButton, {140, 270, 120, 36});
    m_delete = build.button(kDeleteButton, {270, 270, 120, 36});
    m_candidates = build.button(kCandidatesButton, {458, 270, 170, 36});
    m_proposal = build.button(kProposalButton, {638, 270, 170, 36});

    m_frame = new QGroupBox(this);
    m_frame->setObjectName(QLatin1String(kFields));
    m_frame->setGeometry(10, 316, 798, 329);
    build.setParent(m_frame);
    m_title =
        build.edit(kTitleEdit, {150, 16, 630, 28},
                   build.label("1341", "IDC_STATIC_OVERNAME", {2, 16, 142, 28}), MotionTable::kTitleLength);
    m_kind = build.combo(kKindCombo, {150, 56, 230, 28},
                         build.label("1538", "IDC_STATIC_VTYPE", {2, 56, 142, 28}), m_words.kinds.value(0));
    m_base = build.combo(kBaseCombo, {550, 56, 230, 28},
                         build.label("1539", "IDC_STATIC_VBASE", {390, 56, 150, 28}),
                         {texts("cbVBaseOne"), texts("cbVBaseTwo")});
    m_rule =
        build.combo(kRuleCombo, {150, 96, 230, 28}, build.label("1540", "IDC_STATIC_VABET", {2, 96, 142, 28}),
                    {texts("cbVAberOne"), texts("cbVAberTwo")});
    m_rate = build.edit(kRateEdit, {550, 96, 60, 28},
                        build.label("1541", "IDC_STATIC_VSETABET", {390, 96, 150, 28}), 3);
    auto* percent = new QLabel(QStringLiteral("%"), m_frame);
    percent->setGeometry(616, 96, 20, 28);

    m_timeLimit = build.check(kTimeLimitCheck, "IDC_TIMERSE_CHECK", {30, 136, 115, 28});
    m_seconds = build.combo(kSecondsCombo, {150, 136, 100, 28}, nullptr,
                            {"5", "10", "15", "30", "45", "60", "90", "120", "150", "180", "240", "480"});
    m_seconds->setAccessibleName(m_timeLimit->text());
    auto* secondsUnit = new QLabel(texts("IDC_STATIC_SECOND"), m_frame);
    secondsUnit->setGeometry(256, 136, 100, 28);
    // Elections only: how many of the candidates are elected.
    auto* seatsLabel = build.label("IDC_STATIC_SEATS", "IDC_STATIC_SEATS", {390, 136, 150, 28});
    m_seats = new QSpinBox(m_frame);
    m_seats->setObjectName(QLatin1String(kSeatsSpin));
    m_seats->setAccessibleName(seatsLabel->text());
    m_seats->setGeometry(550, 136, 60, 28);
    seatsLabel->setBuddy(m_seats);

    m_unpressed = build.check(kUnpressedCheck, "IDC_UNITE_CHECK", {30, 172, 350, 28});
    m_percentages = build.check(kPercentagesCheck, "IDC_VIEWPER_CHECK", {410, 172, 370, 28});
    m_showPass = build.check(kShowPassCheck, "IDC_VIEWPASS_CHECK", {30, 208, 350, 28});
    m_dynamic = build.check(kDynamicCheck, "IDC_VOTEDLL_CHECK", {410, 208, 370, 28});
    m_extra = build.edit(kExtraEdit, {150, 246, 230, 28},
                         build.label("1567", "IDC_STATIC_YTTEXT", {2, 246, 142, 28}),
                         MotionTable::kExtraTextLength);

    // The points of the scoring keys come from the settings; shown here, never edited.
    auto* points = new QGroupBox(m_frame);
    points->setObjectName(QStringLiteral("1508"));
    points->setGeometry(410, 240, 370, 40);
    points->setEnabled(false);
    auto* pointsLabel = new QLabel(texts("IDC_STATIC_MARK"), points);
    pointsLabel->setGeometry(6, 6, 140, 28);
    for (int i = 0; i < 5; ++i) {
        auto* value = new QLineEdit(QString::number(m_systemPoints[i]), points);
        value->setObjectName(QString::number(1503 + i));
        value->setAccessibleName(pointsLabel->text());
        value->setGeometry(150 + i * 43, 6, 38, 28);
        value->setAlignment(Qt::AlignCenter);
    }

    m_save = build.button(kSaveButton, {530, 284, 120, 36});
    m_cancel = build.button(kCancelButton, {660, 284, 120, 36});

    // Quotes are harmless to the store, but the title is kept as the other pages expect it.
    PageBuilder::keepFiltered(m_title, &NameFilter::withoutQuotes);
    PageBuilder::keepFiltered(m_rate, &NameFilter::digitsOnly);
    connect(m_kind, &QComboBox::currentIndexChanged, this, [this] { applyKindRules(); });
    connect(m_timeLimit, &QCheckBox::toggled, m_seconds, &QWidget::setEnabled);
    connect(m_new, &QPushButton::clicked, this, &FrmMeeMat::onNew);
    connect(m_change, &QPushButton::clicked, this, &FrmMeeMat::onChange);
    connect(m_delete, &QPushButton::clicked, this, &FrmMeeMat::onDelete);
    connect(m_candidates, &QPushButton::clicked, this, &FrmMeeMat::onCandidates);
    connect(m_proposal, &QPushButton::clicked, this, &FrmMeeMat::onProposal);
    connect(m_save, &QPushButton::clicked, this, &FrmMeeMat::onSave);
    connect(m_cancel, &QPushButton::clicked, this, &FrmMeeMat::onCancel);

    setEditing(false);
    setIdleButtons(false);
    m_new->setEnabled(false); // until the hub names a meeting
}

void FrmMeeMat::openMeeting(const QString& meetingName, const QString& meetingKey)
{
    m_meetingName = meetingName;
    m_meetingKey = meetingKey;
    m_motion = Motion();
    setEditing(false);
    setIdleButtons(false);
    fillList();
}

MotionTable FrmMeeMat::table() const
{
    MotionTable table(m_words);
    table.setMeeting(m_meetingName);
    return table;
}

void FrmMeeMat::fillList()
{
    // A meeting whose database is gone has no motions to show and takes none.
    const bool usable =
        !m_meetingName.isEmpty() &&
        QFileInfo::exists(ProgramFolder::filePath(Schema::meetingDatabasePath(m_meetingName)));
    m_new->setEnabled(usable && m_mode == Mode::Idle);
    m_model->setPath(usable ? table().path() : QString());
}

void FrmMeeMat::selectTitle(const QString& title)
{
    for (int row = 0; row < m_model->rowCount(); ++row)
        if (m_model->motions()[row].title == title) {
            selectRow(row);
            m_list->setFocus();
            return;
        }
}

void FrmMeeMat::selectRow(int row)
{
    const std::optional<Motion> found =
        row >= 0 && row < m_model->rowCount() ? table().find(m_model->motions()[row].title) : std::nullopt;
    m_motion = found.value_or(Motion());
    if (!found) {
        setIdleButtons(false);
        return;
    }
    m_list->setCurrentIndex(m_model->index(row, MotionListModel::TitleColumn));
    showMotion(m_motion);
    setIdleButtons(true);
}

void FrmMeeMat::setIdleButtons(bool motionSelected)
{
    const int kind = kindNumber(m_motion.kind);
    m_new->setEnabled(!m_meetingName.isEmpty());
    m_delete->setEnabled(motionSelected);
    m_change->setEnabled(motionSelected && !m_motion.voted);
    // The proposal lives in the meeting's folder, which a meeting without a proper key does not have.
    m_proposal->setEnabled(motionSelected && RecordKey::isValid(m_meetingKey));
    m_candidates->setEnabled(motionSelected && MotionRules::candidateMode(kind) != 0);
    m_save->setEnabled(false);
    m_cancel->setEnabled(false);
}

void FrmMeeMat::showMotion(const Motion& m)
{
    m_title->setText(m.title);
    m_kind->setCurrentIndex(qMax(0, kindNumber(m.kind)));
    // A base no table knows leaves the choice as it was.
    if (m.base != VoteBase::Unknown)
        m_base->setCurrentIndex(m.base == VoteBase::Due ? 0 : 1);
    // Only a motion vote stores a rule.
    if (MotionRules::keepsRule(kindNumber(m.kind)))
        m_rule->setCurrentIndex(m.strictRule ? 0 : 1);
    m_rate->setText(m.title.isEmpty() ? QString() : QString::number(m.threshold));
    m_timeLimit->setChecked(m.timeLimit);
    if (int seconds = m_seconds->findText(QString::number(m.limitSeconds)); seconds >= 0)
        m_seconds->setCurrentIndex(seconds);
    m_unpressed->setChecked(m.unpressedAbstains);
    m_percentages->setChecked(m.showPercent);
    m_showPass->setChecked(m.showPass);
    m_dynamic->setChecked(m.liveDisplay);
    m_extra->setText(m.passWording);
    applyKindRules();
    m_seats->setValue(m.seats);
}

void FrmMeeMat::applyKindRules()
{
    const int kind = m_kind->currentIndex();
    m_base->setEnabled(MotionRules::keepsBase(kind));
    m_percentages->setEnabled(MotionRules::keepsPercentages(kind));
    m_dynamic->setEnabled(MotionRules::keepsDynamic(kind));
    m_seats->setEnabled(MotionRules::candidateMode(kind) != 0);
    m_seats->setRange(1, qMax(1, MotionRules::candidateCount(kind)));
    for (QWidget* widget :
         {static_cast<QWidget*>(m_rule), static_cast<QWidget*>(m_rate), static_cast<QWidget*>(m_showPass),
          static_cast<QWidget*>(m_unpressed), static_cast<QWidget*>(m_extra)})
        widget->setEnabled(MotionRules::keepsRule(kind));
    m_seconds->setEnabled(m_timeLimit->isChecked());
}

void FrmMeeMat::setEditing(bool editing)
{
    m_frame->setEnabled(editing);
    m_list->setEnabled(!editing);
    m_save->setEnabled(editing);
    m_cancel->setEnabled(editing);
    if (editing) {
        for (QPushButton* b : {m_new, m_change, m_delete, m_candidates, m_proposal})
            b->setEnabled(false);
    } else {
        m_mode = Mode::Idle;
    }
}

void FrmMeeMat::onNew()
{
    setEditing(true);
    m_mode = Mode::New;
    m_motion = Motion();
    m_list->clearSelection();
    m_title->clear();
    m_kind->setCurrentIndex(0);
    m_base->setCurrentIndex(0);
    m_rule->setCurrentIndex(0);
    m_rate->setText(QStringLiteral("50"));
    m_timeLimit->setChecked(false);
    m_seconds->setCurrentIndex(0);
    for (QCheckBox* box : {m_unpressed, m_percentages, m_showPass, m_dynamic})
        box->setChecked(false);
    m_extra->clear();
    applyKindRules();
    m_seats->setValue(1);
    m_title->setFocus();
}

void FrmMeeMat::onChange()
{
    if (m_motion.title.isEmpty() || m_motion.voted)
        return;
    setEditing(true);
    m_mode = Mode::Change;
    applyKindRules();
    m_title->setFocus();
}

MotionSettings FrmMeeMat::settings() const
{
    MotionSettings s;
    s.kind = m_kind->currentIndex();
    s.base = m_base->currentIndex() == 1 ? VoteBase::Present : VoteBase::Due;
    s.strictRule = m_rule->currentIndex() == 0;
    s.rate = m_rate->text();
    s.timeLimit = m_timeLimit->isChecked();
    s.seconds = m_seconds->currentText().toInt();
    s.unpressedAbstains = m_unpressed->isChecked();
    s.showPercentages = m_percentages->isChecked();
    s.showPass = m_showPass->isChecked();
    s.dynamicDisplay = m_dynamic->isChecked();
    s.extraText = m_extra->text().trimmed();
    s.seats = m_seats->value();
    return s;
}

void FrmMeeMat::onSave()
{
    const QString title = m_title->text().trimmed();
    if (title.isEmpty()) {
        m_texts.message("MsgClewNew2");
        return;
    }
    if (title.size() > MotionTable::kTitleLength) {
        m_texts.message("MsgClewLong");
        return;
    }
    MotionTable table = this->table();
    const bool titleChanged = m_mode == Mode::New || title != m_motion.title;
    if (titleChanged && table.exists(title)) {
        m_texts.message("MsgClewNew3");
        return;
    }
    const MotionSettings s = settings();
    if (!MotionRules::isRateValid(s)) {
        m_texts.message("MsgRateErr");
        return;
    }
    Motion motion;
    if (m_mode == Mode::New) {
        motion.title = title;
        MotionRules::fill(motion, s, m_systemPoints);
        if (!table.create(motion, m_meetingKey))
            return;
    } else if (m_mode == Mode::Change) {
        const std::optional<Motion> stored = table.find(m_motion.title);
        if (!stored || stored->voted)
            return;
        motion = *stored;
        motion.title = title;
        MotionRules::fill(motion, s, m_systemPoints);
        // An update keeps the motion's own points.
        if (!table.update(motion))
            return;
    } else {
        return;
    }
    if (MotionRules::candidateMode(s.kind) != 0 && !table.setSeats(motion.key, motion.seats))
        return;
    setEditing(false);
    selectTitle(title);
}

void FrmMeeMat::onCancel()
{
    const QString title = m_mode == Mode::Change ? m_motion.title : QString();
    setEditing(false);
    setIdleButtons(false);
    if (!title.isEmpty())
        selectTitle(title);
}

void FrmMeeMat::onDelete()
{
    const QString title = m_motion.title;
    if (title.isEmpty())
        return;
    if (!m_texts.question("MsgClewDel1"))
        return;
    if (!table().remove(title))
        return;
    m_motion = Motion();
    setIdleButtons(false);
    showMotion(m_motion);
}

void FrmMeeMat::onCandidates()
{
    const int mode = MotionRules::candidateMode(kindNumber(m_motion.kind));
    if (mode == 0)
        return;
    FrmNominee dialog(mode, m_motion.candidates, m_motion.voted, this);
    if (dialog.exec() != QDialog::Accepted || m_motion.voted)
        return;
    if (table().setCandidates(m_motion.key, dialog.names()))
        m_motion.candidates = dialog.names();
}

void FrmMeeMat::onProposal()
{
    if (m_motion.key.isEmpty() || !RecordKey::isValid(m_meetingKey))
        return;
    DlgEditVote::Target target;
    target.mode = DlgEditVote::Mode::Proposal;
    target.title = m_motion.title;
    target.meetingKey = m_meetingKey;
    target.motionKey = m_motion.key;
    target.file = m_motion.proposalFile;
    DlgEditVote editor(target, m_screenSize, m_screenColour, m_screenTextColour, this);
    editor.exec();
    if (!editor.saved())
        return;
    if (table().setProposal(m_motion.key, editor.savedFile()))
        m_motion.proposalFile = editor.savedFile();
}
