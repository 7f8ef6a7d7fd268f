#include "prep/FrmMeeset.h"

#include "core/LanguageTable.h"
#include "core/ProgramFolder.h"
#include "core/Prompt.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "prep/DlgEditVote.h"
#include "prep/NameFilter.h"
#include "prep/RecordKey.h"
#include "ui/PageBuilder.h"
#include "ui/RecordList.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDateTime>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace {

const QString kDueNumberMessage = QStringLiteral("请输入正确的应到人数");

QString key(const char* text)
{
    return QString::fromLatin1(text);
}

} // namespace

FrmMeeset::FrmMeeset(MeetingListModel& meetings, QWidget* parent) : QWidget(parent), m_meetings(meetings)
{
    setObjectName(QStringLiteral("FrmMeeset"));
    const PageTexts& texts = m_texts;
    m_caption = texts.caption();
    resize(818, 655);

    m_list = new QTableView(this);
    m_list->setObjectName(QLatin1String(kList));
    RecordList::setUp(*m_list, m_meetings, {texts("MsgClewNo"), texts("MsgClewName"), texts("MsgClewTimel")});
    m_list->setGeometry(10, 10, 798, 330);
    m_list->setColumnWidth(0, 48);
    m_list->setColumnWidth(1, 592);
    m_list->setAccessibleName(texts("MsgClewName"));
    connect(m_list, &QTableView::clicked, this, [this](const QModelIndex& index) { selectRow(index.row()); });

    PageBuilder build(this, texts);
    m_new = build.button(kNewButton, {10, 352, 120, 36});
    m_change = build.button(kChangeButton, {140, 352, 120, 36});
    m_delete = build.button(kDeleteButton, {270, 352, 120, 36});
    m_banner = build.button(kBannerButton, {400, 352, 120, 36}, "IDC_MEEBANNER_BUTTON ");

    m_fields = new QGroupBox(this);
    m_fields->setObjectName(QLatin1String(kFields));
    m_fields->setGeometry(10, 400, 798, 245);
    build.setParent(m_fields);
    m_name = build.edit(kNameEdit, {166, 20, 604, 28},
                        build.label("1533", "IDC_STATIC_MEENAME ", {2, 20, 158, 28}),
                        NameFilter::kMeetingNameLength);
    m_place = build.edit(kPlaceEdit, {166, 60, 604, 28},
                         build.label("1534", "IDC_STATIC_MEEADDR ", {2, 60, 158, 28}), 250);

    auto datePicker = [&](const char* id, int x, int y, QLabel* caption) {
        auto* d = new QDateEdit(QDate::currentDate(), m_fields);
        d->setObjectName(QLatin1String(id));
        d->setGeometry(x, y, 150, 28);
        d->setDisplayFormat(QLatin1String(Meeting::kDateFormat));
        d->setCalendarPopup(true);
        PageBuilder::nameAfter(d, caption);
        return d;
    };
    m_start = datePicker(kStartDate, 166, 100, build.label("1536", "IDC_STATIC_MEETEMI ", {2, 100, 158, 28}));
    m_end = datePicker(kEndDate, 386, 100, build.label("1537", "IDC_STATIC_MEETO ", {326, 100, 50, 28}));

    m_due = build.edit(kDueEdit, {166, 140, 150, 28},
                       build.label("1535", "IDC_STATIC_MEENUM ", {2, 140, 158, 28}), 9);
    m_hasRatio = build.check(kRatioCheck, "IDC_MEE_VIEWLEG ", {346, 140, 0, 28});
    m_hasRatio->resize(qMin(m_hasRatio->sizeHint().width(), 330), 28);
    m_ratio = build.edit(kRatioEdit, {m_hasRatio->geometry().right() + 10, 140, 60, 28}, nullptr, 3);
    m_ratio->setAccessibleName(m_hasRatio->text());
    auto* percent = new QLabel(QStringLiteral("%"), m_fields);
    percent->setGeometry(m_ratio->geometry().right() + 6, 140, 20, 28);

    m_save = build.button(kSaveButton, {520, 190, 120, 36}, "IDC_SAVEMEE_BUTTON ");
    m_cancel = build.button(kCancelButton, {650, 190, 120, 36});

    PageBuilder::keepFiltered(m_name, &NameFilter::meetingName);
    PageBuilder::keepFiltered(m_place, &NameFilter::withoutQuotes);
    PageBuilder::keepFiltered(m_due, &NameFilter::digitsOnly);
    PageBuilder::keepFiltered(m_ratio, &NameFilter::digitsOnly);
    connect(m_hasRatio, &QCheckBox::toggled, this, [this](bool on) {
        m_ratio->setEnabled(on);
        m_ratio->setText(on ? QStringLiteral("50") : QStringLiteral("0"));
    });
    connect(m_new, &QPushButton::clicked, this, &FrmMeeset::onNew);
    connect(m_change, &QPushButton::clicked, this, &FrmMeeset::onChange);
    connect(m_delete, &QPushButton::clicked, this, &FrmMeeset::onDelete);
    connect(m_banner, &QPushButton::clicked, this, &FrmMeeset::onBanner);
    connect(m_save, &QPushButton::clicked, this, &FrmMeeset::onSave);
    connect(m_cancel, &QPushButton::clicked, this, &FrmMeeset::onCancel);

    SettingsTable settings;
    settings.setPath(Schema::kSystemDatabase);
    settings.load();
    m_settings = settings.typed();

    setEditing(false);
    m_change->setEnabled(false);
    m_delete->setEnabled(false);
    m_banner->setEnabled(false);
    m_ratio->setEnabled(false);
    m_meetings.reload();
}

