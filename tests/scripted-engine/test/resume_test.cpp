// Resume files: named by the upper-case MD5 of the path, in the engine's format,
// used once on the next load, deleted on request, written by quit-watch-later.
#include <gtest/gtest.h>

#include "engine_client.h"

using client::Session;
using client::SessionSettings;

namespace {

SessionSettings pausedAt(double start) {
    SessionSettings settings;
    settings.media = "exists=any\npaused=1\nduration=600\nstart=" + std::to_string(start) + "\n";
    return settings;
}

void configureResume(Session &session) {
    session.option("watch-later-directory", session.scratch().file("resume"));
    session.option("write-filename-in-watch-later-config", "yes");
    session.option("watch-later-options", "start");
    session.initialize();
}

}  // namespace

// Digests computed independently: printf '%s' 'C:\media\film.mkv' | md5sum
TEST(Resume, FileIsNamedByTheUpperCaseMd5OfThePath) {
    Session session(pausedAt(12.5));
    configureResume(session);
    session.command({"loadfile", "C:\\media\\film.mkv"});
    EXPECT_EQ(session.commandString("write-watch-later-config"), 0);
    std::string file = session.scratch().file("resume\\9342487483D1978FD9E541D7CAC890D9");
    EXPECT_EQ(client::readFile(file), "# C:\\media\\film.mkv\nstart=12.500000\n");
}

TEST(Resume, DigestCoversTheUtf8BytesOfTheWholePath) {
    Session session(pausedAt(7));
    configureResume(session);
    session.command({"loadfile", u8"C:\\media\\ภาพยนตร์.mkv"});
    session.commandString("write-watch-later-config");
    EXPECT_TRUE(
        client::fileExists(session.scratch().file("resume\\3261CA67D5C7EEA233AF695814C59D56")));
}

TEST(Resume, NextLoadStartsThereAndUsesTheFileUp) {
    Session session(pausedAt(0));
    configureResume(session);
    session.command({"loadfile", "C:\\media\\film.mkv"});
    session.commandString("seek 321.25 absolute");
    session.commandString("write-watch-later-config");
    std::string file = session.scratch().file("resume\\9342487483D1978FD9E541D7CAC890D9");
    ASSERT_TRUE(client::fileExists(file));

    session.command({"loadfile", "C:\\media\\other.mkv"});
    session.command({"loadfile", "C:\\media\\film.mkv"});
    EXPECT_DOUBLE_EQ(session.number("time-pos"), 321.25);
    EXPECT_FALSE(client::fileExists(file));

    session.commandString("set resume-playback no");
    session.commandString("write-watch-later-config");
    session.command({"loadfile", "C:\\media\\film.mkv"});
    EXPECT_DOUBLE_EQ(session.number("time-pos"), 0);
}

TEST(Resume, DeleteRemovesTheFileAndQuitWatchLaterWritesIt) {
    Session session(pausedAt(42));
    configureResume(session);
    session.command({"loadfile", "C:\\media\\film.mkv"});
    std::string file = session.scratch().file("resume\\9342487483D1978FD9E541D7CAC890D9");
    session.commandString("write-watch-later-config");
    ASSERT_TRUE(client::fileExists(file));
    EXPECT_EQ(session.commandString("delete-watch-later-config"), 0);
    EXPECT_FALSE(client::fileExists(file));

    EXPECT_EQ(session.commandAsync(0, {"quit-watch-later"}), 0);
    EXPECT_EQ(client::readFile(file), "# C:\\media\\film.mkv\nstart=42.000000\n");
}

TEST(Resume, PlainQuitSavesOnlyWithSavePositionOnQuit) {
    Session session(pausedAt(42));
    configureResume(session);
    session.command({"loadfile", "C:\\media\\film.mkv"});
    session.commandString("quit");
    EXPECT_FALSE(
        client::fileExists(session.scratch().file("resume\\9342487483D1978FD9E541D7CAC890D9")));

    Session saving(pausedAt(42));
    saving.option("save-position-on-quit", "yes");
    configureResume(saving);
    saving.command({"loadfile", "C:\\media\\film.mkv"});
    saving.commandString("quit");
    EXPECT_TRUE(
        client::fileExists(saving.scratch().file("resume\\9342487483D1978FD9E541D7CAC890D9")));
}

TEST(Resume, ReplacingTheFileSavesItsPositionWithSavePositionOnQuit) {
    Session session(pausedAt(42));
    session.option("save-position-on-quit", "yes");
    configureResume(session);
    session.command({"loadfile", "C:\\media\\film.mkv"});
    session.command({"loadfile", "C:\\media\\other.mkv"});
    EXPECT_EQ(client::readFile(session.scratch().file("resume\\9342487483D1978FD9E541D7CAC890D9")),
              "# C:\\media\\film.mkv\nstart=42.000000\n");
}
