// The journal lines other tests read, and the failure switches.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine_client.h"

using client::Session;
using client::SessionSettings;

namespace {

bool contains(const std::vector<std::string> &lines, const std::string &line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

}  // namespace

TEST(Journal, RecordsEveryCallInItsDocumentedForm) {
    Session session;
    session.option("volume-max", "200");
    session.initialize();
    session.command({"loadfile", session.scratch().file("gone.mkv"), "append-play"});
    session.commandString("set slang \"tha,th\" ; seek 5");
    double value;
    session.getDouble("time-pos", value);
    session.getString("playlist-count");
    session.commandAsync(0, {"quit"});
    session.drainEvents();

    std::vector<std::string> expected = {
        "create",
        "option volume-max=200",
        "initialize",
        "command loadfile\t" + session.scratch().file("gone.mkv") + "\tappend-play",
        "command_string set slang \"tha,th\" ; seek 5",
        "get time-pos 5",
        "get_string playlist-count",
        "command_async quit",
        "event 6",
        "event 7 reason=4 error=-13",
        "event 5",
        "event 1",
    };
    EXPECT_EQ(session.journal(), expected);
}

TEST(Journal, UnknownCommandsAreRecordedAndFailToParse) {
    Session session;
    session.initialize();
    EXPECT_EQ(session.command({"frobnicate", "1"}), -4);
    EXPECT_EQ(session.commandString("frobnicate 2"), -4);
    auto lines = session.journal();
    EXPECT_TRUE(contains(lines, "command frobnicate\t1"));
    EXPECT_TRUE(contains(lines, "command_string frobnicate 2"));
}

TEST(Journal, RefusedOptionsAreRecordedAndReturnTheirCode) {
    SessionSettings settings;
    settings.refuse = "osc,hwdec=-7";
    Session session(settings);
    EXPECT_EQ(session.option("osc", "no"), -5);
    EXPECT_EQ(session.option("hwdec", "auto-safe"), -7);
    EXPECT_EQ(session.option("no-such-option", "1"), -5);
    EXPECT_EQ(session.option("volume-max", "lots"), -7);
    EXPECT_EQ(session.option("keep-open", "yes"), 0);
    auto lines = session.journal();
    EXPECT_TRUE(contains(lines, "option osc=no"));
    EXPECT_TRUE(contains(lines, "option hwdec=auto-safe"));
    EXPECT_TRUE(contains(lines, "option no-such-option=1"));
}

TEST(Journal, CreateCanBeMadeToFail) {
    SessionSettings settings;
    settings.fail = "create";
    Session session(settings);
    EXPECT_EQ(session.handle(), nullptr);
    EXPECT_EQ(session.journal(), std::vector<std::string>{"create"});
}

TEST(Journal, InitializeCanBeMadeToFail) {
    SessionSettings settings;
    settings.fail = "initialize";
    Session session(settings);
    ASSERT_NE(session.handle(), nullptr);
    EXPECT_LT(session.initialize(), 0);
    EXPECT_EQ(session.command({"loadfile", "x.mkv"}), -3);  // still uninitialised
}
