#include "reports/Minutes.h"

#include "reports/RecordCheck.h"

#include "core/LanguageTable.h"
#include "core/ProgramFolder.h"
#include "data/Schema.h"
#include "meeting/SignInCount.h"
#include "meeting/VoteCount.h"
#include "meeting/VoteSession.h"
#include "reports/RecordCheck.h"
#include "reports/RegisterPainter.h"
#include "reports/SignInRegister.h"
#include "reports/SpeakerRegister.h"
#include "reports/VoteRegister.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace Minutes {

namespace {

constexpr double kLeft = 20;
constexpr double kRight = 190;
constexpr double kTop = 18;
constexpr double kBottom = 274;
constexpr double kPageLineTop = 280;
constexpr double kMeasureDpi = 1200;
constexpr double kBodyPoints = 10;
constexpr double kChartHeight = 55;
const QString kSeparator = QStringLiteral(" \u00b7 ");

// The result line of a stored vote from its register row: each figure after its heading.
Vote voteOf(const Motion& motion, const VoteTexts& texts)
{
    const Texts page(QStringLiteral("FrmVoteput"));
    const Texts votePage(QStringLiteral("FrmMeeVote"));
    Vote vote;
    vote.title = motion.title;
    vote.time = MotionTable::storedTime(motion.votedAt);
    vote.kind = texts.words.kindText(motion);
    for (int category = 1; category <= VoteRegister::kCategories; ++category) {
        const QList<QStringList> rows = VoteRegister::rows(category, {motion}, true, texts);
        if (rows.isEmpty())
            continue;
        const QStringList row = rows.first();
        const QStringList headings = VoteRegister::emptyTable(category, page, votePage).headings;
        QStringList parts;
        if (category == 2) {
            for (int i = 2; i + 1 < row.size() - 1; i += 2)
                if (!row[i].isEmpty())
                    parts << row[i] + QLatin1Char(' ') + row[i + 1];
        } else {
            // Motion votes end with the pass text; the rest end with their last figure.
            const int figures = category == 1 ? row.size() - 2 : category == 3 ? 3 : row.size() - 1;
            for (int i = 2; i < figures; ++i)
                parts << headings.value(i) + QLatin1Char(' ') + row[i];
            if (category == 1)
                vote.passText = row[row.size() - 2];
        }
        vote.resultLine = parts.join(kSeparator);
        break;
    }
    return vote;
}

} // namespace

RecordState recordState(const QString& meetingName)
{
    const Texts texts(QStringLiteral("FrmMinutes"));
    const RecordCheck::Verdict verdict = RecordCheck::check(meetingName);
    RecordState state{RecordCheck::text(verdict, Texts(QStringLiteral("Public"))), verdict.head};
    if (verdict.outcome != RecordCheck::Verdict::Outcome::Intact)
        return state;
    // The speakers' log is held against the entries written with its rows.
    const SpeechTable::Check speeches = SpeechTable::check(Schema::meetingDatabasePath(meetingName));
    if (speeches.outcome == SpeechTable::Check::Outcome::Unreadable)
        state.line = texts(QStringLiteral("Unreadable"));
    else if (speeches.outcome == SpeechTable::Check::Outcome::Altered)
        state.line = texts(QStringLiteral("SpeechAltered")).arg(speeches.row);
    else if (speeches.outcome == SpeechTable::Check::Outcome::Missing)
        state.line = texts(QStringLiteral("SpeechMissing")).arg(speeches.row);
    return state;
}

Content gather(const Meeting& meeting)
{
    const Texts texts(QStringLiteral("FrmMinutes"));
    const Texts signIn(QStringLiteral("FrmManChe"));
    const QString path = Schema::meetingDatabasePath(meeting.name);
    Content content;
    content.meeting = meeting;

    const SignInCount::Figures figures = SignInCount::figures(meeting.present.value_or(0), meeting);
    const int quorum = SignInRegister::quorumUnits(meeting);
    const QString quorumResult =
        figures.quorum == SignInCount::Quorum::NotTested
            ? texts(QStringLiteral("QuorumNone"))
            : SignInCount::quorumText(figures.quorum, signIn(QStringLiteral("MsgScrView5")),
                                      signIn(QStringLiteral("MsgScrView6")), QString()) +
                  QLatin1Char(' ') + texts(QStringLiteral("QuorumNeeds")).arg(quorum);
    content.attendance = {
        texts(QStringLiteral("Due")) + QStringLiteral(": ") + QString::number(figures.due),
        texts(QStringLiteral("Present")) + QStringLiteral(": ") + QString::number(figures.present),
        texts(QStringLiteral("Absent")) + QStringLiteral(": ") + QString::number(figures.absent),
        texts(QStringLiteral("Quorum")) + QStringLiteral(": ") + quorumResult};
    const SignInRegister::Attendance attendance =
        SignInRegister::load(meeting.name, SignInRegister::List::Due, SignInRegister::Marks::ofEveryTable(),
                             Texts(QStringLiteral("FrmRegque")));
    content.chart = {attendance.arrivals, figures.due, quorum};

    const VoteTexts voteTexts = VoteTexts::fromLanguageTables();
    for (const Motion& motion : VoteRegister::load(meeting.name, voteTexts.words).motions)
        if (motion.voted)
            content.votes << voteOf(motion, voteTexts);
    content.speeches = SpeakerRegister::load(meeting.name).speeches;
    content.record = recordState(meeting.name);
    return content;
}

