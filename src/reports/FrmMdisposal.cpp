#include "reports/FrmMdisposal.h"

#include "core/ProgramFolder.h"
#include "data/Backup.h"
#include "data/Schema.h"
#include "reports/FrmRegque.h"
#include "reports/FrmSpeakput.h"
#include "reports/FrmVoteput.h"
#include "reports/Minutes.h"
#include "reports/SignInRegister.h"
#include "ui/FileDialog.h"
#include "ui/PageBuilder.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace {

// The marks beside the title: a record card, a row of people, a ballot box.
QPixmap mark(int view)
{
    QPixmap pixmap(28, 28);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x4f, 0xb3, 0x8a));
    switch (view) {
    case 0:
        painter.drawRoundedRect(QRectF(3, 5, 22, 18), 3, 3);
        break;
    case 1:
        for (int x : {2, 10, 18}) {
            painter.drawEllipse(QRectF(x + 1, 5, 6, 6));
            painter.drawRoundedRect(QRectF(x, 13, 8, 10), 3, 3);
        }
        return pixmap;
    case 3: // a speech bubble
        painter.drawRoundedRect(QRectF(3, 4, 22, 15), 5, 5);
        painter.drawPolygon(QPolygonF({QPointF(8, 18), QPointF(8, 25), QPointF(14, 18)}));
        return pixmap;
    default:
        painter.drawRoundedRect(QRectF(3, 12, 22, 13), 2, 2);
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(9, 3, 10, 12));
        break;
    }
    painter.setPen(QPen(Qt::white, 2));
    painter.drawLine(QPointF(11, 16), QPointF(17, 16));
    return pixmap;
}

} // namespace

FrmMdisposal::FrmMdisposal(MeetingListModel& meetings, QWidget* parent)
    : HubFrame(QStringLiteral("FrmMdisposal"), kTitle, parent),
      m_texts(QStringLiteral("FrmMdisposal"), QStringLiteral("MsgClew"))
{
    setHeading("IDC_MDISPOSAL_SIGN1", texts()(QStringLiteral("IDC_MDISPOSAL_SIGN1")));
    QPushButton* recordButton = addButton(kRecordButton, 60);
    QPushButton* signInButton = addButton(kSignInButton, 160);
    QPushButton* voteButton = addButton(kVoteButton, 260);
    QPushButton* speakersButton = addButton(kSpeakersButton, 360);
    QPushButton* exit = addButton(kExitButton, 550);

    m_record = new QWidget(this);
    m_record->setObjectName(QLatin1String(kRecordPage));
    const PageTexts& t = m_texts;
    PageBuilder build(m_record, t);
    meetings.reload();
    m_meetings = build.combo(kMeetingList, {176, 10, 420, 32},
                             build.label("IDC_MDISPOSAL_SIGN", "IDC_MDISPOSAL_SIGN", {10, 10, 160, 32}), {});
    m_meetings->setModel(&meetings);
    m_meetings->setModelColumn(MeetingListModel::NameColumn);
    m_meetings->setCurrentIndex(-1);

    auto* fields = new QGroupBox(m_record);
    fields->setObjectName(QStringLiteral("MdisposalFields"));
    fields->setGeometry(10, 60, 798, 230);
    build.setParent(fields);
    m_name = build.edit("IDC_EDIT_MOOTNAME", {166, 20, 604, 28},
                        build.label("IDC_STATIC_MOOTNAME", "IDC_STATIC_MOOTNAME", {2, 20, 158, 28}));
    m_place = build.edit("IDC_EDIT_MOOTADDR", {166, 60, 604, 28},
                         build.label("IDC_STATIC_MOOTADDR", "IDC_STATIC_MOOTADDR", {2, 60, 158, 28}));
    const auto datePicker = [&](const char* id, int x, QLabel* caption) {
        auto* d = new QDateEdit(fields);
        d->setObjectName(QLatin1String(id));
        d->setGeometry(x, 100, 150, 28);
        d->setDisplayFormat(QLatin1String(Meeting::kDateFormat));
        d->setSpecialValueText(QStringLiteral(" "));
        d->setDate(d->minimumDate());
        d->setReadOnly(true);
        d->setButtonSymbols(QAbstractSpinBox::NoButtons);
        PageBuilder::nameAfter(d, caption);
        return d;
    };
    m_start = datePicker("IDC_DATETIME_START", 166,
                         build.label("IDC_STATIC_MOOTDATA", "IDC_STATIC_MOOTDATA", {2, 100, 158, 28}));
    m_end = datePicker("IDC_DATETIME_END", 386,
                       build.label("IDC_STATIC_MTIMELTO", "IDC_STATIC_MTIMELTO", {322, 100, 58, 28}));
    m_due = build.edit("IDC_EDIT_EXNUM", {166, 140, 100, 28},
                       build.label("IDC_STATIC_EXNUM", "IDC_STATIC_EXNUM", {2, 140, 158, 28}));
    m_present = build.edit("IDC_EDIT_SIGNIN", {166, 180, 100, 28},
                           build.label("IDC_STATIC_SIGNIN", "IDC_STATIC_SIGNIN", {2, 180, 158, 28}));
    for (QLineEdit* edit : {m_name, m_place, m_due, m_present})
        edit->setReadOnly(true);
    build.setParent(m_record);
    m_minutes = build.button(kMinutesButton, {10, 300, 220, 36});
    m_minutes->setEnabled(false);
    m_restore = build.button(kRestoreButton, {10, 344, 220, 36});
    m_restore->setEnabled(false);
    connect(m_restore, &QPushButton::clicked, this, &FrmMdisposal::restoreBackup);

    m_signIn = new FrmRegque(this);
    m_votes = new FrmVoteput(this);
    m_speakers = new FrmSpeakput(this);
    addPage(m_record, recordButton, texts()(QStringLiteral("MsgClew3")), addMark("IDC_MARK_RECORD", mark(0)));
    addPage(m_signIn, signInButton, texts()(QStringLiteral("MsgClew1")), addMark("IDC_MARK_SIGNIN", mark(1)));
    addPage(m_votes, voteButton, texts()(QStringLiteral("MsgClew2")), addMark("IDC_MARK_VOTE", mark(2)));
    addPage(m_speakers, speakersButton, texts()(QStringLiteral("MsgClew4")),
            addMark("IDC_MARK_SPEAKERS", mark(3)));
    setPageAvailable(m_record, true);

    connect(m_meetings, &QComboBox::activated, this,
            [this](int index) { chooseMeeting(m_meetings->itemText(index)); });
    connect(recordButton, &QPushButton::clicked, this, &FrmMdisposal::showRecord);
    connect(signInButton, &QPushButton::clicked, this, &FrmMdisposal::showSignInRegister);
    connect(voteButton, &QPushButton::clicked, this, &FrmMdisposal::showVoteRegister);
    connect(speakersButton, &QPushButton::clicked, this, &FrmMdisposal::showSpeakerRegister);
    connect(m_minutes, &QPushButton::clicked, this, &FrmMdisposal::writeMinutes);
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_signIn, &FrmRegque::back, this, &FrmMdisposal::showRecord);
    connect(m_votes, &FrmVoteput::back, this, &FrmMdisposal::showRecord);
    connect(m_speakers, &FrmSpeakput::back, this, &FrmMdisposal::showRecord);

    // With one meeting there is nothing to choose.
    if (meetings.rowCount() == 1)
        chooseMeeting(meetings.meetings().first().name);
    showRecord();
}