void FrmMeeset::openMeeting(const QString&, const QString&)
{
    if (m_mode == Mode::Idle)
        m_meetings.reload();
}

void FrmMeeset::message(const QString& text)
{
    m_texts.inform(text);
}

void FrmMeeset::selectRow(int row)
{
    const std::optional<Meeting> found = row >= 0 && row < m_meetings.rowCount()
                                             ? m_meetings.table().find(m_meetings.meetings()[row].name)
                                             : std::nullopt;
    if (!found) {
        m_change->setEnabled(false);
        m_delete->setEnabled(false);
        m_banner->setEnabled(false);
        return;
    }
    m_list->setCurrentIndex(m_list->model()->index(row, MeetingListModel::NameColumn));
    m_selected = *found;
    showRecord(m_selected);
    m_new->setEnabled(true);
    m_change->setEnabled(true);
    m_delete->setEnabled(true);
    m_banner->setEnabled(RecordKey::isValid(m_selected.key)); // the banner file is named by the key
    m_save->setEnabled(false);
    m_cancel->setEnabled(false);
    emit meetingUsable(true);
}

void FrmMeeset::selectMeeting(const QString& name, bool focus)
{
    const int row = m_meetings.rowOf(name);
    if (row < 0)
        return;
    selectRow(row);
    if (focus)
        m_list->setFocus();
}

void FrmMeeset::showRecord(const Meeting& meeting)
{
    m_name->setText(meeting.name);
    m_place->setText(meeting.place);
    m_start->setDate(meeting.start.isValid() ? meeting.start : QDate::currentDate());
    m_end->setDate(meeting.end.isValid() ? meeting.end : QDate::currentDate());
    m_due->setText(QString::number(meeting.due));
    m_hasRatio->setChecked(meeting.legalRatio.has_value());
    m_ratio->setText(QString::number(meeting.legalRatio.value_or(0)));
    m_ratio->setEnabled(false);
}

void FrmMeeset::setEditing(bool editing)
{
    m_fields->setEnabled(editing);
    m_save->setEnabled(editing);
    m_cancel->setEnabled(editing);
    m_list->setEnabled(!editing);
    if (editing) {
        m_new->setEnabled(false);
        m_change->setEnabled(false);
        m_delete->setEnabled(false);
        m_banner->setEnabled(false);
    } else {
        m_new->setEnabled(true);
        m_mode = Mode::Idle;
    }
}

void FrmMeeset::onNew()
{
    setEditing(true);
    m_name->clear();
    m_place->clear();
    m_due->clear();
    m_hasRatio->setChecked(false);
    m_ratio->clear();
    m_ratio->setEnabled(false);
    m_start->setDate(QDate::currentDate());
    m_end->setDate(QDate::currentDate());
    emit meetingUsable(false);
    m_mode = Mode::New;
    m_name->setFocus();
}

void FrmMeeset::onChange()
{
    if (m_selected.name.isEmpty())
        return;
    setEditing(true);
    m_ratio->setEnabled(m_hasRatio->isChecked());
    emit meetingUsable(false);
    m_mode = Mode::Change;
    m_name->setFocus();
}