Document::Document(Content content) : m_content(std::move(content))
{
    const Texts texts(QStringLiteral("FrmMinutes"));
    m_pageLine = Texts(QStringLiteral("FrmSysPre"))(QStringLiteral("MsgPageLine"));
    const Meeting& meeting = m_content.meeting;
    addText(texts(QStringLiteral("Title")), 12);
    addText(meeting.name, 20, true, 0, 3);
    addText(texts(QStringLiteral("Place")) + QLatin1Char(' ') + meeting.place, kBodyPoints);
    addText(
        texts(QStringLiteral("Dates")) + QLatin1Char(' ') + Meeting::dateText(meeting.start) +
            (meeting.end.isValid() ? QStringLiteral(" \u2013 ") + Meeting::dateText(meeting.end) : QString()),
        kBodyPoints);

    addHeading(texts(QStringLiteral("Attendance")));
    for (const QString& line : m_content.attendance)
        addText(line, kBodyPoints);
    const QString chartTitle = texts(QStringLiteral("Chart"));
    const QString quorumLabel = texts(QStringLiteral("Quorum"));
    m_blocks << Block{kChartHeight + 3, false,
                      [chart = m_content.chart, chartTitle, quorumLabel](QPainter& painter, double top,
                                                                         const auto& mm, double) {
                          painter.save();
                          // The chart draws in its own units, 600 across: a scale maps them onto the page.
                          const QRectF area(mm(kLeft), mm(top + 3), mm(kRight - kLeft), mm(kChartHeight));
                          const double scale = area.width() / 600.0;
                          painter.translate(area.topLeft());
                          painter.scale(scale, scale);
                          // 8 pt: 600 units span 170 mm, so a point is about 1.25 units.
                          painter.setFont(RegisterPainter::pageFont(8, 90));
                          AttendanceChart::paint(painter, chart, QRectF(0, 0, 600, area.height() / scale),
                                                 {chartTitle, quorumLabel});
                          painter.restore();
                      }};

    addHeading(texts(QStringLiteral("Votes")));
    if (m_content.votes.isEmpty())
        addText(texts(QStringLiteral("NoVotes")), kBodyPoints);
    for (int i = 0; i < m_content.votes.size(); ++i) {
        const Vote& vote = m_content.votes[i];
        addText(QStringLiteral("%1. %2").arg(i + 1).arg(vote.title), kBodyPoints, true);
        m_blocks.last().keepWithNext = true;
        addText(vote.kind + kSeparator + vote.time, kBodyPoints, false, 6);
        m_blocks.last().keepWithNext = true;
        addText(vote.resultLine, kBodyPoints, false, 6, vote.passText.isEmpty() ? 2.5 : 0);
        if (!vote.passText.isEmpty())
            addText(vote.passText, kBodyPoints, true, 6, 2.5);
    }

    addHeading(texts(QStringLiteral("Speakers")));
    if (m_content.speeches.isEmpty())
        addText(texts(QStringLiteral("NoSpeakers")), kBodyPoints);
    const Texts register_(QStringLiteral("FrmSpeakput"));
    for (int i = 0; i < m_content.speeches.size(); ++i) {
        const SpeechTable::Speech& s = m_content.speeches[i];
        const QStringList cells{QString::number(i + 1), s.openedAt.toString(QStringLiteral("HH:mm:ss")),
                                register_(QStringLiteral("ColUnit")) + QLatin1Char(' ') +
                                    QString::number(s.unit),
                                s.delegate, SpeakerRegister::duration(s.seconds)};
        m_blocks << Block{
            5, false, [cells](QPainter& painter, double top, const auto& mm, double dpiY) {
                const double at[] = {kLeft, kLeft + 10, kLeft + 30, kLeft + 55, kRight - 20};
                const double width[] = {9, 19, 24, 85, 20};
                painter.setFont(RegisterPainter::pageFont(kBodyPoints, dpiY));
                for (int c = 0; c < cells.size(); ++c) {
                    const QRectF cell(mm(at[c]), mm(top), mm(width[c]), mm(5));
                    painter.drawText(
                        cell, (c == 4 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                        painter.fontMetrics().elidedText(cells[c], Qt::ElideRight, int(cell.width())));
                }
            }};
    }

    addHeading(texts(QStringLiteral("Record")));
    addText(m_content.record.line, kBodyPoints, true);
    m_blocks.last().keepWithNext = true;
    addText(texts(QStringLiteral("LastHash")), kBodyPoints);
    m_blocks.last().keepWithNext = true;
    addText(m_content.record.lastHash.isEmpty() ? texts(QStringLiteral("NoEvents"))
                                                : m_content.record.lastHash,
            9, false, 0);
    layOut();
}

void Document::addText(const QString& text, double points, bool bold, double indent, double after)
{
    const QFont font = RegisterPainter::pageFont(points, kMeasureDpi, bold);
    const double width = (kRight - kLeft - indent) * kMeasureDpi / 25.4;
    const QRectF needed = QFontMetricsF(font).boundingRect(QRectF(0, 0, width, 1e6),
                                                           Qt::TextWordWrap | Qt::TextWrapAnywhere, text);
    const double height = qMax(points * 0.5, needed.height() * 25.4 / kMeasureDpi) + 1.2 + after;
    m_blocks << Block{
        height, false,
        [text, points, bold, indent, after, height](QPainter& painter, double top, const auto& mm,
                                                    double dpiY) {
            painter.setFont(RegisterPainter::pageFont(points, dpiY, bold));
            painter.drawText(
                QRectF(mm(kLeft + indent), mm(top), mm(kRight - kLeft - indent), mm(height - after)),
                Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextWrapAnywhere, text);
        }};
}

void Document::addHeading(const QString& text)
{
    m_blocks << Block{10, true, [text](QPainter& painter, double top, const auto& mm, double dpiY) {
                          painter.setFont(RegisterPainter::pageFont(13, dpiY, true));
                          painter.drawText(QRectF(mm(kLeft), mm(top + 3), mm(kRight - kLeft), mm(6)),
                                           Qt::AlignLeft | Qt::AlignVCenter, text);
                          QPen rule(QColor(0x88, 0x88, 0x88));
                          rule.setWidthF(mm(0.3));
                          painter.setPen(rule);
                          painter.drawLine(QPointF(mm(kLeft), mm(top + 9.5)),
                                           QPointF(mm(kRight), mm(top + 9.5)));
                          painter.setPen(Qt::black);
                      }};
}

void Document::layOut()
{
    m_pages = {{}};
    double y = kTop;
    for (int i = 0; i < m_blocks.size(); ++i) {
        // A heading or a vote's first lines go on with what follows them.
        double needed = m_blocks[i].height;
        for (int next = i; next + 1 < m_blocks.size() && m_blocks[next].keepWithNext; ++next)
            needed += m_blocks[next + 1].height;
        if (y + needed > kBottom && !m_pages.last().isEmpty()) {
            m_pages << QList<std::pair<int, double>>();
            y = kTop;
        }
        m_pages.last() << std::pair<int, double>{i, y};
        y += m_blocks[i].height;
    }
}

void Document::paintPage(QPainter& painter, int page, double dpiX, double dpiY) const
{
    const auto mm = [dpiX](double value) { return value * dpiX / 25.4; };
    painter.save();
    painter.setPen(Qt::black);
    if (page >= 1 && page <= m_pages.size())
        for (const auto& [block, top] : m_pages[page - 1])
            m_blocks[block].paint(painter, top, mm, dpiY);
    painter.setFont(RegisterPainter::pageFont(9, dpiY));
    painter.drawText(QRectF(mm(kLeft), mm(kPageLineTop), mm(kRight - kLeft), mm(6)), Qt::AlignCenter,
                     m_pageLine.arg(page).arg(pageCount()));
    painter.restore();
}

bool Document::paintAll(QPagedPaintDevice& device) const
{
    return paintPages(device, pageCount(), [this](QPainter& painter, int page, double dpiX, double dpiY) {
        paintPage(painter, page, dpiX, dpiY);
    });
}

Outcome write(const QString& meetingName, const QString& path, QString* detail)
{
    const auto say = [detail](const QString& text) {
        if (detail)
            *detail = text;
    };
    MeetingTable table;
    const std::optional<Meeting> meeting = meetingName.isEmpty() ? std::nullopt : table.find(meetingName);
    if (!meeting || !QFileInfo::exists(ProgramFolder::filePath(Schema::meetingDatabasePath(meetingName)))) {
        say(meeting ? QStringLiteral("the meeting \"%1\" has no database file").arg(meetingName)
                    : QStringLiteral("there is no meeting named \"%1\"").arg(meetingName));
        return Outcome::NoMeeting;
    }
    const Document document(gather(*meeting));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        say(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
        return Outcome::CannotWrite;
    }
    bool painted = false;
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        writer.setResolution(300);
        writer.setTitle(meeting->name);
        writer.setCreator(QStringLiteral("Conference console"));
        painted = document.paintAll(writer);
    }
    if (!painted) {
        file.cancelWriting();
        say(QStringLiteral("cannot write %1").arg(path));
        return Outcome::CannotWrite;
    }
    if (!file.commit()) {
        say(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
        return Outcome::CannotWrite;
    }
    return Outcome::Written;
}

} // namespace Minutes
