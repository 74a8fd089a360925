#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "input/capture_core.h"
#include "input/command_grammar_core.h"
#include "input/feedback_core.h"
#include "input/keymap_core.h"
#include "input/panscan_core.h"
#include "osd/hud_core.h"
#include "osd/toast_core.h"

namespace {

// Which keys do what is checked with real keys end to end; here only that no key is bound twice.
TEST(KeyMap, RowsAreUnique) {
    std::set<std::pair<uint32_t, uint32_t>> seen;
    for (const KeyBinding& row : keyBindings)
        EXPECT_TRUE(seen.insert({row.virtualKey, row.modifiers}).second) << row.virtualKey << "+" << row.modifiers;
}

TEST(CommandGrammar, PrefixVerbsNeedTheirSpaceOthersMatchWhole) {
    const std::pair<const char*, AppVerb> cases[] = {
        {"fill", AppVerb::Fill},       {"fill ", AppVerb::Unknown},          {"Fill", AppVerb::Unknown},
        {"size", AppVerb::Unknown},    {"size 0.5", AppVerb::Size},          {"shotdir", AppVerb::ShotDir},
        {"shotdirpick", AppVerb::ShotDirPick}, {"psreset", AppVerb::PanScanReset}, {nullptr, AppVerb::Unknown}};
    for (const auto& c : cases) EXPECT_EQ(parseAppCommand(c.first).verb, c.second) << (c.first ? c.first : "null");
    EXPECT_EQ(parseAppCommand("size 0.5").argument, "0.5");
    // A step uses only the sign of its argument.
    EXPECT_EQ(seekStepCommand(stepDirection("-7"), 5), "seek -5 relative+keyframes");
    EXPECT_EQ(stepDirection("x") * 100 + stepDirection("0") * 10 + stepDirection("-99999999999999999999"), 109);
}

TEST(VolumeStep, StopsAtOneHundredForHeldKeysAndPassesOnAFreshPress) {
    VolumeStop stop;
    // direction, volume, tick, held -> command; step 5
    const struct { int direction; double volume; uint32_t tick; bool held; const char* command; } steps[] = {
        {1, 90, 1000, false, "add volume 5"},  {1, 95, 1200, false, "set volume 100"},
        {1, 100, 1800, true, "set volume 100"},  // the keyboard delay is longer than 450 ms
        {1, 100, 2250, false, "set volume 100"},  // a quick fresh step (the wheel) stays too
        {1, 100, 2734, false, "add volume 5"},    // after a pause a fresh press goes past
        {1, 105, 2800, true, "add volume 5"},     {1, 97, 3000, false, "set volume 100"},
        {-1, 100, 3100, false, "add volume -5"},  // down clears the stop
        {1, 95, 3200, false, "set volume 100"},
    };
    for (const auto& s : steps)
        EXPECT_EQ(volumeStepCommand(stop, s.direction, s.volume, 5, s.tick, s.held), s.command) << s.tick;
    VolumeStop fresh, wrap{0xFFFFFF00u, true};  // 100 reached some other way: Up goes on at once
    EXPECT_EQ(volumeStepCommand(fresh, 1, 100, 5, 100, true), "add volume 5");
    EXPECT_EQ(volumeStepCommand(wrap, 1, 100, 5, 0x40u, false), "set volume 100");  // differences are unsigned
}

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

TEST(FeedbackSelection, FirstMatchingPrefixWinsOnlyWholeRowsAndTheAspectIsCutWhole) {
    const std::pair<const char*, uint32_t> cases[] = {
        {"set brightness 0 ; set contrast 0", kFeedbackBrightness}, {"cycle sub-visibility", kFeedbackSubVisibility},
        {"cycle sub", kFeedbackSubTrack}, {"cycle sub-bold", kFeedbackNone}, {"cycle sub ", kFeedbackNone},
        {"Add volume 5", kFeedbackNone}, {"set pause yes ; seek 0", kFeedbackNone}, {nullptr, kFeedbackNone}};
    for (const auto& c : cases) EXPECT_EQ(feedbackKindFor(c.first), c.second) << (c.first ? c.first : "null");
    char out[24];
    aspectValueOf("nospace", out, sizeof out);
    EXPECT_STREQ(out, "");
    // A three-byte character that does not fit is left out whole: the text stays UTF-8.
    aspectValueOf("set x 0123456789012345678901\xE0\xB8\x81", out, sizeof out);
    EXPECT_STREQ(out, "0123456789012345678901");
}

TEST(FeedbackFormats, RoundingLimitsAndTheDeadlineAcrossTheWrap) {
    EXPECT_FALSE(feedbackExpired(1300, 1299) || feedbackExpired(0x00000100u, 0xFFFFFF00u));
    EXPECT_TRUE(feedbackExpired(1300, 1300) && feedbackExpired(0xFFFFFF00u, 0x00000100u));
    EXPECT_EQ(volumeText(94.5) + volumeText(94.49), "95%94%");
    EXPECT_EQ(speedText(1.0 - 0.1) + speedText(0.125) + speedText(1.0), "0.9x0.13x1x");  // halves away from 0
    // Steps of 0.1 leave tiny remainders; below zero they must not read "-0.0s".
    EXPECT_EQ(delayText(-0.1) + delayText(0.1 + 0.2 - 0.3 - 1e-17) + delayText(-0.0), "-0.1s+0.0s+0.0s");
    EXPECT_EQ(resumeTimeText(3723.99) + "|" + resumeTimeText(std::nan("")) + "|" + resumeTimeText(HUGE_VAL),
              "1:02:03|0:00:00|99999:59:59");  // cut, not rounded; the largest fits its 24 bytes
    std::string out;
    for (auto [position, duration, text] : {std::tuple{7.99, 8.0, "99%"}, {-0.04, 8.0, "0%"}, {1e300, 1e-300, "100%"}}) {
        ASSERT_TRUE(seekPercentText(position, duration, out));
        EXPECT_EQ(out, text);
    }
    EXPECT_FALSE(seekPercentText(3.0, 0.0, out) || seekPercentText(3.0, std::nan(""), out));
}

TEST(FeedbackText, RoundedValuesCutTextsAndUnreadableProperties) {
    numbers = {{"hue", -0.2}, {"speed", HUGE_VAL}};
    texts = {{"aid", std::string(40, '7')}};
    EXPECT_EQ(shown(kFeedbackHue) + "|" + shown(kFeedbackAudioTrack), "HUE 0|AUDIO TRACK " + std::string(31, '7'));
    EXPECT_EQ(shown(kFeedbackAspect, "-1") + "|" + shown(kFeedbackSeek) + shown(99), "ASPECT DEFAULT|nonenone");
    EXPECT_EQ(shown(kFeedbackSpeed) + shown(kFeedbackVolumeMute), "nonenone");  // infinite, unreadable
}

TEST(PictureCommands, FillScalePanScanPresetsAndCaptureNames) {
    PictureScale s;
    ASSERT_TRUE(fillScale(2.35, 1600, 900, s));
    EXPECT_EQ(scaleCommand(s, 4), "set video-scale-x 1.0000 ; set video-scale-y 1.3219");
    for (double bad : {0.0, std::nan(""), HUGE_VAL}) EXPECT_FALSE(fillScale(bad, 800, 600, s));
    EXPECT_FALSE(fillScale(1.5, 0, 600, s) || fillScale(1.5, 800, -2, s));
    for (const char* outside : {"7", "-1", "x", "99999999999999999999"}) EXPECT_EQ(panScanPresetIndex(outside), 0);
    for (int i = 0; i < kPanScanPresetCount; ++i)
        EXPECT_EQ(presetMatchingScale(kPanScanPresets[i].scaleX + 0.004, kPanScanPresets[i].scaleY - 0.004), i);
    EXPECT_EQ(presetMatchingScale(1.0, 1.3219), -1);
    for (double bad : {-4.0, std::nan(""), 1e300}) EXPECT_EQ(captureStamp(bad), L" 0-00-00") << bad;
    EXPECT_EQ(capturePath(L"C:\\P", L"Holiday", captureStamp(3725.5), 1) + L"|" + capturePath(L"C:", L"a", L"", 3),
              L"C:\\P\\Holiday 1-02-05.png|C:\\a (3).png");
    std::wstring fifty = std::wstring(46, L'x') + L".png";
    EXPECT_EQ(shortCaptureName(L"C:\\P\\" + fifty), L"\u2026" + fifty.substr(15));
    EXPECT_EQ(shortEntryName(u".hidden") + u"|" + shortEntryName(u"https://x.test/a/clip.v.mp4"), u".hidden|clip.v");
    EXPECT_EQ(shortEntryName(std::u16string(40, u'n') + u".mkv"), std::u16string(35, u'n') + u"\u2026");
}

TEST(ToastPlace, WidthRightEdgeAtFractionalScalesAndExpiryAcrossTheWrap) {
    EXPECT_EQ(toastWidth(30.7f, 40.6f), 111);  // truncated, not rounded
    EXPECT_EQ(toastWidth(0.0f / 0.0f, 10), kToastMinWidth);
    // At fractional scales the right edge stays on its pixel whatever width the text gives.
    for (float scale : {1.25f, 1.5f, 1.75f}) {
        ToastPlace p = placeToast(0, 0, 1000, 0, 96, scale);
        for (int w = 97; w < 200; ++w) {
            ToastPlace wider = placeToast(0, 0, 1000, 0, w, scale);
            EXPECT_EQ(wider.x + wider.width, p.x + p.width) << scale << " " << w;
        }
    }
    EXPECT_FALSE(toastExpired(1000, 1000) || toastExpired(0xFFFFFFF0u, 0x00000010u));
    EXPECT_TRUE(toastExpired(1001, 1000) && toastExpired(0x00000010u, 0xFFFFFFF0u));
}

HudModel laidOut(int widthPx, float scale = 1.0f) {
    HudModel m;
    layoutHudElements(m, widthPx, scale);
    return m;
}

TEST(HudLayout, DroppedChipsAndExclusiveEdgesLeaveNoHitsBehind) {
    HudModel narrow = laidOut(640);  // the two leftmost chips are gone, and so are their hits
    EXPECT_TRUE(narrow.elements[kHudSpeed].empty() && narrow.elements[kHudAb].empty() && !narrow.elements[kHudSub].empty());
    EXPECT_EQ(hudHitTest(narrow, 400, 60), kHudNone);
    EXPECT_EQ(laidOut(1650, 1.5f).elements[kHudFs].left, 1052);
    HudModel m = laidOut(1100);
    const int hits[][3] = {{84, 22, kHudSeek}, {1016, 30, kHudNone}, {100, 78, kHudNone}, {1051, 60, kHudNone},
                           {1052, 60, kHudFs}};
    for (const auto& h : hits) EXPECT_EQ(hudHitTest(m, h[0], h[1]), h[2]) << h[0] << "," << h[1];
    EXPECT_DOUBLE_EQ(hudFraction(m.elements[kHudSeek], 0) + hudFraction(m.elements[kHudSeek], 5000), 1.0);
    EXPECT_DOUBLE_EQ(hudFraction(HudRect{10, 0, 10, 5}, 11), 1.0);  // zero width counts as 1
}

TEST(HudControls, SeekVolumeTimesAndCaptions) {
    EXPECT_EQ(hudSeekCommand(0.5, 100, false) + "|" + hudSeekCommand(0.5, 100, true) + "|" + hudSeekCommand(0.5, 0, true),
              "seek 50.000 absolute+keyframes|seek 50.000 absolute+exact|");
    for (auto [fraction, volume] : {std::pair{0.5, 100}, {0.485, 100}, {0.47, 94}, {0.981, 200}, {0.0, 0}})
        EXPECT_EQ(hudVolumeFromFraction(fraction), volume) << fraction;
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    // Values no medium has, and that would not fit an integer, read as zero.
    for (auto [seconds, hours, text] : {std::tuple{3725.9, false, "02:05"}, {-4.0, false, "00:00"},
                                        {nan, true, "0:00:00"}, {inf, false, "00:00"}, {1e300, true, "0:00:00"},
                                        {-1e300, false, "00:00"}})
        EXPECT_EQ(hudTimeText(seconds, hours), text) << seconds;
    EXPECT_EQ(hudSpeedCaption(0.899999) + hudAudioCaption("no"), "0.9xAUD -");
    EXPECT_EQ((std::vector<int>{hudSubtitleMargin(true, 1.0f, 1080), hudSubtitleMargin(false, 1.0f, 1080),
                                hudSubtitleMargin(true, 1.0f, 5000), hudSubtitleMargin(true, 2.0f, 2160)}),
              (std::vector<int>{75, 22, 22, 75}));
}

TEST(HudAutoHide, FullScreenBandAndActivity) {
    // docked, dragging, recent, paused, cursor y -> wanted; 1920 x 1080, bar 82
    for (auto [docked, dragging, recent, paused, y, wanted] :
         {std::tuple{false, false, false, false, 1050, false}, {false, false, true, false, 997, false},
          {false, false, true, false, 998, true}, {false, false, false, true, 500, false},
          {false, true, false, true, 500, true}, {true, false, false, true, 500, true}})
        EXPECT_EQ(hudWanted({docked, dragging, false, recent, paused, 960, y, 0, 0, 1920, 1080, 82}), wanted) << y;
}

}  // namespace
