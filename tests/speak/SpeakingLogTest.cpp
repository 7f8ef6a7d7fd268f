// The speaking time in virtual time and the speakers' log it writes: the
// warning 30 s before the limit, time-up at the limit with the close sent
// only with the switch on and never to a chairman, one row per speech with
// who opened and closed it, and the record that catches an edited row.

#include "speak/SpeakingLog.h"
#include "SpeakingFixture.h"
#include "data/EventLog.h"
#include "speak/SpeakingTime.h"
#include "support/EventChain.h"

namespace {

using SpeechTable::ClosedBy;
using SpeechTable::OpenedBy;
using UnitAction = MicrophoneControl::UnitAction;

class SpeakingLogTest : public SpeakingFixture
{
protected:
    void SetUp() override
    {
        SpeakingFixture::SetUp();
        MeetingTestData::addMeeting(QStringLiteral("Council"), kUnits, kUnits);
        log = std::make_unique<SpeakingLog>(*link, clock);
        log->setMeeting(QStringLiteral("Council"));
        start = clock.now();
        QObject::connect(log.get(), &SpeakingLog::warning,
                         [this](int unit) { events << event("warn", unit); });
        QObject::connect(log.get(), &SpeakingLog::timeUp, [this](int unit) { events << event("up", unit); });
        QObject::connect(log.get(), &SpeakingLog::closeUnanswered,
                         [this](int unit) { events << event("unanswered", unit); });
    }
    void TearDown() override
    {
        log.reset();
        SpeakingFixture::TearDown();
    }
    QString event(const char* what, int unit) const
    {
        return QStringLiteral("%1 %2 at %3")
            .arg(QLatin1String(what))
            .arg(unit)
            .arg((clock.now() - start) / 1000);
    }
    static QList<SpeechTable::Speech> rows()
    {
        return SpeechTable::all(Schema::meetingDatabasePath(QStringLiteral("Council")))
            .value_or(QList<SpeechTable::Speech>());
    }
    // "unit delegate seconds openedBy closedBy" of each row.
    static QStringList rowTexts()
    {
        QStringList out;
        for (const SpeechTable::Speech& s : rows())
            out << QStringLiteral("%1 %2 %3s %4 %5")
                       .arg(s.unit)
                       .arg(s.delegate)
                       .arg(s.seconds)
                       .arg(SpeechTable::storedWord(s.openedBy), SpeechTable::storedWord(s.closedBy));
        return out;
    }

