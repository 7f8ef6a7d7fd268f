#pragma once
// A meeting to hold, a link to the simulated hall and a real hall screen, for
// the tests of the meeting hub and its sign-in page. Time is virtual.

#include "MeetingTestData.h"
#include "link/Link.h"
#include "link/LinkTiming.h"
#include "meeting/FrmConmee.h"
#include "meeting/FrmManChe.h"
#include "meeting/SignInSession.h"
#include "screen/FrmScr.h"
#include "support/SimulatedHall.h"
#include "support/SystemDatabaseTest.h"
#include "support/WidgetFinder.h"

#include <memory>

class MeetingHubFixture : public SystemDatabaseTest
{
protected:
    void TearDown() override
    {
        hub.reset();
        meetings.reset();
        screen.reset();
        link.reset();
        ConsoleTest::TearDown();
    }

    void addMeeting(const QString& name, int delegates, int due)
    {
        meeting = MeetingTestData::addMeeting(name, delegates, due);
    }

    // The link comes up on a hall of `units` units and goes idle.
    void connectHall(int units)
    {
        hall = std::make_unique<SimulatedHall>(bank, units, 1);
        link = std::make_unique<Link>(bank.factory());
        link->start(1, 1, units, 1);
        ASSERT_TRUE(clock.advanceUntil([&] { return bank.sentWords().endsWith(Commands::kControlEnd); },
                                       units * 100 + 20000));
        clock.advance(100);
        bank.clearSent();
    }

    void openHub()
    {
        screen = std::make_unique<FrmScr>();
        screen->loadSettings();
        if (!meetings)
            meetings = std::make_unique<MeetingSessions>(*link, clock);
        hub = std::make_unique<FrmConmee>(*link, services, *screen, *meetings, QStringLiteral("1"));
        hub->openMeeting(meeting);
        hub->show();
    }
    // A meeting of 40 delegates, all due, on a hall of 40 units, with the hub open.
    void openCouncil()
    {
        addMeeting(QStringLiteral("Council"), 40, 40);
        connectHall(40);
        openHub();
    }
    FrmManChe& page() { return *hub->signInPage(); }
    SignInSession& session() { return *hub->signIn(); }
    void click(const char* name) { clickButton(hub.get(), name); }
    template <typename T> T* child(const char* name) { return findWidget<T>(hub.get(), name); }

    // Until the procedure is in this state, within `limitMs` of virtual time.
    bool reach(SignInSession::State state, int limitMs = 30000)
    {
        return clock.advanceUntil([&] { return session().state() == state; }, limitMs);
    }
    // Start from the page's button, then the scripted units press their key.
    void collect(const QString& action)
    {
        click(FrmManChe::kStartButton);
        ASSERT_TRUE(reach(SignInSession::State::Collecting, 5000));
        ASSERT_TRUE(hall->act(action));
        clock.advance(3000);
    }
    // End from the page's button and wait until ControlEnd has left.
    void endSignIn()
    {
        click(FrmManChe::kEndButton);
        ASSERT_TRUE(reach(SignInSession::State::Idle));
        clock.advance(LinkTiming::kFastPaceMs);
    }

    QStringList column(const QString& sql, const char* name) const
    {
        return MeetingTestData::column(sql, name, Schema::meetingDatabasePath(meeting.name));
    }

    Meeting meeting;
    MemoryPortBank bank;
    std::unique_ptr<SimulatedHall> hall;
    std::unique_ptr<Link> link;
    std::unique_ptr<FrmScr> screen;
    std::unique_ptr<MeetingSessions> meetings; // outlives each hub, as in the program
    std::unique_ptr<FrmConmee> hub;
};
