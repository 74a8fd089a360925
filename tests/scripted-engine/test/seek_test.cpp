// Position arithmetic: seek forms, clamping, keyframe landing, the clock.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine_client.h"

using client::Session;
using client::SessionSettings;

namespace {

// A paused two-minute clip that starts at 30 s, so positions do not drift.
Session &pausedClip(Session &session) {
    EXPECT_EQ(session.initialize(), 0);
    EXPECT_EQ(session.command({"loadfile", "C:\\clips\\film.mkv"}), 0);
    session.drainEvents();
    return session;
}

SessionSettings pausedAt30(const std::string &extra = "") {
    SessionSettings settings;
    settings.media = "exists=any\npaused=1\nduration=120\nstart=30\n" + extra;
    return settings;
}

}  // namespace

TEST(Seek, RelativeSeeksMoveFromThePositionAndStopAtTheStart) {
    Session session(pausedAt30());
    pausedClip(session);
    EXPECT_DOUBLE_EQ(session.number("time-pos"), 30);
    EXPECT_EQ(session.commandString("seek 10"), 0);
    EXPECT_DOUBLE_EQ(session.number("time-pos"), 40);
    EXPECT_EQ(session.commandString("seek -100 relative+keyframes"), 0);
    EXPECT_DOUBLE_EQ(session.number("time-pos"), 0);
    EXPECT_EQ(session.commandString("seek 25 relative-percent"), 0);
    EXPECT_DOUBLE_EQ(session.number("time-pos"), 30);
}

TEST(Seek, AbsoluteFormsCountFromTheStartTheEndOrAsPercent) {
    Session session(pausedAt30());
    pausedClip(session);
    session.commandString("seek 90 absolute");
    EXPECT_DOUBLE_EQ(session.number("time-pos"), 90);
    session.commandString("seek 50 absolute-percent");
    EXPECT_DOUBLE_EQ(session.number("time-pos"), 60);
    EXPECT_DOUBLE_EQ(session.number("percent-pos"), 50);
    session.commandString("seek -20 absolute");  // negative: from the end
    EXPECT_DOUBLE_EQ(session.number("time-pos"), 100);
    session.command({"seek", "1:05", "absolute+exact"});
    EXPECT_DOUBLE_EQ(session.number("time-pos"), 65);
}

TEST(Seek, EachSeekReportsSeekThenPlaybackRestart) {
    Session session(pausedAt30());
    pausedClip(session);
    session.commandString("seek 5");
    EXPECT_EQ(session.drainEvents(), (std::vector<int>{20, 21}));
}

TEST(Seek, PastTheEndHoldsTheLastFileAtItsEndWithKeepOpen) {
    Session session(pausedAt30());
    session.option("keep-open", "yes");
    pausedClip(session);
    session.commandString("set pause no");
    session.commandString("seek 500");
    EXPECT_DOUBLE_EQ(session.number("time-pos"), 120);
    EXPECT_TRUE(session.getFlag("eof-reached"));
    EXPECT_TRUE(session.getFlag("pause"));
    EXPECT_EQ(session.drainEvents(), (std::vector<int>{20, 21}));
    session.commandString("seek -10");
    EXPECT_DOUBLE_EQ(session.number("time-pos"), 110);
    EXPECT_FALSE(session.getFlag("eof-reached"));
}

TEST(Seek, WithoutKeepOpenTheEndEndsTheFile) {
    Session session(pausedAt30());
    pausedClip(session);
    session.commandString("seek 500");
    std::vector<int> events = session.drainEvents();
    EXPECT_EQ(events, (std::vector<int>{20, 7}));
    EXPECT_EQ(session.lastEndFile().reason, 0);
    EXPECT_TRUE(session.getFlag("idle-active"));
    EXPECT_EQ(session.getDoubleResult("time-pos"), -10);  // unavailable while idle
}

TEST(Seek, KeyframeSeeksLandOnTheGridInTheSeekDirection) {
    Session session(pausedAt30("keyframe-interval=4\n"));
    pausedClip(session);
    session.commandString("seek 3");  // relative seeks use keyframes by default
    EXPECT_DOUBLE_EQ(session.number("time-pos"), 36);
    session.commandString("seek -3");
    EXPECT_DOUBLE_EQ(session.number("time-pos"), 32);
    session.commandString("seek 3 relative+exact");
    EXPECT_DOUBLE_EQ(session.number("time-pos"), 35);
    session.commandString("seek 7 absolute");  // absolute seeks are exact by default
    EXPECT_DOUBLE_EQ(session.number("time-pos"), 7);
    session.commandString("seek 11 absolute+keyframes");
    EXPECT_DOUBLE_EQ(session.number("time-pos"), 12);
}

TEST(Seek, TheClockRunsAtSpeedWhilePlayingAndStopsWhenPaused) {
    SessionSettings settings;
    settings.media = "exists=any\nduration=60\n";
    Session session(settings);
    session.initialize();
    session.command({"loadfile", "C:\\clips\\film.mkv"});
    session.commandString("set speed 2");
    Sleep(400);
    double position = session.number("time-pos");
    EXPECT_GT(position, 0.6);
    EXPECT_LT(position, 1.4);
    session.commandString("set pause yes");
    double paused = session.number("time-pos");
    Sleep(200);
    EXPECT_DOUBLE_EQ(session.number("time-pos"), paused);
}

TEST(Seek, SeekWithoutAFileFails) {
    Session session;
    session.initialize();
    EXPECT_EQ(session.commandString("seek 10"), -12);
    EXPECT_EQ(session.commandString("seek"), -4);
}
