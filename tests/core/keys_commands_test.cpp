#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "input/command_grammar_core.h"
#include "input/keymap_core.h"

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
        {0x77, kModCtrl, false, KeyOutcome::Run, "set video-aspect-override 16:9"},
        {0x53, kModCtrl | kModShift, false, KeyOutcome::Run, "cycle-values video-rotate 90 180 270 0"},
        {0x72, 0, false, KeyOutcome::NotHandled, nullptr}, {0x09, 0, false, KeyOutcome::NotHandled, nullptr},
        {0x20, 0, true, KeyOutcome::Swallowed, nullptr},  // Space toggles once
        {0x4D, 0, true, KeyOutcome::Swallowed, nullptr},
        {0x27, 0, true, KeyOutcome::Run, "@step 1"},  // Right keeps seeking
        {0x26, 0, true, KeyOutcome::Run, "@vol 1"},
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

}  // namespace