    std::unique_ptr<SpeakingLog> log;
    QStringList events;
    qint64 start = 0; // seconds in events count from here
};

TEST_F(SpeakingLogTest, WarnsThirtySecondsBeforeTheLimitAndClosesOnlyDelegatesAndOnlyWithTheSwitchOn)
{
    log->setLimit(120);
    log->setCloseAtTimeUp(true);
    ASSERT_TRUE(hall->act(QStringLiteral("mic 5 on"))); // a delegate at his unit
    log->control().act(UnitAction::Open, 1);            // a chairman by the console
    bank.clearSent();
    clock.advance(89'999);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(log->phase(5), SpeakingLog::Phase::Running);
    clock.advance(1);
    EXPECT_EQ(log->phase(5), SpeakingLog::Phase::Warning);
    clock.advance(29'999);
    EXPECT_EQ(*log->remainingMs(5), 1);
    EXPECT_EQ(events, (QStringList{"warn 5 at 90", "warn 1 at 90"}));
    events.clear();
    clock.advance(1);
    EXPECT_EQ(clock.now() - start, 120'000);
    EXPECT_EQ(events, (QStringList{"up 5 at 120", "up 1 at 120"}));
    // SpeakerOff goes to unit 5 through the mailbox; the chairman keeps speaking.
    const QList<quint32> sent = sentAfterSteps();
    EXPECT_TRUE(sent.contains(0xFB0005));
    EXPECT_FALSE(sent.contains(0xFB0001));
    EXPECT_EQ(log->openUnits(), QList<int>{1});
    EXPECT_EQ(log->phase(1), SpeakingLog::Phase::Over);
    EXPECT_EQ(rowTexts(), QStringList{"5 Delegate 5 120s unit time-up"});

    // With the switch off time-up is only told.
    log->setCloseAtTimeUp(false);
    log->control().act(UnitAction::Open, 6);
    bank.clearSent();
    events.clear();
    clock.advance(121'000);
    EXPECT_TRUE(events.contains("up 6 at 240"));
    EXPECT_FALSE(sentAfterSteps().contains(0xFB0006));
    EXPECT_TRUE(log->isOpen(6));
    EXPECT_TRUE(events.filter("unanswered").isEmpty());
}

TEST_F(SpeakingLogTest, EachSpeechIsOneRowWithWhoOpenedAndClosedIt)
{
    log->control().act(UnitAction::Open, 3); // the console opens
    clock.advance(1000);
    ASSERT_TRUE(hall->act(QStringLiteral("mic 3 on"))); // its event opens nothing twice
    clock.advance(9000);
    log->control().act(UnitAction::Close, 3);
    clock.advance(500);
    ASSERT_TRUE(hall->act(QStringLiteral("mic 4 on")));
    clock.advance(4000);
    ASSERT_TRUE(hall->act(QStringLiteral("mic 4 off")));
    ASSERT_TRUE(hall->act(QStringLiteral("mic 8 off"))); // never seen open: ignored
    ASSERT_TRUE(hall->act(QStringLiteral("mic 1 on")));
    ASSERT_TRUE(hall->act(QStringLiteral("mic 7 on")));
    clock.advance(2000);
    log->control().closeAll(); // the chairman's microphone stays open
    sentAfterSteps();          // AllMicsOff reaches the hall before unit 9 opens
    ASSERT_TRUE(hall->act(QStringLiteral("mic 9 on")));
    clock.advance(3000);
    log->endMeeting();
    EXPECT_EQ(rowTexts(), (QStringList{"3 Delegate 3 10s console console", "4 Delegate 4 4s unit unit",
                                       "7 Delegate 7 2s unit close-all", "1 Delegate 1 5s unit end",
                                       "9 Delegate 9 3s unit end"}));
    EXPECT_TRUE(log->openUnits().isEmpty());
    const QList<SpeechTable::Speech> speeches = rows();
    EXPECT_EQ(speeches.first().openedAt.secsTo(speeches.first().closedAt), 10);
}

TEST_F(SpeakingLogTest, TimeUpWithNoControllerAnsweringClosesTheRowAndSaysSoOnce)
{
    log->setLimit(60);
    log->setCloseAtTimeUp(true);
    log->control().act(UnitAction::Open, 4);
    hall->setSilent(true);
    clock.advance(60'000);
    EXPECT_EQ(rowTexts(), QStringList{"4 Delegate 4 60s console time-up"});
    clock.advance(SpeakingLog::kCloseAnswerMs + 10'000);
    EXPECT_EQ(events.filter("unanswered"), QStringList{"unanswered 4 at 63"});
    EXPECT_EQ(rowTexts().size(), 1);
}

TEST_F(SpeakingLogTest, RowsGoInWithTheirEventsAndAnEditedOrDeletedRowNoLongerFits)
{
    const QString path = Schema::meetingDatabasePath(QStringLiteral("Council"));
    for (int unit : {2, 5, 6}) {
        log->control().act(UnitAction::Open, unit);
        clock.advance(7000);
        log->control().act(UnitAction::Close, unit);
    }
    EXPECT_EQ(eventChain(path).status, EventLog::Chain::Status::Whole);
    EXPECT_EQ(eventChain(path).events.size(), 3);
    EXPECT_EQ(SpeechTable::check(path).outcome, SpeechTable::Check::Outcome::Intact);

    ASSERT_TRUE(
        DbAccess::executeOnce(path, QStringLiteral("update SpeechLog set seconds = 2 where CellNo = 5")));
    const SpeechTable::Check edited = SpeechTable::check(path);
    EXPECT_EQ(edited.outcome, SpeechTable::Check::Outcome::Altered);
    EXPECT_EQ(edited.row, 2);
    // The chain itself is whole: only the cross-check sees the edit.
    EXPECT_EQ(eventChain(path).status, EventLog::Chain::Status::Whole);
    ASSERT_TRUE(DbAccess::executeOnce(path, QStringLiteral("delete from SpeechLog where CellNo = 5")));
    const SpeechTable::Check deleted = SpeechTable::check(path);
    EXPECT_EQ(deleted.outcome, SpeechTable::Check::Outcome::Missing);
    EXPECT_EQ(deleted.row, 2);
}

TEST(SpeakingTimeTest, TypedTimesAreMinutesOrMinutesAndSecondsAndNothingElse)
{
    EXPECT_EQ(SpeakingTime::parse("3"), 180);
    EXPECT_EQ(SpeakingTime::parse(" 2:30 "), 150);
    EXPECT_EQ(SpeakingTime::parse("0:05"), 5);
    for (const char* refused : {"0", "0:00", "-1", "-2:00", "abc", "2:60", "1.5", "", "2:5"})
        EXPECT_FALSE(SpeakingTime::parse(QString::fromLatin1(refused))) << refused;
    EXPECT_TRUE(SpeakingTime::mayBecome("2:"));
    EXPECT_FALSE(SpeakingTime::mayBecome("-"));
    EXPECT_FALSE(SpeakingTime::mayBecome("x"));
    EXPECT_EQ(SpeakingTime::clock(161), "2:41");
    EXPECT_EQ(SpeakingTime::clock(-3), "0:00");
}

} // namespace
