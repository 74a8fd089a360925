// Property expansion, the volume cap, command chains and parse failures, track
// selection and cycling, screenshots, and the asynchronous quit.
#include <gtest/gtest.h>

#include <cstdint>

#include "engine_client.h"

using client::Session;
using client::SessionSettings;

namespace {

SessionSettings pausedClip(const std::string &extra = "") {
    SessionSettings settings;
    settings.media = "exists=any\npaused=1\nduration=300\n" + extra;
    return settings;
}

void startClip(Session &session) {
    session.initialize();
    session.command({"loadfile", "C:\\clips\\film.mkv"});
    session.drainEvents();
}

uint32_t bigEndian(const std::string &bytes, size_t at) {
    return ((uint32_t)(uint8_t)bytes[at] << 24) | ((uint32_t)(uint8_t)bytes[at + 1] << 16) |
           ((uint32_t)(uint8_t)bytes[at + 2] << 8) | (uint32_t)(uint8_t)bytes[at + 3];
}

// Bitwise CRC-32 (the PNG polynomial), written independently of the engine's table.
uint32_t referenceCrc(const std::string &bytes) {
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char c : bytes) {
        crc ^= c;
        for (int k = 0; k < 8; k++) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

}  // namespace

TEST(Commands, TimePosExpandsToWholeSecondsAndTheRawFormKeepsTheFraction) {
    Session session(pausedClip("start=12.75\n"));
    startClip(session);
    EXPECT_EQ(session.commandString("set ab-loop-a ${time-pos}"), 0);
    EXPECT_EQ(session.getString("ab-loop-a"), "12.000000");
    EXPECT_EQ(session.commandString("set ab-loop-b ${=time-pos}"), 0);
    EXPECT_DOUBLE_EQ(session.number("ab-loop-b"), 12.75);
    EXPECT_EQ(session.commandString("set ab-loop-a no ; set ab-loop-b no"), 0);
    EXPECT_EQ(session.getString("ab-loop-a"), "no");
    EXPECT_EQ(session.getDoubleResult("ab-loop-b"), -9);  // "no" is not a number
    EXPECT_EQ(session.commandString("set sub-delay ${?pause:2}${!pause:3}"), 0);
    EXPECT_DOUBLE_EQ(session.number("sub-delay"), 2);
}

TEST(Commands, AbLoopCommandSetsACyclesToBAndClears) {
    Session session(pausedClip("start=10\n"));
    startClip(session);
    session.commandString("ab-loop");
    session.commandString("seek 5");
    session.commandString("ab-loop");
    EXPECT_DOUBLE_EQ(session.number("ab-loop-a"), 10);
    EXPECT_DOUBLE_EQ(session.number("ab-loop-b"), 15);
    session.commandString("ab-loop");
    EXPECT_EQ(session.getString("ab-loop-a"), "no");
    EXPECT_EQ(session.getString("ab-loop-b"), "no");
}

TEST(Commands, VolumeStopsAtVolumeMax) {
    Session session(pausedClip());
    startClip(session);
    EXPECT_EQ(session.commandString("add volume 50"), 0);
    EXPECT_DOUBLE_EQ(session.number("volume"), 130);  // the default maximum
    EXPECT_EQ(session.commandString("set volume 150"), -12);
    EXPECT_DOUBLE_EQ(session.number("volume"), 130);
    session.commandString("set volume-max 200");
    session.commandString("add volume 50");
    session.commandString("add volume 50");
    EXPECT_DOUBLE_EQ(session.number("volume"), 200);
    session.commandString("set volume-max 150");
    EXPECT_DOUBLE_EQ(session.number("volume"), 150);
}

TEST(Commands, StartVolumeFromTheMediaIsCappedByTheOption) {
    Session session(pausedClip("volume=150\n"));
    session.option("volume-max", "200");
    startClip(session);
    EXPECT_DOUBLE_EQ(session.number("volume"), 150);
}

TEST(Commands, AChainRunsEveryPartAndAnUnknownNameFailsTheWholeLine) {
    Session session(pausedClip("start=50\n"));
    startClip(session);
    session.commandString("set pause no");
    EXPECT_EQ(session.commandString("set pause yes ; seek 0 absolute"), 0);
    EXPECT_TRUE(session.getFlag("pause"));
    EXPECT_DOUBLE_EQ(session.number("time-pos"), 0);
    EXPECT_EQ(session.commandString("set speed 2 ; frobnicate 1"), -4);
    EXPECT_DOUBLE_EQ(session.number("speed"), 1);
    EXPECT_EQ(session.commandString("set no-such-property 1"), -12);
    EXPECT_EQ(session.commandString("set slang \"eng,en,tha,th\""), 0);
    EXPECT_EQ(session.getString("slang"), "eng,en,tha,th");
}

TEST(Commands, CyclesAndStepsFollowTheEnginesRules) {
    Session session(pausedClip());
    startClip(session);
    session.commandString("cycle mute");
    EXPECT_TRUE(session.getFlag("mute"));
    session.commandString("add speed -0.1");
    EXPECT_NEAR(session.number("speed"), 0.9, 1e-9);
    session.commandString("cycle-values speed 0.5 1 2");  // 0.9 is not listed: first value
    EXPECT_DOUBLE_EQ(session.number("speed"), 0.5);
    session.commandString("cycle-values speed 0.5 1 2");
    EXPECT_DOUBLE_EQ(session.number("speed"), 1);
    session.commandString("cycle-values video-rotate 90 180 270 0");
    EXPECT_EQ(session.getString("video-rotate"), "90");
    session.commandString("set video-aspect-override 16:9");
    EXPECT_NEAR(session.number("video-aspect-override"), 16.0 / 9, 1e-6);
}

TEST(Commands, SubtitlesFollowSlangAndCycleThroughOff) {
    Session session(
        pausedClip("track=sub,1,tha,Thai\ntrack=sub,2,eng,English\n"
                   "track=audio,1,jpn,\nsub-text=Hello\n"));
    session.option("slang", "eng,en");
    startClip(session);
    EXPECT_EQ(session.getString("track-list/count"), "4");  // the default video track too
    EXPECT_EQ(session.getString("track-list/0/type"), "video");
    EXPECT_EQ(session.getString("track-list/1/lang"), "tha");
    EXPECT_EQ(session.getString("track-list/2/title"), "English");
    EXPECT_EQ(session.getString("track-list/3/title"), "(null)");
    EXPECT_EQ(session.getString("sid"), "2");
    EXPECT_EQ(session.getString("track-list/2/selected"), "yes");
    EXPECT_EQ(session.getString("sub-text"), "Hello");
    session.commandString("cycle sub");
    EXPECT_EQ(session.getString("sid"), "no");
    EXPECT_EQ(session.getString("sub-text"), "(null)");
    session.commandString("cycle sub");
    EXPECT_EQ(session.getString("sid"), "1");
    EXPECT_EQ(session.getString("aid"), "1");
}

TEST(Commands, ScreenshotIsAValidPngOfTheDisplaySize) {
    Session session(pausedClip("width=320\nheight=240\n"));
    startClip(session);
    std::string path = session.scratch().file("frame.png");
    EXPECT_EQ(session.command({"screenshot-to-file", path, "video"}), 0);
    std::string png = client::readFile(path);
    ASSERT_GT(png.size(), 8u + 25u + 12u);
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(bigEndian(png, 8), 13u);
    EXPECT_EQ(png.substr(12, 4), "IHDR");
    EXPECT_EQ(bigEndian(png, 16), 320u);
    EXPECT_EQ(bigEndian(png, 20), 240u);
    EXPECT_EQ(bigEndian(png, 29), referenceCrc(png.substr(12, 17)));
    EXPECT_EQ(png.substr(png.size() - 8, 4), "IEND");

    EXPECT_EQ(session.command(
                  {"screenshot-to-file", session.scratch().file("no\\such\\dir.png"), "video"}),
              -12);
}

TEST(Commands, AsyncQuitRepliesThenEndsTheFileAndKeepsReportingShutdown) {
    Session session(pausedClip());
    startClip(session);
    EXPECT_EQ(session.commandAsync(77, {"quit"}), 0);
    client::Event *event = client::api().waitEvent(session.handle(), 0);
    EXPECT_EQ(event->event_id, 5);
    EXPECT_EQ(event->reply_userdata, 77u);
    EXPECT_EQ(event->error, 0);
    event = client::api().waitEvent(session.handle(), 0);
    EXPECT_EQ(event->event_id, 7);
    EXPECT_EQ(((client::EndFile *)event->data)->reason, 3);
    EXPECT_EQ(client::api().waitEvent(session.handle(), 0)->event_id, 1);
    EXPECT_EQ(client::api().waitEvent(session.handle(), 0)->event_id, 1);
}
