// The queue: append, remove, navigation, load failures, natural end, and the
// folder playlist made by autocreate-playlist.
#include <gtest/gtest.h>

#include "engine_client.h"

using client::Session;
using client::SessionSettings;

namespace {

SessionSettings anyPathExists(const std::string &extra = "") {
    SessionSettings settings;
    settings.media = "exists=any\n" + extra;
    return settings;
}

}  // namespace

TEST(Playlist, AppendRemoveAndStepThroughTheQueue) {
    Session session(anyPathExists());
    session.initialize();
    session.command({"loadfile", "C:\\q\\a.mkv"});
    session.command({"loadfile", "C:\\q\\b.mkv", "append"});
    session.command({"loadfile", "C:\\q\\c.mkv", "append"});
    EXPECT_EQ(session.getString("playlist-count"), "3");
    EXPECT_EQ(session.getString("playlist-pos"), "0");
    EXPECT_EQ(session.getString("playlist/1/filename"), "C:\\q\\b.mkv");

    EXPECT_EQ(session.commandString("playlist-remove 1"), 0);
    EXPECT_EQ(session.getString("playlist-count"), "2");
    EXPECT_EQ(session.getString("playlist/1/filename"), "C:\\q\\c.mkv");

    session.drainEvents();
    EXPECT_EQ(session.commandString("playlist-next"), 0);
    EXPECT_EQ(session.getString("playlist-pos-1"), "2");
    EXPECT_EQ(session.getString("filename"), "c.mkv");
    std::vector<int> events = session.drainEvents();
    EXPECT_EQ(events, (std::vector<int>{7, 6, 8, 21}));
    EXPECT_EQ(session.lastEndFile().reason, 2);  // the user moved on: "stop"

    EXPECT_EQ(session.commandString("playlist-next"), -12);  // already the last
    EXPECT_EQ(session.commandString("playlist-prev"), 0);
    EXPECT_EQ(session.getString("filename"), "a.mkv");
    EXPECT_EQ(session.commandString("playlist-play-index 5"), -12);
    EXPECT_EQ(session.commandString("playlist-clear"), 0);
    EXPECT_EQ(session.getString("playlist-count"), "1");
    EXPECT_EQ(session.getString("playlist/0/filename"), "C:\\q\\a.mkv");
}

TEST(Playlist, RemovingThePlayingEntryPlaysTheNextOne) {
    Session session(anyPathExists());
    session.initialize();
    session.command({"loadfile", "C:\\q\\a.mkv"});
    session.command({"loadfile", "C:\\q\\b.mkv", "append"});
    session.commandString("playlist-remove 0");
    EXPECT_EQ(session.getString("playlist-count"), "1");
    EXPECT_EQ(session.getString("filename"), "b.mkv");
}

TEST(Playlist, AMissingLocalFileFailsToLoadButAUrlAlwaysLoads) {
    Session session;
    session.initialize();
    session.command({"loadfile", session.scratch().file("missing.mkv")});
    std::vector<int> events = session.drainEvents();
    EXPECT_EQ(events, (std::vector<int>{6, 7}));
    EXPECT_EQ(session.lastEndFile().reason, 4);
    EXPECT_EQ(session.lastEndFile().error, -13);
    EXPECT_TRUE(session.getFlag("idle-active"));

    session.command({"loadfile", "https://example.org/stream.m3u8"});
    EXPECT_EQ(session.drainEvents(), (std::vector<int>{6, 8, 21}));
    EXPECT_EQ(session.getString("filename"), "stream.m3u8");
}

TEST(Playlist, TheNaturalEndMovesToTheNextEntry) {
    Session session(anyPathExists("duration=0.3\n"));
    session.initialize();
    session.command({"loadfile", "C:\\q\\a.mkv"});
    session.command({"loadfile", "C:\\q\\b.mkv", "append"});
    session.drainEvents();
    std::vector<int> seen;
    ASSERT_TRUE(session.waitFor(8, 3.0, &seen));
    EXPECT_EQ(seen, (std::vector<int>{7, 6, 8}));
    EXPECT_EQ(session.lastEndFile().reason, 0);
    EXPECT_EQ(session.getString("playlist-pos"), "1");
}

TEST(Playlist, AutocreateQueuesTheFoldersMediaFilteredAndNaturallySorted) {
    Session session;
    const auto &folder = session.scratch();
    for (const char *name :
         {"clip10.mkv", "clip2.mp4", "song.mp3", "notes.txt", "cover.jpg", "inner\\deeper.mkv"})
        folder.write(name, "x");
    session.option("autocreate-playlist", "filter");
    session.option("directory-filter-types", "video,audio");
    session.initialize();
    session.command({"loadfile", folder.file("clip10.mkv")});
    std::vector<int> events = session.drainEvents();
    EXPECT_EQ(events, (std::vector<int>{6, 7, 6, 8, 21}));
    EXPECT_EQ(session.getString("playlist-count"), "3");
    EXPECT_EQ(session.getString("playlist/0/filename"), folder.file("clip2.mp4"));
    EXPECT_EQ(session.getString("playlist/1/filename"), folder.file("clip10.mkv"));
    EXPECT_EQ(session.getString("playlist/2/filename"), folder.file("song.mp3"));
    EXPECT_EQ(session.getString("playlist-pos"), "1");
    EXPECT_EQ(session.getString("filename"), "clip10.mkv");
}

TEST(Playlist, AutocreateAppliesOnlyWhileSwitchedOn) {
    Session session;
    const auto &folder = session.scratch();
    folder.write("a.mkv", "x");
    folder.write("b.mkv", "x");
    session.initialize();
    session.command({"loadfile", folder.file("a.mkv")});
    EXPECT_EQ(session.getString("playlist-count"), "1");
    session.commandString("set autocreate-playlist filter");
    session.command({"loadfile", folder.file("b.mkv")});
    EXPECT_EQ(session.getString("playlist-count"), "2");
}
