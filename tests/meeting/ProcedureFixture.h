#pragma once
// A sign-in or vote procedure on a link to a simulated hall of 40 units, in
// virtual time, recording when it entered each state and what it reported.

#include "MeetingTestData.h"
#include "link/FrameCodec.h"
#include "link/Link.h"
#include "link/LinkTiming.h"
#include "meeting/MeetingState.h"
#include "support/ConsoleTest.h"
#include "support/SimulatedHall.h"

#include <memory>

template <typename Session> class ProcedureFixture : public ConsoleTest
{
protected:
    using State = typename Session::State;
    static constexpr int kUnits = 40;
    static constexpr int kPace = LinkTiming::kFastPaceMs;

    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        meeting = MeetingTestData::addMeeting(QStringLiteral("Council"), kUnits, kUnits);
        hall = std::make_unique<SimulatedHall>(bank, kUnits, 1);
        link = std::make_unique<Link>(bank.factory());
    }
    void TearDown() override
    {
        session.reset();
        link.reset();
        ConsoleTest::TearDown();
    }
    virtual std::unique_ptr<Session> makeSession() = 0;

    // Start-up until the link is idle, then the session.
    void connectHall()
    {
        link->start(1, 1, kUnits, 1);
        ASSERT_TRUE(
            clock.advanceUntil([&] { return bank.sentWords().endsWith(Commands::kControlEnd); }, 20000));
        bank.clearSent();
        session = makeSession();
        session->setMeeting(meeting);
        session->setWallClock([this] { return wallStart.addMSecs(clock.now()); });
        QObject::connect(session.get(), &Session::stateChanged, [this](State s) {
            states.append({s, clock.now()});
        });
        QObject::connect(session.get(), &Session::message, [this](const QString& t) { messages << t; });
        QObject::connect(session.get(), &Session::finished, [this](bool stored) { finished << stored; });
    }
    bool reach(State state, int limitMs = 30000)
    {
        return clock.advanceUntil([&] { return session->state() == state; }, limitMs);
    }
    void endAndWait()
    {
        ASSERT_TRUE(session->end());
        ASSERT_TRUE(reach(State::Idle));
        clock.advance(kPace); // ControlEnd leaves at the next step
    }
    qint64 timeOf(State s) const
    {
        for (const auto& [state, time] : states)
            if (state == s)
                return time;
        return -1;
    }
    // The whole walk on the wire: ControlBegin, the start word, the poll cycles;
    // after the end word one closing cycle over every unit, `written` one step
    // after its last poll, then ControlEnd.
    void expectWireWalk(quint32 start, int startDelay, int cycleDelay, quint32 end, State written,
                        int controlEndDelay)
    {
        const QList<MemoryPortBank::Sent>& sent = bank.sent();
        const QList<quint32> words = bank.sentWords();
        ASSERT_GE(words.size(), 4);
        EXPECT_EQ(words.mid(0, 3), (QList<quint32>{Commands::kControlBegin, start, Commands::pollWord(1)}));
        EXPECT_NEAR(sent[1].time - sent[0].time, startDelay, kPace);
        EXPECT_NEAR(sent[2].time - sent[1].time, cycleDelay, kPace);
        const qsizetype endAt = words.indexOf(end);
        ASSERT_GT(endAt, 2);
        QList<quint32> expected;
        for (int n = 1; n <= kUnits; ++n)
            expected << Commands::pollWord(n);
        expected << Commands::kControlEnd;
        EXPECT_EQ(words.mid(endAt + 1), expected);
        EXPECT_NEAR(sent[endAt + 1].time - sent[endAt].time, LinkTiming::kClosingCycleDelayMs, kPace);
        EXPECT_EQ(timeOf(written), sent[endAt + kUnits].time + kPace);
        EXPECT_NEAR(sent.last().time - timeOf(written), controlEndDelay, kPace);
    }
    // The controller is lost after `press`: the closing cycle never runs and the limit ends it.
    void expectClosingCutOff(const QString& press, State written)
    {
        ASSERT_TRUE(hall->act(press));
        clock.advance(3000);
        hall->setSilent(true);
        link->stop();
        const qint64 endedAt = clock.now();
        ASSERT_TRUE(session->end());
        ASSERT_TRUE(reach(State::Idle, 60000));
        EXPECT_EQ(timeOf(written), endedAt + session->closingLimitMs());
        EXPECT_EQ(messages, QStringList{"Controller lost"});
        EXPECT_EQ(finished, QList<bool>{true});
    }
    // The controller's port breaks while the link is idle (unplugged): the line is lost at once and
    // its device refuses to open until the controller comes back.
    void loseLineWhileIdle()
    {
        const QString path = bank.openPipe()->path();
        bank.refuse(path);
        bank.openPipe(path)->breakDown(QStringLiteral("Input/output error"));
        clock.advance(kPace);
        ASSERT_EQ(link->lineState(), Link::LineState::Lost);
        m_lostPath = path;
    }
    // The device opens again: the link resumes with its start-up frames and goes idle.
    void bringLineBack()
    {
        bank.accept(m_lostPath);
        ASSERT_TRUE(clock.advanceUntil(
            [&] {
                return link->lineState() == Link::LineState::Up &&
                       bank.sentWords().endsWith(Commands::kControlEnd);
            },
            LinkTiming::kReopenEveryMs + 5000));
        bank.clearSent();
    }
    QStringList column(const QString& sql, const char* name)
    {
        return MeetingTestData::column(sql, name, Schema::meetingDatabasePath(meeting.name));
    }

    QDateTime wallStart{QDate(2026, 3, 1), QTime(10, 0)};
    Meeting meeting;
    MemoryPortBank bank;
    std::unique_ptr<SimulatedHall> hall;
    std::unique_ptr<Link> link;
    QString m_lostPath;
    MeetingState meetingState;
    std::unique_ptr<Session> session;
    QList<QPair<State, qint64>> states;
    QStringList messages;
    QList<bool> finished;
};
