// The event wait: its time-out, waking for a command from another thread, and
// events that playback raises by itself while the program waits.
#include <gtest/gtest.h>

#include <thread>

#include "engine_client.h"

using client::Session;
using client::SessionSettings;

namespace {

SessionSettings clip(const std::string &extra) {
    SessionSettings settings;
    settings.media = "exists=any\n" + extra;
    return settings;
}

}  // namespace

TEST(Events, AnIdleWaitLastsItsTimeOut) {
    Session session;
    session.initialize();
    DWORD start = GetTickCount();
    client::Event *event = client::api().waitEvent(session.handle(), 0.3);
    DWORD took = GetTickCount() - start;
    EXPECT_EQ(event->event_id, 0);
    EXPECT_GE(took, 250u);
    EXPECT_LT(took, 1000u);
}

TEST(Events, ACommandFromAnotherThreadWakesTheWait) {
    Session session(clip("paused=1\n"));
    session.initialize();
    std::thread other([&] {
        Sleep(150);
        session.command({"loadfile", "C:\\clips\\film.mkv"});
    });
    DWORD start = GetTickCount();
    client::Event *event = client::api().waitEvent(session.handle(), 5.0);
    DWORD took = GetTickCount() - start;
    other.join();
    EXPECT_EQ(event->event_id, 6);
    EXPECT_LT(took, 2000u);
}

TEST(Events, TheEndOfTheFileArrivesWhileWaiting) {
    Session session(clip("duration=0.4\n"));
    session.initialize();
    session.command({"loadfile", "C:\\clips\\film.mkv"});
    session.drainEvents(0);
    DWORD start = GetTickCount();
    client::Event *event = client::api().waitEvent(session.handle(), 5.0);
    DWORD took = GetTickCount() - start;
    ASSERT_EQ(event->event_id, 7);
    EXPECT_EQ(((client::EndFile *)event->data)->reason, 0);
    EXPECT_GE(took, 250u);
    EXPECT_LT(took, 1500u);
}

TEST(Events, AnAbLoopJumpsBackToAWhenPlaybackReachesB) {
    Session session(clip("duration=60\nstart=5\n"));
    session.initialize();
    session.command({"loadfile", "C:\\clips\\film.mkv"});
    session.commandString("set ab-loop-a 5 ; set ab-loop-b 5.3");
    session.drainEvents(0);
    std::vector<int> seen;
    ASSERT_TRUE(session.waitFor(21, 3.0, &seen));
    EXPECT_EQ(seen, (std::vector<int>{20, 21}));
    double position = session.number("time-pos");
    EXPECT_GE(position, 5);
    EXPECT_LT(position, 5.3);
}