void FrmMeeset::onSave()
{
    Meeting meeting;
    meeting.name = m_name->text().trimmed();
    meeting.place = m_place->text().trimmed();
    meeting.start = m_start->date();
    meeting.end = m_end->date();
    if (meeting.name.isEmpty()) {
        m_texts.message("MsgClew1");
        return;
    }
    if (!NameFilter::isUsableMeetingName(meeting.name)) {
        m_texts.message("MsgClew5");
        return;
    }
    const qlonglong due = m_due->text().toLongLong(); // at most nine digits
    if (due <= 0) {
        message(kDueNumberMessage);
        return;
    }
    meeting.due = int(due);
    if (m_hasRatio->isChecked()) {
        const int ratio = m_ratio->text().toInt();
        if (m_ratio->text().isEmpty() || ratio < 1 || ratio > 100) {
            m_texts.message("MsgClew6");
            return;
        }
        meeting.legalRatio = ratio;
    }
    const bool done = m_mode == Mode::New ? saveNew(meeting) : m_mode == Mode::Change && saveChange(meeting);
    if (!done)
        return;
    setEditing(false);
    // The saved meeting becomes the selected one, so Change and Delete act on what the list shows.
    selectMeeting(meeting.name, true);
}

bool FrmMeeset::saveNew(Meeting meeting)
{
    const Texts texts(QStringLiteral("FrmMeeset"));
    MeetingTable& table = m_meetings.table();
    MeetingTable::CreateResult result = table.create(meeting);
    if (result == MeetingTable::CreateResult::DatabaseExists) {
        // Yes replaces the old file, No lets the new meeting keep it with its rows.
        const bool replace = Prompt::question(m_caption, texts(key("Export1")));
        result = table.create(meeting, replace ? MeetingTable::ExistingDatabase::Replace
                                               : MeetingTable::ExistingDatabase::Keep);
    }
    switch (result) {
    case MeetingTable::CreateResult::NameTaken:
        message(texts(key("MsgClew2")));
        return false;
    case MeetingTable::CreateResult::CannotReplaceDatabase:
        message(texts(key("Export2")));
        return false;
    case MeetingTable::CreateResult::DatabaseExists:
    case MeetingTable::CreateResult::Failed:
        return false;
    case MeetingTable::CreateResult::CreatedWithoutFolder:
        message(texts(key("MsgClew3")) + QLatin1Char('"') +
                QDir::toNativeSeparators(ProgramFolder::filePath(MeetingFiles::folder(meeting.key))) +
                QLatin1Char('"') + texts(key("MsgClew4")));
        return true;
    case MeetingTable::CreateResult::Created:
        return true;
    }
    return false;
}

bool FrmMeeset::saveChange(const Meeting& fields)
{
    Meeting meeting = fields;
    meeting.key = m_selected.key;
    switch (m_meetings.table().change(m_selected.name, meeting)) {
    case MeetingTable::ChangeResult::Changed:
        return true;
    case MeetingTable::ChangeResult::NameTaken:
        m_texts.message("MsgClew2");
        return false;
    case MeetingTable::ChangeResult::DatabaseRefused:
        m_texts.message("MsgClew7");
        return false;
    case MeetingTable::ChangeResult::Failed: // reported by the store
        return false;
    }
    return false;
}

void FrmMeeset::onCancel()
{
    const Mode mode = m_mode;
    setEditing(false);
    m_change->setEnabled(false);
    m_delete->setEnabled(false);
    m_banner->setEnabled(false);
    // A cancelled change shows the meeting as it is stored again.
    if (mode == Mode::Change)
        selectMeeting(m_selected.name, false);
}

void FrmMeeset::onDelete()
{
    if (m_selected.name.isEmpty())
        return;
    if (!m_texts.question("MsgDelinfo"))
        return;
    if (!m_meetings.table().remove(m_selected))
        return;
    m_change->setEnabled(false);
    m_delete->setEnabled(false);
    m_banner->setEnabled(false);
    m_selected = Meeting();
    m_name->clear();
    m_place->clear();
    m_due->clear();
    m_hasRatio->setChecked(false);
    m_ratio->clear();
    emit meetingUsable(false);
}

void FrmMeeset::onBanner()
{
    if (!RecordKey::isValid(m_selected.key))
        return;
    DlgEditVote::Target target;
    target.mode = DlgEditVote::Mode::Banner;
    target.title = m_selected.name;
    target.meetingKey = m_selected.key;
    target.file = m_selected.bannerFile;
    DlgEditVote editor(target, m_settings.screenSize, m_settings.screenColour, m_settings.screenTextColour,
                       this);
    editor.exec();
    if (!editor.saved())
        return;
    if (m_meetings.table().setBanner(m_selected.key, editor.savedFile()))
        m_selected.bannerFile = editor.savedFile();
}
