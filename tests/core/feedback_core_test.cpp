#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <string>

#include "input/feedback_core.h"

namespace {

// A fake engine: properties that exist answer, all others fail as an unreadable property does.
struct FakeEngine {
    std::map<std::string, double> numbers;
    std::map<std::string, bool> flags;
    std::map<std::string, std::string> texts;
};
FakeEngine fake;

bool fakeDouble(const char* name, double& v) {
    auto it = fake.numbers.find(name);
    if (it == fake.numbers.end()) return false;
    v = it->second;
    return true;
}
bool fakeFlag(const char* name, bool& v) {
    auto it = fake.flags.find(name);
    if (it == fake.flags.end()) return false;
    v = it->second;
    return true;
}
// Cuts like the engine binding does: at most size − 1 bytes.
bool fakeText(const char* name, char* buffer, size_t size) {
    auto it = fake.texts.find(name);
    if (it == fake.texts.end()) return false;
    size_t n = std::min(it->second.size(), size - 1);
    memcpy(buffer, it->second.data(), n);
    buffer[n] = '\0';
    return true;
}
const PropertyReaders readers = {fakeDouble, fakeFlag, fakeText};

class FeedbackText : public ::testing::Test {
protected:
    void SetUp() override { fake = FakeEngine(); }
    // "LABEL VALUE", or "none" when the kind shows nothing.
    std::string shown(uint32_t kind, const char* aspect = "") {
        std::string label, value;
        if (!buildFeedbackText(kind, readers, aspect, label, value)) return "none";
        return label + " " + value;
    }
};

TEST(FeedbackSelection, PrefixTableInOrder) {
    const struct {
        const char* command;
        uint32_t kind;
    } cases[] = {
        {"add volume -5", kFeedbackVolume},
        {"set volume 100", kFeedbackVolume},
        {"cycle mute", kFeedbackVolumeMute},
        {"seek 5 relative+keyframes", kFeedbackSeek},
        {"add speed -0.1", kFeedbackSpeed},
        {"set speed 1.0", kFeedbackSpeed},
        {"cycle-values speed 1 1.5 2", kFeedbackSpeed},
        {"add brightness 1", kFeedbackBrightness},
        {"set brightness 0 ; set contrast 0 ; set saturation 0 ; set hue 0", kFeedbackBrightness},
        {"add contrast -1", kFeedbackContrast},
        {"add saturation 1", kFeedbackSaturation},
        {"add hue 1", kFeedbackHue},
        {"add sub-delay 0.1", kFeedbackSubDelay},
        {"set sub-delay 0", kFeedbackSubDelay},
        {"add audio-delay -0.1", kFeedbackAudioDelay},
        {"set audio-delay 0", kFeedbackAudioDelay},
        {"set video-aspect-override 16:9", kFeedbackAspect},
        {"set aid 2", kFeedbackAudioTrack},
        {"set sid no", kFeedbackSubTrack},
        {"cycle sub-visibility", kFeedbackSubVisibility},
        {"cycle sub", kFeedbackSubTrack},
        {"cycle audio", kFeedbackAudioTrack},
        {"playlist-next", kFeedbackPlaylist},
        {"playlist-prev", kFeedbackPlaylist},
    };
    for (const auto& c : cases) EXPECT_EQ(feedbackKindFor(c.command), c.kind) << c.command;
}

TEST(FeedbackSelection, CommandsWithoutAToast) {
    for (const char* command : {"cycle sub-bold", "cycle sub ", "cycle audio-device", "cycle pause",
                                "set pause yes ; seek 0 absolute", "seek", "Add volume 5", "", "screenshot",
                                "set contrast 0", "frame-step", "cycle subx"})
        EXPECT_EQ(feedbackKindFor(command), kFeedbackNone) << command;
    EXPECT_EQ(feedbackKindFor(nullptr), kFeedbackNone);
}

TEST(FeedbackSelection, SeeksAndQueueMovesWaitForTheNextTick) {
    for (uint32_t kind = kFeedbackVolume; kind <= kFeedbackMessage; ++kind) {
        bool waits = kind == kFeedbackSeek || kind == kFeedbackPlaylist;
        EXPECT_NE(feedbackShownAtOnce(kind), waits) << kind;
    }
}

TEST(FeedbackSelection, AspectValueIsTheLastWordCutToFit) {
    char out[24];
    aspectValueOf("set video-aspect-override 2.35:1", out, sizeof out);
    EXPECT_STREQ(out, "2.35:1");
    aspectValueOf("set video-aspect-override -1", out, sizeof out);
    EXPECT_STREQ(out, "-1");
    aspectValueOf("set video-aspect-override", out, sizeof out);
    EXPECT_STREQ(out, "video-aspect-override");
    aspectValueOf("nospace", out, sizeof out);
    EXPECT_STREQ(out, "");
    aspectValueOf("set video-aspect-override ", out, sizeof out);
    EXPECT_STREQ(out, "");
    aspectValueOf("set x 0123456789012345678901234567", out, sizeof out);
    EXPECT_STREQ(out, "01234567890123456789012");
    // 22 ASCII bytes and a three-byte character: the character does not fit and is left out
    // whole, so the text stays valid UTF-8.
    aspectValueOf("set x 0123456789012345678901\xE0\xB8\x81", out, sizeof out);
    EXPECT_STREQ(out, "0123456789012345678901");
}

TEST(FeedbackDeadline, SignedDifferenceAcrossTheWrap) {
    EXPECT_FALSE(feedbackExpired(1300, 0));
    EXPECT_FALSE(feedbackExpired(1300, 1299));
    EXPECT_TRUE(feedbackExpired(1300, 1300));
    EXPECT_TRUE(feedbackExpired(1300, 5000));
    // A deadline set just before the tick count wraps is still ahead of a now before the wrap,
    // and already behind a now after it.
    EXPECT_FALSE(feedbackExpired(0x00000100u, 0xFFFFFF00u));
    EXPECT_TRUE(feedbackExpired(0xFFFFFF00u, 0x00000100u));
}

TEST(FeedbackFormats, VolumeRoundsToNearest) {
    EXPECT_EQ(volumeText(95.0), "95%");
    EXPECT_EQ(volumeText(94.5), "95%");
    EXPECT_EQ(volumeText(94.49), "94%");
    EXPECT_EQ(volumeText(0.0), "0%");
    EXPECT_EQ(volumeText(130.0), "130%");
}

TEST(FeedbackFormats, SeekPercentIsFlooredAndLimited) {
    std::string out;
    ASSERT_TRUE(seekPercentText(4.0, 8.0, out));
    EXPECT_EQ(out, "50%");
    ASSERT_TRUE(seekPercentText(7.99, 8.0, out));
    EXPECT_EQ(out, "99%");
    ASSERT_TRUE(seekPercentText(8.0, 8.0, out));
    EXPECT_EQ(out, "100%");
    ASSERT_TRUE(seekPercentText(-0.04, 8.0, out));
    EXPECT_EQ(out, "0%");
    // A position far past a tiny duration: limited before the conversion to int.
    ASSERT_TRUE(seekPercentText(1e300, 1e-300, out));
    EXPECT_EQ(out, "100%");
    EXPECT_FALSE(seekPercentText(3.0, 0.0, out));
    EXPECT_FALSE(seekPercentText(3.0, -1.0, out));
    EXPECT_FALSE(seekPercentText(3.0, std::nan(""), out));
    EXPECT_FALSE(seekPercentText(std::nan(""), 8.0, out));
}

TEST(FeedbackFormats, SpeedHasTwoDecimalsAtMost) {
    EXPECT_EQ(speedText(0.9), "0.9x");
    EXPECT_EQ(speedText(1.0 - 0.1), "0.9x");
    EXPECT_EQ(speedText(1.25), "1.25x");
    EXPECT_EQ(speedText(1.0), "1x");
    EXPECT_EQ(speedText(0.125), "0.13x");  // exact half, away from zero
    EXPECT_EQ(speedText(1.0 + 0.1 + 0.1 + 0.1), "1.3x");
    EXPECT_EQ(speedText(100.0), "100x");
    EXPECT_EQ(speedText(0.01), "0.01x");
}

TEST(FeedbackFormats, DelayIsSignedWithOneDecimal) {
    EXPECT_EQ(delayText(0.1), "+0.1s");
    EXPECT_EQ(delayText(-0.1), "-0.1s");
    EXPECT_EQ(delayText(0.0), "+0.0s");
    EXPECT_EQ(delayText(2.5), "+2.5s");
    // Steps of +0.1 and −0.1 that leave a tiny negative remainder still read zero.
    EXPECT_EQ(delayText(0.1 + 0.2 - 0.3 - 0.1 + 0.1 - 1e-17), "+0.0s");
    EXPECT_EQ(delayText(-1e-9), "+0.0s");
    EXPECT_EQ(delayText(-0.0), "+0.0s");
}

TEST(FeedbackFormats, ResumeTimeIsHoursMinutesSecondsTruncated) {
    EXPECT_EQ(resumeTimeText(3.9), "0:00:03");
    EXPECT_EQ(resumeTimeText(3723.99), "1:02:03");
    EXPECT_EQ(resumeTimeText(36000.0 * 10), "100:00:00");
    EXPECT_EQ(resumeTimeText(-5.0), "0:00:00");
    EXPECT_EQ(resumeTimeText(std::nan("")), "0:00:00");
    // Absurd positions stay within the field and never overflow the conversion.
    std::string huge = resumeTimeText(std::numeric_limits<double>::infinity());
    EXPECT_LT(huge.size(), kAspectTextSize);
    EXPECT_EQ(huge, "99999:59:59");
}

TEST_F(FeedbackText, VolumeAndMute) {
    fake.numbers["volume"] = 95.0;
    EXPECT_EQ(shown(kFeedbackVolume), "VOL 95%");
    fake.flags["mute"] = true;
    EXPECT_EQ(shown(kFeedbackVolumeMute), "VOL MUTE");
    fake.flags["mute"] = false;
    EXPECT_EQ(shown(kFeedbackVolumeMute), "VOL 95%");
    fake.numbers.erase("volume");
    EXPECT_EQ(shown(kFeedbackVolumeMute), "none");
    fake.flags.erase("mute");
    fake.numbers["volume"] = 50;
    EXPECT_EQ(shown(kFeedbackVolumeMute), "none");
}

TEST_F(FeedbackText, SeekNeedsPositionAndDuration) {
    fake.numbers["time-pos"] = 2.0;
    EXPECT_EQ(shown(kFeedbackSeek), "none");
    fake.numbers["duration"] = 8.0;
    EXPECT_EQ(shown(kFeedbackSeek), "SEEK 25%");
    fake.numbers["duration"] = 0.0;  // a stream without a known length
    EXPECT_EQ(shown(kFeedbackSeek), "none");
}

TEST_F(FeedbackText, PictureControlsAndDelays) {
    fake.numbers = {{"speed", 0.9},       {"brightness", -3},  {"contrast", 12}, {"saturation", 0},
                    {"hue", -100},        {"sub-delay", -0.25}, {"audio-delay", 0.1}};
    EXPECT_EQ(shown(kFeedbackSpeed), "SPEED 0.9x");
    EXPECT_EQ(shown(kFeedbackBrightness), "BRIGHT -3");
    EXPECT_EQ(shown(kFeedbackContrast), "CONTRAST 12");
    EXPECT_EQ(shown(kFeedbackSaturation), "SATUR 0");
    EXPECT_EQ(shown(kFeedbackHue), "HUE -100");
    EXPECT_EQ(shown(kFeedbackSubDelay), "SUB SYNC -0.2s");
    EXPECT_EQ(shown(kFeedbackAudioDelay), "AUDIO SYNC +0.1s");
    fake.numbers["saturation"] = -0.2;
    EXPECT_EQ(shown(kFeedbackSaturation), "SATUR 0");
    fake.numbers["speed"] = std::numeric_limits<double>::infinity();
    EXPECT_EQ(shown(kFeedbackSpeed), "none");
}

TEST_F(FeedbackText, AspectAndResumeComeFromTheStoredText) {
    EXPECT_EQ(shown(kFeedbackAspect, "-1"), "ASPECT DEFAULT");
    EXPECT_EQ(shown(kFeedbackAspect, "2.35:1"), "ASPECT 2.35:1");
    EXPECT_EQ(shown(kFeedbackAspect, "-1.0"), "ASPECT -1.0");
    EXPECT_EQ(shown(kFeedbackResume, "1:02:03"), "RESUME 1:02:03");
}

TEST_F(FeedbackText, TracksAndQueue) {
    fake.flags["sub-visibility"] = false;
    EXPECT_EQ(shown(kFeedbackSubVisibility), "SUBTITLE OFF");
    fake.flags["sub-visibility"] = true;
    EXPECT_EQ(shown(kFeedbackSubVisibility), "SUBTITLE ON");
    fake.texts["sid"] = "no";
    EXPECT_EQ(shown(kFeedbackSubTrack), "SUBTITLE OFF");
    fake.texts["sid"] = "2";
    EXPECT_EQ(shown(kFeedbackSubTrack), "SUBTITLE TRACK 2");
    EXPECT_EQ(shown(kFeedbackAudioTrack), "none");
    fake.texts["aid"] = "1";
    EXPECT_EQ(shown(kFeedbackAudioTrack), "AUDIO TRACK 1");
    // Read into 32 bytes: a longer text is cut to 31.
    fake.texts["aid"] = std::string(40, '7');
    EXPECT_EQ(shown(kFeedbackAudioTrack), "AUDIO TRACK " + std::string(31, '7'));
    fake.texts["playlist-pos-1"] = "3";
    EXPECT_EQ(shown(kFeedbackPlaylist), "none");
    fake.texts["playlist-count"] = "12";
    EXPECT_EQ(shown(kFeedbackPlaylist), "PLAYLIST 3/12");
}

TEST_F(FeedbackText, KindsWithoutEngineText) {
    EXPECT_EQ(shown(kFeedbackNone), "none");
    EXPECT_EQ(shown(kFeedbackMessage), "none");
    EXPECT_EQ(shown(99), "none");
    // No engine at all: every engine-backed kind shows nothing.
    PropertyReaders none = {nullptr, nullptr, nullptr};
    std::string label, value;
    for (uint32_t kind = kFeedbackVolume; kind <= kFeedbackPlaylist; ++kind) {
        if (kind == kFeedbackAspect) continue;
        EXPECT_FALSE(buildFeedbackText(kind, none, "", label, value)) << kind;
    }
}

}  // namespace
