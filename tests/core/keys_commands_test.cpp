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
        EXPECT_TRUE(seen.insert({row.virtualKey, row.modifiers}).second)
            << "vk " << row.virtualKey << " mods " << row.modifiers;
        EXPECT_LE(row.modifiers, 7u);
        ASSERT_NE(row.command, nullptr);
        EXPECT_NE(row.command[0], '\0');
    }
    EXPECT_EQ(seen.size(), kKeyBindingCount);
}

TEST(KeyMap, ModifiersMatchExactly) {
    const char* command = nullptr;
    EXPECT_EQ(decideKey(0x25, 0, false, &command), KeyOutcome::Run);
    EXPECT_STREQ(command, "@step -1");
    EXPECT_EQ(decideKey(0x25, kModCtrl, false, &command), KeyOutcome::Run);
    EXPECT_STREQ(command, "seek -60 relative+keyframes");
    EXPECT_EQ(decideKey(0x25, kModCtrl | kModShift, false, &command), KeyOutcome::NotHandled);
    EXPECT_EQ(decideKey(0x73, kModAlt, false, &command), KeyOutcome::NotHandled);  // Alt+F4 is the system's
    EXPECT_EQ(decideKey(0x77, 0, false, &command), KeyOutcome::Run);
    EXPECT_STREQ(command, "@playlist");
    EXPECT_EQ(decideKey(0x77, kModCtrl, false, &command), KeyOutcome::Run);
    EXPECT_STREQ(command, "set video-aspect-override 16:9");
    EXPECT_EQ(decideKey(0x53, kModCtrl | kModShift, false, &command), KeyOutcome::Run);
    EXPECT_STREQ(command, "cycle-values video-rotate 90 180 270 0");
    for (uint32_t key : {0x72u, 0x78u, 0x35u, 0x38u, 0x39u, 0x09u})
        EXPECT_EQ(decideKey(key, 0, false, &command), KeyOutcome::NotHandled) << key;
}

TEST(KeyMap, HeldKeysRepeatOnlyWhereTheRowAllows) {
    const char* command = nullptr;
    EXPECT_EQ(decideKey(0x20, 0, true, &command), KeyOutcome::Swallowed);  // Space toggles once
    EXPECT_EQ(decideKey(0x27, 0, true, &command), KeyOutcome::Run);        // Right keeps seeking
    EXPECT_EQ(decideKey(0x26, 0, true, &command), KeyOutcome::Run);        // Up keeps stepping
    EXPECT_EQ(decideKey(0x4D, 0, true, &command), KeyOutcome::Swallowed);
    EXPECT_EQ(decideKey(0x58, 0, true, &command), KeyOutcome::Run);
}

TEST(CommandGrammar, PrefixVerbsNeedTheirSpaceOthersMatchWhole) {
    EXPECT_EQ(parseAppCommand("fill").verb, AppVerb::Fill);
    EXPECT_EQ(parseAppCommand("fill ").verb, AppVerb::Unknown);
    EXPECT_EQ(parseAppCommand("Fill").verb, AppVerb::Unknown);
    EXPECT_EQ(parseAppCommand("size").verb, AppVerb::Unknown);
    ParsedVerb size = parseAppCommand("size 0.5");
    EXPECT_EQ(size.verb, AppVerb::Size);
    EXPECT_EQ(size.argument, "0.5");
    EXPECT_EQ(parseAppCommand("step ").verb, AppVerb::Step);
    EXPECT_EQ(parseAppCommand("shotdir").verb, AppVerb::ShotDir);
    EXPECT_EQ(parseAppCommand("shotdirpick").verb, AppVerb::ShotDirPick);
    EXPECT_EQ(parseAppCommand("bmdel 2").argument, "2");
    EXPECT_EQ(parseAppCommand("ps 9").verb, AppVerb::PanScan);
    EXPECT_EQ(parseAppCommand("psreset").verb, AppVerb::PanScanReset);
    EXPECT_EQ(parseAppCommand("").verb, AppVerb::Unknown);
    EXPECT_EQ(parseAppCommand(nullptr).verb, AppVerb::Unknown);
}

