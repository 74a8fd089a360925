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

namespace {

TEST(KeyMap, NoKeyAndModifierSetAppearsTwice) {
    std::set<std::pair<uint32_t, uint32_t>> seen;
    for (const KeyBinding& row : keyBindings) {
        EXPECT_TRUE(seen.insert({row.virtualKey, row.modifiers}).second) << row.virtualKey << "+" << row.modifiers;
        EXPECT_TRUE(row.modifiers <= 7u && row.command && row.command[0]) << row.virtualKey;
    }
}

TEST(KeyMap, ModifiersMatchExactlyAndHeldKeysRepeatOnlyWhereTheRowAllows) {
    // key, modifiers, held -> outcome and command
    const struct { uint32_t key, mods; bool held; KeyOutcome outcome; const char* command; } cases[] = {
        {0x25, 0, false, KeyOutcome::Run, "@step -1"},
        {0x25, kModCtrl, false, KeyOutcome::Run, "seek -60 relative+keyframes"},
        {0x25, kModCtrl | kModShift, false, KeyOutcome::NotHandled, nullptr},
        {0x73, kModAlt, false, KeyOutcome::NotHandled, nullptr},  // Alt+F4 is the system's
        {0x53, kModCtrl | kModShift, false, KeyOutcome::Run, "cycle-values video-rotate 90 180 270 0"},
        {0x72, 0, false, KeyOutcome::NotHandled, nullptr},
        {0x20, 0, true, KeyOutcome::Swallowed, nullptr},  // Space toggles once
        {0x27, 0, true, KeyOutcome::Run, "@step 1"},      // Right keeps seeking
    };
    for (const auto& c : cases) {
        const char* command = nullptr;
        EXPECT_EQ(decideKey(c.key, c.mods, c.held, &command), c.outcome) << c.key << "+" << c.mods;
        if (c.command) {
            EXPECT_STREQ(command, c.command) << c.key << "+" << c.mods;
        }
    }
}

TEST(CommandGrammar, PrefixVerbsNeedTheirSpaceOthersMatchWhole) {
    const std::pair<const char*, AppVerb> cases[] = {
        {"fill", AppVerb::Fill},    {"fill ", AppVerb::Unknown},       {"Fill", AppVerb::Unknown},
        {"size", AppVerb::Unknown}, {"size 0.5", AppVerb::Size},       {"step ", AppVerb::Step},
        {"shotdir", AppVerb::ShotDir}, {"shotdirpick", AppVerb::ShotDirPick}, {"ps 9", AppVerb::PanScan},
        {"psreset", AppVerb::PanScanReset}, {"", AppVerb::Unknown},    {nullptr, AppVerb::Unknown}};
    for (const auto& c : cases) EXPECT_EQ(parseAppCommand(c.first).verb, c.second) << (c.first ? c.first : "null");
    EXPECT_EQ(parseAppCommand("size 0.5").argument + parseAppCommand("bmdel 2").argument, "0.52");
    // A step uses only the sign of its argument.
    EXPECT_EQ(seekStepCommand(stepDirection("-7"), 5), "seek -5 relative+keyframes");
    EXPECT_EQ(seekStepCommand(stepDirection("x"), 10), "seek 10 relative+keyframes");
    EXPECT_EQ(stepDirection("0") * 10 + stepDirection("-99999999999999999999"), 9);
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
    VolumeStop fresh;  // 100 reached some other way: Up goes on at once
    EXPECT_EQ(volumeStepCommand(fresh, 1, 100, 5, 100, true), "add volume 5");
    VolumeStop wrap;  // the tick count wraps: differences are unsigned
    wrap.stopMark = true;
    wrap.lastUpTick = 0xFFFFFF00u;
    EXPECT_EQ(volumeStepCommand(wrap, 1, 100, 5, 0x40u, false), "set volume 100");
}

TEST(WhatNext, EntryNamesLoseFolderAndExtension) {
    EXPECT_EQ(shortEntryName(u"C:\\v\\Episode 02.mkv") + u"|" + shortEntryName(u"https://x.test/a/clip.mp4"),
              u"Episode 02|clip");
    EXPECT_EQ(shortEntryName(u".hidden") + u"|" + shortEntryName(u"a.b.c"), u".hidden|a.b");
    EXPECT_EQ(shortEntryName(std::u16string(40, u'n') + u".mkv"), std::u16string(35, u'n') + u"\u2026");
    EXPECT_EQ(shortEntryName(std::u16string(36, u'k')), std::u16string(36, u'k'));
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

TEST(FeedbackFormats, RoundingLimitsAndTheDeadlineAcrossTheWrap) {
    EXPECT_FALSE(feedbackExpired(1300, 1299) || feedbackExpired(0x00000100u, 0xFFFFFF00u));
    EXPECT_TRUE(feedbackExpired(1300, 1300) && feedbackExpired(0xFFFFFF00u, 0x00000100u));
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

TEST(FillScale, StretchesOneAxisUntilTheAspectsAgree) {
    PictureScale s;
    ASSERT_TRUE(fillScale(2.35, 1600, 900, s));
    EXPECT_EQ(scaleCommand(s, 4), "set video-scale-x 1.0000 ; set video-scale-y 1.3219");
    ASSERT_TRUE(fillScale(4.0 / 3, 1600, 900, s));
    EXPECT_EQ(scaleCommand(s, 2), "set video-scale-x 1.33 ; set video-scale-y 1.00");
    for (double bad : {0.0, -1.0, std::nan(""), HUGE_VAL}) EXPECT_FALSE(fillScale(bad, 800, 600, s));
    EXPECT_FALSE(fillScale(1.5, 0, 600, s) || fillScale(1.5, 800, -2, s));
}

TEST(PanScan, PresetArgumentsAndTheMatchingPreset) {
    EXPECT_EQ(panScanPresetIndex("2"), 2);
    for (const char* outside : {"7", "-1", "x", "", "99999999999999999999"}) EXPECT_EQ(panScanPresetIndex(outside), 0);
    for (int i = 0; i < kPanScanPresetCount; ++i)
        EXPECT_EQ(presetMatchingScale(kPanScanPresets[i].scaleX + 0.004, kPanScanPresets[i].scaleY - 0.004), i);
    EXPECT_EQ(presetMatchingScale(1.0, 1.3219), -1);
}

TEST(CaptureName, CleanNameStampPathAndToastText) {
    EXPECT_EQ(captureBaseName(L"a:b?c*d\"e<f>g|h/i\\j\x01k.m ไทย"), L"a_b_c_d_e_f_g_h_i_j_k.m ไทย");
    for (auto c : {std::make_pair(59.9, L" 0-00-59"), std::make_pair(3725.5, L" 1-02-05"), std::make_pair(-4.0, L" 0-00-00"),
                   std::make_pair(std::nan(""), L" 0-00-00"), std::make_pair(1e300, L" 0-00-00")})
        EXPECT_EQ(captureStamp(c.first), c.second) << c.first;
    EXPECT_EQ(capturePath(L"C:\\P", L"Holiday", L" 1-02-05", 1), L"C:\\P\\Holiday 1-02-05.png");
    EXPECT_EQ(capturePath(L"C:\\P", L"Holiday", L" 1-02-05", 3), L"C:\\P\\Holiday 1-02-05 (3).png");
    std::wstring fifty = std::wstring(46, L'x') + L".png";
    EXPECT_EQ(shortCaptureName(L"C:\\P\\" + fifty), L"\u2026" + fifty.substr(15));
}

}  // namespace
