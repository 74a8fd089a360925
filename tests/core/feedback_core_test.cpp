#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <string>

#include "input/feedback_core.h"

namespace {

// A fake engine: a property that is not in the maps fails to read, as an unreadable one does.
std::map<std::string, double> numbers;
std::map<std::string, std::string> texts;  // flags are "1" / "0"

bool fakeDouble(const char* name, double& v) { return numbers.count(name) && (v = numbers[name], true); }
bool fakeFlag(const char* name, bool& v) { return texts.count(name) && (v = texts[name] == "1", true); }
bool fakeText(const char* name, char* buffer, size_t size) {  // cut like the engine binding
    return texts.count(name) && snprintf(buffer, size, "%s", texts[name].c_str()) >= 0;
}

// "LABEL VALUE", or "none" when the kind shows nothing.
std::string shown(uint32_t kind, const char* aspect = "") {
    std::string label, value;
    return buildFeedbackText(kind, {fakeDouble, fakeFlag, fakeText}, aspect, label, value) ? label + " " + value
                                                                                          : "none";
}

TEST(FeedbackSelection, FirstMatchingPrefixWinsAndOnlyWholeRows) {
    const std::pair<const char*, uint32_t> cases[] = {
        {"add volume -5", kFeedbackVolume}, {"cycle mute", kFeedbackVolumeMute},
        {"seek 5 relative+keyframes", kFeedbackSeek}, {"cycle-values speed 1 1.5 2", kFeedbackSpeed},
        {"set brightness 0 ; set contrast 0", kFeedbackBrightness}, {"set sid no", kFeedbackSubTrack},
        {"cycle sub-visibility", kFeedbackSubVisibility}, {"cycle sub", kFeedbackSubTrack},
        {"cycle audio", kFeedbackAudioTrack}, {"set aid 2", kFeedbackAudioTrack}, {"playlist-prev", kFeedbackPlaylist},
        {"cycle sub-bold", kFeedbackNone}, {"cycle sub ", kFeedbackNone}, {"cycle audio-device", kFeedbackNone},
        {"seek", kFeedbackNone}, {"Add volume 5", kFeedbackNone}, {"set pause yes ; seek 0", kFeedbackNone},
        {"set contrast 0", kFeedbackNone}, {"", kFeedbackNone}, {nullptr, kFeedbackNone}};
    for (const auto& c : cases) EXPECT_EQ(feedbackKindFor(c.first), c.second) << (c.first ? c.first : "null");
}

TEST(FeedbackSelection, AspectValueIsTheLastWordCutWhole) {
    char out[24];
    aspectValueOf("set video-aspect-override 2.35:1", out, sizeof out);
    EXPECT_STREQ(out, "2.35:1");
    aspectValueOf("nospace", out, sizeof out);
    EXPECT_STREQ(out, "");
    // A three-byte character that does not fit is left out whole: the text stays UTF-8.
    aspectValueOf("set x 0123456789012345678901\xE0\xB8\x81", out, sizeof out);
    EXPECT_STREQ(out, "0123456789012345678901");
}

TEST(FeedbackDeadline, SignedDifferenceAcrossTheWrap) {
    EXPECT_FALSE(feedbackExpired(1300, 1299) || feedbackExpired(0x00000100u, 0xFFFFFF00u));
    EXPECT_TRUE(feedbackExpired(1300, 1300) && feedbackExpired(0xFFFFFF00u, 0x00000100u));
}

TEST(FeedbackFormats, RoundingAndLimits) {
    EXPECT_EQ(volumeText(94.5) + volumeText(94.49), "95%94%");
    EXPECT_EQ(speedText(1.0 - 0.1) + speedText(0.125) + speedText(1.0), "0.9x0.13x1x");  // halves away from 0
    // Steps of 0.1 leave tiny remainders; below zero they must not read "-0.0s".
    EXPECT_EQ(delayText(-0.1) + delayText(0.1 + 0.2 - 0.3 - 1e-17) + delayText(-0.0), "-0.1s+0.0s+0.0s");
    EXPECT_EQ(resumeTimeText(3723.99) + " " + resumeTimeText(std::nan("")), "1:02:03 0:00:00");
    EXPECT_EQ(resumeTimeText(std::numeric_limits<double>::infinity()), "99999:59:59");  // fits its 24 bytes
    std::string out;
    for (auto [position, duration, text] : {std::tuple{7.99, 8.0, "99%"}, {-0.04, 8.0, "0%"}, {1e300, 1e-300, "100%"}}) {
        ASSERT_TRUE(seekPercentText(position, duration, out));
        EXPECT_EQ(out, text);
    }
    EXPECT_FALSE(seekPercentText(3.0, 0.0, out) || seekPercentText(3.0, std::nan(""), out));
}

TEST(FeedbackText, EachKindReadsItsProperties) {
    numbers = {{"volume", 95}, {"speed", 0.9}, {"brightness", -3}, {"hue", -0.2}, {"sub-delay", -0.25}};
    texts = {{"mute", "1"}, {"sub-visibility", "0"}, {"sid", "no"}, {"aid", std::string(40, '7')},
             {"playlist-pos-1", "3"}, {"playlist-count", "12"}};
    const std::pair<uint32_t, std::string> cases[] = {
        {kFeedbackVolumeMute, "VOL MUTE"}, {kFeedbackSpeed, "SPEED 0.9x"}, {kFeedbackBrightness, "BRIGHT -3"},
        {kFeedbackHue, "HUE 0"}, {kFeedbackSubDelay, "SUB SYNC -0.2s"}, {kFeedbackSubVisibility, "SUBTITLE OFF"},
        {kFeedbackSubTrack, "SUBTITLE OFF"}, {kFeedbackAudioTrack, "AUDIO TRACK " + std::string(31, '7')},
        {kFeedbackPlaylist, "PLAYLIST 3/12"}, {kFeedbackSeek, "none"}, {kFeedbackContrast, "none"},
        {kFeedbackMessage, "none"}, {99, "none"}};
    for (const auto& c : cases) EXPECT_EQ(shown(c.first), c.second) << c.first;
    EXPECT_EQ(shown(kFeedbackAspect, "-1") + "|" + shown(kFeedbackAspect, "2.35:1"), "ASPECT DEFAULT|ASPECT 2.35:1");
    EXPECT_EQ(shown(kFeedbackResume, "1:02:03"), "RESUME 1:02:03");
    texts["mute"] = "0";
    texts["sid"] = "2";
    EXPECT_EQ(shown(kFeedbackVolumeMute) + "|" + shown(kFeedbackSubTrack), "VOL 95%|SUBTITLE TRACK 2");
    numbers["speed"] = std::numeric_limits<double>::infinity();
    numbers.erase("volume");
    EXPECT_EQ(shown(kFeedbackSpeed) + shown(kFeedbackVolumeMute), "nonenone");
}

}  // namespace