TEST(CommandGrammar, StepUsesOnlyTheSign) {
    EXPECT_EQ(seekStepCommand(stepDirection("-7"), 5), "seek -5 relative+keyframes");
    EXPECT_EQ(seekStepCommand(stepDirection("1"), 10), "seek 10 relative+keyframes");
    EXPECT_EQ(seekStepCommand(stepDirection("0"), 5), "seek 5 relative+keyframes");
    EXPECT_EQ(seekStepCommand(stepDirection("x"), 5), "seek 5 relative+keyframes");
    EXPECT_EQ(stepDirection("-99999999999999999999"), -1);
}

TEST(VolumeStep, StopsAtOneHundredForHeldKeysAndPassesOnAFreshPress) {
    VolumeStop stop;
    EXPECT_EQ(volumeStepCommand(stop, 1, 90, 5, 1000, false), "add volume 5");
    EXPECT_EQ(volumeStepCommand(stop, 1, 95, 5, 1200, false), "set volume 100");
    // The keyboard delay is longer than 450 ms, but a repeat of the held key still stops.
    EXPECT_EQ(volumeStepCommand(stop, 1, 100, 5, 1800, true), "set volume 100");
    EXPECT_EQ(volumeStepCommand(stop, 1, 100, 5, 1833, true), "set volume 100");
    // A quick fresh step (the wheel) within 450 ms stays too.
    EXPECT_EQ(volumeStepCommand(stop, 1, 100, 5, 2283, false), "set volume 100");
    // After a pause a fresh press goes past.
    EXPECT_EQ(volumeStepCommand(stop, 1, 100, 5, 2734, false), "add volume 5");
    EXPECT_EQ(volumeStepCommand(stop, 1, 105, 5, 2800, true), "add volume 5");
}

TEST(VolumeStep, LandsExactlyOnOneHundredAndDownClearsTheStop) {
    VolumeStop stop;
    EXPECT_EQ(volumeStepCommand(stop, 1, 97, 5, 100, false), "set volume 100");
    EXPECT_EQ(volumeStepCommand(stop, -1, 100, 5, 200, false), "add volume -5");
    EXPECT_FALSE(stop.stopMark);
    EXPECT_EQ(volumeStepCommand(stop, 1, 95, 5, 300, false), "set volume 100");
    // 100 reached some other way (no mark): Up goes on at once.
    VolumeStop fresh;
    EXPECT_EQ(volumeStepCommand(fresh, 1, 100, 5, 100, true), "add volume 5");
    // The tick count wraps: differences are unsigned.
    VolumeStop wrap;
    wrap.stopMark = true;
    wrap.lastUpTick = 0xFFFFFF00u;
    EXPECT_EQ(volumeStepCommand(wrap, 1, 100, 5, 0x40u, false), "set volume 100");
    // No volume could be read: 0, so Up adds a step.
    EXPECT_EQ(volumeStepCommand(wrap, 1, 0, 25, 0x50u, false), "add volume 25");
}

TEST(WhatNext, EntryNamesLoseFolderAndExtension) {
    EXPECT_EQ(shortEntryName(u"C:\\v\\Episode 02.mkv"), u"Episode 02");
    EXPECT_EQ(shortEntryName(u"https://x.test/a/clip.mp4"), u"clip");
    EXPECT_EQ(shortEntryName(u".hidden"), u".hidden");
    EXPECT_EQ(shortEntryName(u"a.b.c"), u"a.b");
    std::u16string longName(40, u'n');
    std::u16string shortened = shortEntryName(longName + u".mkv");
    EXPECT_EQ(shortened.size(), 36u);
    EXPECT_EQ(shortened.back(), u'\u2026');
    EXPECT_EQ(shortEntryName(std::u16string(36, u'k')).size(), 36u);
}

}  // namespace
