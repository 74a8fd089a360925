#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <string>

#include "input/keymap_core.h"
#include "osd/drawing_kit_core.h"
#include "panels/help_core.h"
#include "panels/history_core.h"
#include "panels/info_core.h"
#include "panels/titlebar_core.h"

namespace {

std::map<std::string, std::string> texts;
std::map<std::string, double> numbers;

bool readNumber(const char* name, double& value) { return numbers.count(name) && (value = numbers[name], true); }
bool readText(const char* name, char* buffer, size_t size) {
    return texts.count(name) && snprintf(buffer, size, "%s", texts[name].c_str()) >= 0;
}
const wchar_t* asThai(const wchar_t* thai) { return thai; }

TEST(InfoRows, EngineTextsBecomeOneCleanLinePerRow) {
    texts = {{"metadata/list/0/value", "Line one\r\nline\ttwo \x01 \xff\xfe end\xe2\x80\xae"},
             {"metadata/list/0/key", "title"}, {"track-list/0/type", "audio"}, {"track-list/0/codec", "opus"},
             {"track-list/0/selected", "yes"}, {"track-list/0/codec-desc", "Opus"}, {"chapter-list/1/title", "Middle"},
             {"track-list/0/demux-channels", "unknown5"}, {"track-list/1/type", "sub"},
             {"track-list/1/title", std::string(5000, 'x')}};
    numbers = {{"metadata/list/count", 1}, {"track-list/count", 2}, {"track-list/0/demux-channel-count", 2},
               {"chapter-list/count", 75.9}, {"chapter-list/1/time", 1e30}, {"time-pos", NAN}, {"percent-pos", 12.34}};
    std::vector<InfoRow> rows = buildInfoRows({readNumber, readText}, asThai);
    std::wstring copy = infoClipboardText(rows, L"File info");
    std::wstring longTitle = L"  ชื่อแทร็ก: " + std::wstring(kInfoTextBytes - 1, L'x') + L"\r\n";  // whole to its buffer
    for (const wchar_t* line :
         {longTitle.c_str(), L"  title: Line one  line two \xFFFD \xFFFD\xFFFD end\r\n  ตอน (chapter): 75\r\n",
          L"[เสียง  #1  ▶ กำลังเล่น]\r\n  ตัวเข้ารหัส: Opus\r\n  ช่องเสียง: (2 ch)\r\n",
          L"  0:00:00: Chapter 1\r\n  : Middle\r\n", L"  0:00:00: Chapter 60\r\n\r\n[การเล่น]\r\n  ตำแหน่ง:   (12.3 %)\r\n"})
        EXPECT_NE(copy.find(line), std::wstring::npos) << line;
    EXPECT_EQ(std::count(copy.begin(), copy.end(), L'\n'), std::count(copy.begin(), copy.end(), L'\r'));
    EXPECT_EQ(std::count(copy.begin(), copy.end(), L'\n'), 1 + rows.size() + 5);  // title, rows, headings
}

TEST(InfoFormats, TimesSizesRatesAtTheirLimitsAndTheCopiedLabelAcrossTheWrap) {
    EXPECT_EQ(durationText(-0.5) + "|" + durationText(-1.5) + "|" + durationText(NAN) + "|" + durationText(359999.5),
              "0:00:00|||99:59:59");
    EXPECT_EQ(bitrateText(NAN) + "|" + bitrateText(2147483648.0), "|2147.48 Mbps");
    EXPECT_EQ(fileSizeText(-1.5) + "|" + fileSizeText(2147483648.0), "|2.15 GB  (2147483648 bytes)");
    for (uint32_t now : {1000u, 0xFFFFFFFFu})  // the "copied" label across the tick wrap
        EXPECT_TRUE(copiedShown(now + 1800, now + 1799) && !copiedShown(now + 1800, now + 1800) &&
                    !copiedShown(now + 1800, now + 0x80000000u)) << now;
}

TEST(FloatingPanel, HeightAndScrollClamps) {
    EXPECT_EQ(floatingPanelHeight(3000, 1800, 120, 64, 2.0f), 776);
    EXPECT_EQ(floatingPanelHeight(3000, 150, 60, 32, 1.0f), 160);
    EXPECT_EQ(clampPanelScroll(5000, 1949, 160), 1949 - 104);
    EXPECT_EQ(clampPanelScroll(-63, 1949, 160) + clampPanelScroll(63, 100, 160), 0);
    ScrollThumb end = panelScrollThumb(1949, 160, 1949 - 104);
    EXPECT_FLOAT_EQ(end.top + end.length, 50 + end.trackLength);
    EXPECT_TRUE(end.shown && !panelScrollThumb(100, 160, 0).shown);
}

TEST(Help, Language) {
    EXPECT_STREQ(helpKeyText(helpRows[1], true), L"คลิกซ้าย");
    EXPECT_STREQ(helpDescription(helpRows[1], false), L"Play / pause");
    EXPECT_TRUE(helpInThai("th"));
    EXPECT_FALSE(helpInThai("en") || helpInThai("de") || helpInThai("thx"));
}

TEST(ResumeFile, TakesOnlyListableEntries) {
    const struct { std::string text, path; double seconds; } listed[] = {
        {"# D:\\v\\a.mkv\r\nstart=5.000000\r\n", "D:\\v\\a.mkv", 5},
        {"# D:\\v\\restart=12.mkv\nstart=1800.5\n", "D:\\v\\restart=12.mkv", 1800.5},  // only the position line counts
        {"# D:\\v\\a.mkv\nstart=2147483647.9\n", "D:\\v\\a.mkv", 2147483647.9}};
    for (const auto& c : listed) {
        ResumeFileEntry e;
        ASSERT_TRUE(parseResumeFile(c.text.data(), c.text.size(), e)) << c.text;
        EXPECT_TRUE(e.mediaPath == c.path && e.seconds == c.seconds) << c.text;
    }
    const std::string unlisted[] = {
        "# D:\\v\\a.mkv\nstart=4.900000\n", "# redirect entry\nstart=100\n", "start=100\n", "# D:\\v\\a.mkv",
        "# D:\\v\\a.mkv\nvolume=50\n", "# D:\\v\\a.mkv\nstart=inf\n", "# D:\\v\\a.mkv\nstart=nan\n",
        "# D:\\v\\a.mkv\nstart=2147483648\n", std::string("# D:\\v\\a.mkv\n\0start=60\n", 22),  // ends at a NUL
        "# D:\\a.mkv\n" + std::string(kResumeFileMaxBytes, 'x') + "\nstart=60\n"};  // read no further than the limit
    for (const std::string& text : unlisted) {
        ResumeFileEntry e;
        EXPECT_FALSE(parseResumeFile(text.data(), text.size(), e)) << text;
    }
    EXPECT_EQ(newestFirst({30, 10, 60, 20, 50, 40}, 4), (std::vector<size_t>{2, 4, 5, 0}));
    EXPECT_EQ(newestFirst({7, 7, 9}, 4), (std::vector<size_t>{2, 0, 1}));
}

TEST(TitleBar, HitTestAtScales) {
    // Points in logical pixels from the right edge (x < 0) or the left, in a 900 x 600 client.
    const struct { float x, y; bool maximized; int hit; } cases[] = {
        {-6, 20, false, kHitClose}, {-70, 20, false, kHitMaximize}, {450, 96, false, kHitClient},
        {2, 4, false, kHitTopLeft}, {-6, 4, true, kHitClose}};  // maximised: no resize band
    for (float s : {1.0f, 1.5f})
        for (const auto& c : cases) {
            int w = int(900 * s), x = c.x < 0 ? w + int(c.x * s) : int(c.x * s);
            EXPECT_EQ(captionHitCode(x, int(c.y * s), w, int(36 * s), c.maximized, s), c.hit) << s << " " << c.x;
        }
}

TEST(ClearAction, TwoClicksWithinFourSecondsOnBothSidesOfTheWrap) {
    for (uint32_t start : {1000u, 0xFFFFF800u}) {
        uint32_t until = 0;  // too late a second click arms again
        EXPECT_FALSE(clearActionClick(until, start) || !clearArmed(until, start + 3999) || clearArmed(until, start + 4000));
        EXPECT_TRUE(!clearActionClick(until, start + 4000) && clearActionClick(until, start + 7000));
    }
    uint32_t stale = 0xFFFFFF00u;  // an arm left over from before the wrap does not make one click delete
    EXPECT_FALSE(clearArmed(stale, 5) || clearActionClick(stale, 5));
}

TEST(StartScreen, HeadingAndClearActionOnlyWithRoomForARowAndExclusiveEdges) {
    for (float H = 250; H < 320; H += 1) {
        StartLayout l = startScreenLayout(900, H, 36, 3);
        bool firstRowFits = l.listTop + 64 <= H - 16;
        EXPECT_EQ(l.rows > 0, firstRowFits) << H;
        EXPECT_EQ(startScreenItemAt(l.clearAction.x + 5, l.clearAction.y + 5, l, {}) == kItemClear, firstRowFits);
    }
    StartLayout l = startScreenLayout(900, 600, 36, 2);
    EXPECT_EQ(startScreenItemAt(l.cx, l.openButton.y + 1, l, {}), kItemOpen);
    EXPECT_EQ(startScreenItemAt(l.cx, l.openButton.y + 46, l, {}), kItemNothing);
    EXPECT_EQ(honeycombAlpha(450, 36, 900, 36, 36) + honeycombAlpha(450, 31, 900, 26, 36), 0);  // no area
}

// The numpad row names the directions in key order, as the key map moves the picture.
TEST(Help, NumpadRowMatchesTheKeyMap) {
    std::wstring english = L"Move the picture", thai = L"เลื่อนภาพ";
    for (uint32_t key : {0x64u, 0x66u, 0x68u, 0x62u}) {
        const KeyBinding* binding = findKeyBinding(key, 0);
        ASSERT_TRUE(binding);
        bool across = strstr(binding->command, "video-pan-x"), more = !strstr(binding->command, " -");
        english += across ? (more ? L" right," : L" left,") : (more ? L" down," : L" up,");
        thai += across ? (more ? L" ขวา" : L" ซ้าย") : (more ? L" ลง" : L" ขึ้น");
    }
    english.pop_back();
    auto row = std::find_if(helpRows, helpRows + kHelpRowCount, [](const HelpRow& r) { return r.key && !wcscmp(r.key, L"Numpad 4 6 8 2"); });
    ASSERT_NE(row, helpRows + kHelpRowCount);
    EXPECT_EQ(row->english + std::wstring(L"|") + row->thai, english + L"|" + thai);
}

}  // namespace
