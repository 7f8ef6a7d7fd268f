#include "demodata/DemoMeeting.h"

#include "core/LanguageTable.h"
#include "core/ProgramFolder.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "prep/Candidates.h"
#include "prep/DelegateTable.h"
#include "prep/MeetingTable.h"
#include "prep/MotionTable.h"

#include <QDate>
#include <algorithm>
#include <cmath>

namespace {

const char* const kGivenNames[] = {"Ana",  "Bruno", "Chen",    "Dara", "Elif", "Farid", "Greta",
                                   "Hiro", "Ines",  "Jonas",   "Kemi", "Luis", "Mei",   "Nadia",
                                   "Omar", "Petra", "Quentin", "Rosa", "Sven", "Tala"};
const char* const kFamilyNames[] = {"Almeida", "Berg", "Costa",  "Dubois",   "Evans", "Fischer", "Gomes",
                                    "Haddad",  "Ito",  "Jensen", "Kowalski", "Li",    "Moreau",  "Novak"};
const char* const kUnitsOfWork[] = {"City Council", "Chamber of Commerce", "University",
                                    "Health Board", "Workers' Union",      "Transport Authority"};

bool addDelegates(int count)
{
    const Texts texts(QStringLiteral("FrmManinfo"));
    DelegateTable delegates;
    delegates.setMeeting(DemoMeeting::kName);
    for (int unit = 1; unit <= count; ++unit) {
        Delegate d;
        d.unit = QString::number(unit);
        d.name =
            QStringLiteral("%1 %2").arg(QLatin1String(kGivenNames[(unit - 1) % std::size(kGivenNames)]),
                                        QLatin1String(kFamilyNames[(unit * 5) % std::size(kFamilyNames)]));
        d.sex = texts(unit % 2 ? QStringLiteral("cbSex1") : QStringLiteral("cbSex2"));
        d.workUnit = QLatin1String(kUnitsOfWork[unit % std::size(kUnitsOfWork)]);
        d.seat = QStringLiteral("%1-%2").arg(QChar(u'A' + (unit - 1) / 10)).arg((unit - 1) % 10 + 1);
        d.delegation = QStringLiteral("Delegation %1").arg((unit - 1) / 10 + 1);
        if (!delegates.insert(d))
            return false;
    }
    return true;
}

struct DemoMotion
{
    const char* title;
    int kind;
    QStringList candidates;
};

bool addMotions(const QString& meetingKey, const QList<int>& systemPoints)
{
    const DemoMotion motions[] = {
        {"Adoption of the agenda", 0, {}},
        {"Election of the chair", 1, {"Ana Almeida", "Bruno Berg", "Chen Li"}},
        {"Election of the board",
         4,
         {"Dara Dubois", "Elif Evans", "Farid Haddad", "Greta Gomes", "Hiro Ito"}},
        {"Scoring of the annual report", 5, {}},
        {"Evaluation of the secretariat", 6, {}},
    };
    MotionTable table;
    table.setMeeting(DemoMeeting::kName);
    for (const DemoMotion& demo : motions) {
        MotionSettings settings;
        settings.kind = demo.kind;
        settings.rate = QStringLiteral("50");
        settings.timeLimit = demo.kind == 0;
        settings.seconds = 60;
        settings.showPercentages = true;
        settings.showPass = true;
        settings.dynamicDisplay = true;
        Motion motion;
        motion.title = QLatin1String(demo.title);
        MotionRules::fill(motion, settings, systemPoints);
        if (!table.create(motion, meetingKey))
            return false;
        // Candidates are stored the way the candidate dialog stores them.
        const int mode = MotionRules::candidateMode(demo.kind);
        if (mode && !table.setCandidates(motion.key, Candidates::forMode(mode, demo.candidates, {})))
            return false;
    }
    return true;
}

} // namespace

namespace DemoMeeting {

SeatLayout hallLayout(int units, int chairs)
{
    constexpr int kPitch = SeatLayout::kSeatSize + 10;
    constexpr int kPerBlock = 6;
    constexpr int kAisle = 56;
    constexpr int kFirstRowTop = 110;
    constexpr int kRowPitch = 84;
    const int middle = SeatLayout::kCanvasWidth / 2;
    SeatLayout layout = SeatLayout::grid(units);
    const int top = std::clamp(chairs, 0, 2 * kPerBlock);
    for (int seat = 1; seat <= std::min(top, layout.count()); ++seat)
        layout.moveSeat(seat, {middle - (top * kPitch - 10) / 2 + (seat - 1) * kPitch, 16});
    for (int seat = top + 1; seat <= layout.count(); ++seat) {
        const int index = seat - top - 1;
        const int column = index % (2 * kPerBlock); // 0..5 left of the aisle, 6..11 right
        const int fromAisle = column < kPerBlock ? kPerBlock - 1 - column : column - kPerBlock;
        const int left = column < kPerBlock ? middle - kAisle / 2 - (fromAisle + 1) * kPitch + 10
                                            : middle + kAisle / 2 + fromAisle * kPitch;
        // The outer seats sit a little lower, so each row bends towards the chair.
        const int bend = int(std::lround(1.2 * fromAisle * fromAisle));
        layout.moveSeat(seat, {left, kFirstRowTop + index / (2 * kPerBlock) * kRowPitch + bend});
    }
    return layout;
}

bool addSeatLayout()
{
    SettingsTable settings;
    settings.setPath(Schema::kSystemDatabase);
    if (!settings.load())
        return false;
    if (settings.typed().seatLayout)
        return true;
    const SystemSettings values = settings.typed();
    return hallLayout(values.unitCount, values.chairCount)
               .save(ProgramFolder::filePath(QStringLiteral("System/seat.ini"))) &&
           settings.update({{QStringLiteral("SeatYesORNo"), QStringLiteral("yes")},
                            {QStringLiteral("ico"), QStringLiteral("seat.png")}});
}

Result create()
{
    SettingsTable settings;
    settings.setPath(Schema::kSystemDatabase);
    settings.load();
    const SystemSettings values = settings.typed();
    const int units = qBound(1, values.unitCount, 249);
    const QList<int> points(values.keyPoints.begin(), values.keyPoints.end());

    MeetingTable meetings;
    if (meetings.exists(kName))
        return Result::AlreadyThere;
    Meeting meeting;
    meeting.name = kName;
    meeting.place = QStringLiteral("Main Hall");
    meeting.start = QDate::currentDate();
    meeting.end = meeting.start;
    meeting.due = units;
    meeting.legalRatio = 50;
    const MeetingTable::CreateResult created = meetings.create(meeting);
    if (created != MeetingTable::CreateResult::Created)
        return Result::Failed;
    return addDelegates(units) && addMotions(meeting.key, points) ? Result::Created : Result::Failed;
}

} // namespace DemoMeeting
