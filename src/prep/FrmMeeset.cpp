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
#include <QTableWidget>

namespace {

// One form for every language, so a date stored under one table reads back under another.
const QString kDateFormat = QStringLiteral("yyyy/MM/dd");
const QString kDueNumberMessage = QStringLiteral("请输入正确的应到人数");

QString key(const char* text)
{
    return QString::fromLatin1(text);
}

} // namespace

FrmMeeset::FrmMeeset(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmMeeset"));
    const PageTexts& texts = m_texts;
    m_caption = texts.caption();
    resize(818, 655);

    m_list = new QTableWidget(0, 3, this);
    m_list->setObjectName(QLatin1String(kList));
    m_list->setHorizontalHeaderLabels({texts("MsgClewNo"), texts("MsgClewName"), texts("MsgClewTimel")});
    m_list->setGeometry(10, 10, 798, 330);
    m_list->setColumnWidth(0, 48);
    m_list->setColumnWidth(1, 592);
    RecordList::setUp(*m_list);
    m_list->setAccessibleName(texts("MsgClewName"));
    connect(m_list, &QTableWidget::cellClicked, this, [this](int row) { selectRow(row); });

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
        d->setDisplayFormat(kDateFormat);
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
    const ScreenSizeText size = splitScrSize(settings.ScrSize);
    m_screenSize = QSize(size.width.toInt(), size.height.toInt());
    m_screenColour = storedColour(settings.ScrColor);
    m_screenTextColour = storedColour(settings.ScrTextColor);

    setEditing(false);
    m_change->setEnabled(false);
    m_delete->setEnabled(false);
    m_banner->setEnabled(false);
    m_ratio->setEnabled(false);
    fillList();
}

void FrmMeeset::openMeeting(const QString&, const QString&)
{
    if (m_mode == Mode::Idle)
        fillList();
}

void FrmMeeset::message(const QString& text)
{
    m_texts.inform(text);
}

void FrmMeeset::fillList()
{
    MeetingTable table;
    table.loadList();
    m_list->clearContents();
    m_list->setRowCount(int(table.names.size()));
    for (int row = 0; row < table.names.size(); ++row) {
        m_list->setItem(row, 0, new QTableWidgetItem(QString::number(row + 1)));
        m_list->setItem(row, 1, new QTableWidgetItem(table.names[row]));
        m_list->setItem(row, 2, new QTableWidgetItem(table.startDates[row]));
    }
}

void FrmMeeset::selectRow(int row)
{
    QTableWidgetItem* item = m_list->item(row, 1);
    if (!item) {
        m_change->setEnabled(false);
        m_delete->setEnabled(false);
        m_banner->setEnabled(false);
        return;
    }
    m_list->setCurrentCell(row, 1);
    MeetingTable table;
    if (!table.load(item->text()))
        return;
    m_selectedName = table.record.MeeName;
    m_selectedKey = table.record.insertdate;
    m_bannerPath = table.record.bannerPath;
    showRecord(table.record);
    m_new->setEnabled(true);
    m_change->setEnabled(true);
    m_delete->setEnabled(true);
    m_banner->setEnabled(RecordKey::isValid(m_selectedKey)); // the banner file is named by the key
    m_save->setEnabled(false);
    m_cancel->setEnabled(false);
    emit meetingUsable(true);
}

void FrmMeeset::showRecord(const MeetingRecord& record)
{
    m_name->setText(record.MeeName);
    m_place->setText(record.MeeAddr);
    const QDate start = QDate::fromString(record.DateStart, kDateFormat);
    const QDate end = QDate::fromString(record.DateEnd, kDateFormat);
    m_start->setDate(start.isValid() ? start : QDate::currentDate());
    m_end->setDate(end.isValid() ? end : QDate::currentDate());
    m_due->setText(record.DueNum);
    const bool hasRatio = record.bSetLimit == QLatin1String("1");
    m_hasRatio->setChecked(hasRatio);
    m_ratio->setText(hasRatio ? record.limit : QStringLiteral("0"));
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
    if (m_selectedName.isEmpty())
        return;
    setEditing(true);
    m_ratio->setEnabled(m_hasRatio->isChecked());
    emit meetingUsable(false);
    m_mode = Mode::Change;
    m_name->setFocus();
}

