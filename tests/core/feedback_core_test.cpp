#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <string>

#include "input/feedback_core.h"

namespace {

// A fake engine: properties that exist answer, all others fail as an unreadable one does.
std::map<std::string, double> numbers;
std::map<std::string, std::string> texts;  // flags are texts "1" / "0"

bool fakeDouble(const char* name, double& v) {
    auto it = numbers.find(name);
    return it != numbers.end() && (v = it->second, true);
}
bool fakeFlag(const char* name, bool& v) {
    auto it = texts.find(name);
    return it != texts.end() && (v = it->second == "1", true);
}
bool fakeText(const char* name, char* buffer, size_t size) {  // cut like the engine binding
    auto it = texts.find(name);
    if (it == texts.end()) return false;
    snprintf(buffer, size, "%s", it->second.c_str());
    return true;
}

// "LABEL VALUE", or "none" when the kind shows nothing.
std::string shown(uint32_t kind, const char* aspect = "") {
    std::string label, value;
    PropertyReaders readers = {fakeDouble, fakeFlag, fakeText};
    return buildFeedbackText(kind, readers, aspect, label, value) ? label + " " + value : "none";
}

TEST(FeedbackSelection, FirstMatchingPrefixWins) {
    EXPECT_EQ(feedbackKindFor("add volume -5"), kFeedbackVolume);
    EXPECT_EQ(feedbackKindFor("cycle mute"), kFeedbackVolumeMute);
    EXPECT_EQ(feedbackKindFor("seek 5 relative+keyframes"), kFeedbackSeek);
    EXPECT_EQ(feedbackKindFor("cycle-values speed 1 1.5 2"), kFeedbackSpeed);
    EXPECT_EQ(feedbackKindFor("set brightness 0 ; set contrast 0 ; set saturation 0 ; set hue 0"),
              kFeedbackBrightness);
    EXPECT_EQ(feedbackKindFor("set audio-delay 0"), kFeedbackAudioDelay);
    EXPECT_EQ(feedbackKindFor("set aid 2"), kFeedbackAudioTrack);
    EXPECT_EQ(feedbackKindFor("set sid no"), kFeedbackSubTrack);
    EXPECT_EQ(feedbackKindFor("cycle sub-visibility"), kFeedbackSubVisibility);
    EXPECT_EQ(feedbackKindFor("cycle sub"), kFeedbackSubTrack);
    EXPECT_EQ(feedbackKindFor("cycle audio"), kFeedbackAudioTrack);
    EXPECT_EQ(feedbackKindFor("playlist-prev"), kFeedbackPlaylist);
    // Exact rows, the space after "seek", case and composite commands starting otherwise.
    for (const char* none : {"cycle sub-bold", "cycle sub ", "cycle audio-device", "seek", "Add volume 5",
                             "set pause yes ; seek 0 absolute", "set contrast 0", "", static_cast<const char*>(nullptr)})
        EXPECT_EQ(feedbackKindFor(none), kFeedbackNone) << (none ? none : "null");
    EXPECT_FALSE(feedbackShownAtOnce(kFeedbackSeek));
    EXPECT_FALSE(feedbackShownAtOnce(kFeedbackPlaylist));
    EXPECT_TRUE(feedbackShownAtOnce(kFeedbackAspect));
}

TEST(FeedbackSelection, AspectValueIsTheLastWordCutWhole) {
    char out[24];
    aspectValueOf("set video-aspect-override 2.35:1", out, sizeof out);
    EXPECT_STREQ(out, "2.35:1");
    aspectValueOf("nospace", out, sizeof out);
    EXPECT_STREQ(out, "");
    aspectValueOf("set x 0123456789012345678901234567", out, sizeof out);
    EXPECT_STREQ(out, "01234567890123456789012");
    // A three-byte character that does not fit is left out whole: the text stays UTF-8.
    aspectValueOf("set x 0123456789012345678901\xE0\xB8\x81", out, sizeof out);
    EXPECT_STREQ(out, "0123456789012345678901");
}

TEST(FeedbackDeadline, SignedDifferenceAcrossTheWrap) {
    EXPECT_FALSE(feedbackExpired(1300, 1299));
    EXPECT_TRUE(feedbackExpired(1300, 1300));
    EXPECT_FALSE(feedbackExpired(0x00000100u, 0xFFFFFF00u));
    EXPECT_TRUE(feedbackExpired(0xFFFFFF00u, 0x00000100u));
}

TEST(FeedbackFormats, RoundingAndLimits) {
    EXPECT_EQ(volumeText(94.5), "95%");
    EXPECT_EQ(volumeText(94.49), "94%");
    EXPECT_EQ(speedText(1.0 - 0.1), "0.9x");
    EXPECT_EQ(speedText(1.25), "1.25x");
    EXPECT_EQ(speedText(0.125), "0.13x");  // an exact half, away from zero
    EXPECT_EQ(speedText(1.0), "1x");
    EXPECT_EQ(delayText(-0.1), "-0.1s");
    // Steps of ±0.1 leave tiny remainders; below zero they must not read "-0.0s".
    EXPECT_EQ(delayText(0.1 + 0.2 - 0.3 - 1e-17), "+0.0s");
    EXPECT_EQ(delayText(-0.0), "+0.0s");
    EXPECT_EQ(resumeTimeText(3723.99), "1:02:03");
    EXPECT_EQ(resumeTimeText(std::nan("")), "0:00:00");
    EXPECT_EQ(resumeTimeText(std::numeric_limits<double>::infinity()), "99999:59:59");  // fits its 24 bytes
    std::string out;
    ASSERT_TRUE(seekPercentText(7.99, 8.0, out));
    EXPECT_EQ(out, "99%");
    ASSERT_TRUE(seekPercentText(-0.04, 8.0, out));
    EXPECT_EQ(out, "0%");
    ASSERT_TRUE(seekPercentText(1e300, 1e-300, out));  // limited before the int conversion
    EXPECT_EQ(out, "100%");
    EXPECT_FALSE(seekPercentText(3.0, 0.0, out));
    EXPECT_FALSE(seekPercentText(3.0, std::nan(""), out));
}

TEST(FeedbackText, EachKindReadsItsProperties) {
    numbers = {{"volume", 95}, {"speed", 0.9}, {"brightness", -3}, {"hue", -0.2}, {"sub-delay", -0.25},
               {"time-pos", 2}};
    texts = {{"mute", "1"}, {"sub-visibility", "0"}, {"sid", "no"}, {"aid", std::string(40, '7')},
             {"playlist-pos-1", "3"}, {"playlist-count", "12"}};
    EXPECT_EQ(shown(kFeedbackVolume), "VOL 95%");
    EXPECT_EQ(shown(kFeedbackVolumeMute), "VOL MUTE");
    EXPECT_EQ(shown(kFeedbackSpeed), "SPEED 0.9x");
    EXPECT_EQ(shown(kFeedbackBrightness), "BRIGHT -3");
    EXPECT_EQ(shown(kFeedbackHue), "HUE 0");  // not "-0"
    EXPECT_EQ(shown(kFeedbackSubDelay), "SUB SYNC -0.2s");
    EXPECT_EQ(shown(kFeedbackAspect, "-1"), "ASPECT DEFAULT");
    EXPECT_EQ(shown(kFeedbackAspect, "2.35:1"), "ASPECT 2.35:1");
    EXPECT_EQ(shown(kFeedbackSubVisibility), "SUBTITLE OFF");
    EXPECT_EQ(shown(kFeedbackSubTrack), "SUBTITLE OFF");
    EXPECT_EQ(shown(kFeedbackAudioTrack), "AUDIO TRACK " + std::string(31, '7'));  // read into 32 bytes
    EXPECT_EQ(shown(kFeedbackPlaylist), "PLAYLIST 3/12");
    EXPECT_EQ(shown(kFeedbackResume, "1:02:03"), "RESUME 1:02:03");
    texts["mute"] = "0";
    EXPECT_EQ(shown(kFeedbackVolumeMute), "VOL 95%");
    texts["sid"] = "2";
    EXPECT_EQ(shown(kFeedbackSubTrack), "SUBTITLE TRACK 2");
    // Missing or unusable properties show nothing.
    EXPECT_EQ(shown(kFeedbackSeek), "none");  // no duration
    EXPECT_EQ(shown(kFeedbackContrast), "none");
    numbers["speed"] = std::numeric_limits<double>::infinity();
    EXPECT_EQ(shown(kFeedbackSpeed), "none");
    numbers.erase("volume");
    EXPECT_EQ(shown(kFeedbackVolumeMute), "none");
    EXPECT_EQ(shown(kFeedbackMessage), "none");
    EXPECT_EQ(shown(99), "none");
}

}  // namespace