bool FrmMdisposal::chooseMeeting(const QString& name)
{
    MeetingTable table;
    const std::optional<Meeting> record = table.find(name);
    m_meeting = record.value_or(Meeting());
    m_meetings->setCurrentIndex(m_meetings->findText(m_meeting.name));
    showRecordFields();
    setPageAvailable(m_signIn, record.has_value());
    setPageAvailable(m_votes, record.has_value());
    setPageAvailable(m_speakers, record.has_value());
    m_minutes->setEnabled(record.has_value());
    m_restore->setEnabled(record.has_value());
    if (!record)
        return false;
    if (!QFileInfo::exists(ProgramFolder::filePath(Schema::meetingDatabasePath(name))))
        m_texts.message(QStringLiteral("MsgNoDatabase"), name);
    if (currentPage() == m_record)
        setHint(QString());
    return true;
}

void FrmMdisposal::showRecordFields()
{
    const auto date = [](QDateEdit* edit, const QDate& value) {
        edit->setDate(value.isValid() ? value : edit->minimumDate());
    };
    m_name->setText(m_meeting.name);
    m_place->setText(m_meeting.place);
    date(m_start, m_meeting.start);
    date(m_end, m_meeting.end);
    m_due->setText(m_meeting.name.isEmpty() ? QString() : QString::number(m_meeting.due));
    m_present->setText(m_meeting.present ? QString::number(*m_meeting.present) : QString());
}

void FrmMdisposal::restoreBackup()
{
    const QString path = Schema::meetingDatabasePath(m_meeting.name);
    const QStringList copies = Backup::copies(path);
    if (copies.isEmpty()) {
        m_texts.message(QStringLiteral("MsgNoBackup"), m_meeting.name);
        return;
    }
    if (!m_texts.question(QStringLiteral("MsgRestoreQuestion"), QFileInfo(copies.first()).fileName()))
        return;
    if (Backup::restoreLatest(path))
        m_texts.message(QStringLiteral("MsgRestoreDone"), m_meeting.name);
}

void FrmMdisposal::showRecord()
{
    showPage(m_record);
    setHint(m_meeting.name.isEmpty() ? texts()(QStringLiteral("MsgHintMeeting")) : QString());
}

void FrmMdisposal::showSignInRegister()
{
    if (m_meeting.name.isEmpty())
        return;
    m_signIn->openMeeting(m_meeting);
    showPage(m_signIn);
    setHint(QString());
}

void FrmMdisposal::showVoteRegister()
{
    if (m_meeting.name.isEmpty())
        return;
    m_votes->openMeeting(m_meeting.name);
    showPage(m_votes);
    setHint(QString());
}

void FrmMdisposal::showSpeakerRegister()
{
    if (m_meeting.name.isEmpty())
        return;
    m_speakers->openMeeting(m_meeting.name);
    showPage(m_speakers);
    setHint(QString());
}

void FrmMdisposal::writeMinutes()
{
    if (m_meeting.name.isEmpty())
        return;
    QString path = FileDialog::getSaveFileName(this, m_texts(kMinutesButton), m_meeting.name + ".pdf",
                                               QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    QString detail;
    if (Minutes::write(m_meeting.name, path, &detail) == Minutes::Outcome::Written)
        m_texts.message(QStringLiteral("MsgMinutesDone"), path);
    else
        m_texts.message(QStringLiteral("MsgMinutesErr"), detail);
}

void FrmMdisposal::done(int)
{
    // Exit, Escape and the close box all return to the main window.
    QDialog::done(QDialog::Accepted);
}