void FrmMeeset::onSave()
{
    MeetingRecord record;
    record.MeeName = m_name->text().trimmed();
    record.MeeAddr = m_place->text().trimmed();
    record.DateStart = m_start->text();
    record.DateEnd = m_end->text();
    record.DueNum = m_due->text();
    if (record.MeeName.isEmpty()) {
        m_texts.message("MsgClew1");
        return;
    }
    if (!NameFilter::isUsableMeetingName(record.MeeName)) {
        m_texts.message("MsgClew5");
        return;
    }
    if (record.DueNum.toLongLong() <= 0) {
        message(kDueNumberMessage);
        return;
    }
    if (m_hasRatio->isChecked()) {
        const int ratio = m_ratio->text().toInt();
        if (m_ratio->text().isEmpty() || ratio < 1 || ratio > 100) {
            m_texts.message("MsgClew6");
            return;
        }
        record.bSetLimit = QStringLiteral("1");
        record.limit = QString::number(ratio);
    } else {
        record.bSetLimit = QStringLiteral("2");
        record.limit = QStringLiteral("0");
    }
    record.DueNum = QString::number(record.DueNum.toLongLong());
    const bool done = m_mode == Mode::New ? saveNew(record) : m_mode == Mode::Change && saveChange(record);
    if (!done)
        return;
    const QString name = record.MeeName;
    setEditing(false);
    fillList();
    // The saved meeting becomes the selected one, so Change and Delete act on what the list shows.
    const QList<QTableWidgetItem*> rows = m_list->findItems(name, Qt::MatchExactly);
    for (QTableWidgetItem* item : rows)
        if (item->column() == 1) {
            selectRow(item->row());
            m_list->setFocus();
            break;
        }
}

bool FrmMeeset::saveNew(MeetingRecord record)
{
    const Texts texts(QStringLiteral("FrmMeeset"));
    MeetingTable table;
    MeetingTable::CreateResult result = table.create(record);
    if (result == MeetingTable::CreateResult::DatabaseExists) {
        // Yes replaces the old file, No lets the new meeting keep it with its rows.
        const bool replace = Prompt::question(m_caption, texts(key("Export1")));
        result = table.create(record, replace ? MeetingTable::ExistingDatabase::Replace
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
                QDir::toNativeSeparators(ProgramFolder::filePath(MeetingFiles::folder(record.insertdate))) +
                QLatin1Char('"') + texts(key("MsgClew4")));
        return true;
    case MeetingTable::CreateResult::Created:
        return true;
    }
    return false;
}

bool FrmMeeset::saveChange(MeetingRecord record)
{
    MeetingTable table;
    bool renamed = false;
    if (record.MeeName != m_selectedName) {
        if (table.exists(record.MeeName)) {
            m_texts.message("MsgClew2");
            return false;
        }
        const MeetingFiles::RenameResult result =
            MeetingFiles::renameDatabase(m_selectedName, record.MeeName);
        if (result == MeetingFiles::RenameResult::Refused) {
            m_texts.message("MsgClew7");
            return false;
        }
        renamed = result == MeetingFiles::RenameResult::Renamed;
    }
    record.insertdate = m_selectedKey;
    table.record = record;
    if (!table.update()) {
        if (renamed)
            MeetingFiles::renameDatabase(record.MeeName, m_selectedName);
        return false;
    }
    return true;
}

void FrmMeeset::onCancel()
{
    const Mode mode = m_mode;
    setEditing(false);
    m_change->setEnabled(false);
    m_delete->setEnabled(false);
    m_banner->setEnabled(false);
    // A cancelled change shows the meeting as it is stored again.
    if (mode == Mode::Change) {
        const QList<QTableWidgetItem*> rows = m_list->findItems(m_selectedName, Qt::MatchExactly);
        for (QTableWidgetItem* item : rows)
            if (item->column() == 1) {
                selectRow(item->row());
                break;
            }
    }
}

void FrmMeeset::onDelete()
{
    if (m_selectedName.isEmpty())
        return;
    if (!m_texts.question("MsgDelinfo"))
        return;
    MeetingTable table;
    if (!table.remove(m_selectedName))
        return;
    MeetingFiles::removeFiles(m_selectedName, m_selectedKey, m_bannerPath);
    fillList();
    m_change->setEnabled(false);
    m_delete->setEnabled(false);
    m_banner->setEnabled(false);
    m_selectedName.clear();
    m_selectedKey.clear();
    m_bannerPath.clear();
    m_name->clear();
    m_place->clear();
    m_due->clear();
    m_hasRatio->setChecked(false);
    m_ratio->clear();
    emit meetingUsable(false);
}

void FrmMeeset::onBanner()
{
    if (!RecordKey::isValid(m_selectedKey))
        return;
    DlgEditVote::Target target;
    target.mode = DlgEditVote::Mode::Banner;
    target.title = m_selectedName;
    target.meetingKey = m_selectedKey;
    target.file = m_bannerPath;
    DlgEditVote editor(target, m_screenSize, m_screenColour, m_screenTextColour, this);
    editor.exec();
    if (!editor.saved())
        return;
    MeetingTable table;
    if (table.setBanner(m_selectedKey, editor.savedFile()))
        m_bannerPath = editor.savedFile();
}
