#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <string>

#include "input/keymap_core.h"
#include "osd/drawing_kit_core.h"
#include "panels/help_core.h"
#include "panels/info_core.h"

namespace {

std::map<std::string, std::string> texts;
std::map<std::string, double> numbers;

bool readNumber(const char* name, double& value) { return numbers.count(name) && (value = numbers[name], true); }
bool readText(const char* name, char* buffer, size_t size) {
    return texts.count(name) && snprintf(buffer, size, "%s", texts[name].c_str()) >= 0;
}
const wchar_t* asThai(const wchar_t* thai) { return thai; }

std::vector<InfoRow> rowsOf(const std::map<std::string, std::string>& t, const std::map<std::string, double>& n) {
    texts = t;
    numbers = n;
    return buildInfoRows({readNumber, readText}, asThai);
}

TEST(InfoRows, TracksChaptersTagsAndSizes) {
    std::vector<InfoRow> rows = rowsOf(
        {{"filename", "film.mkv"}, {"file-format", "matroska,webm"}, {"metadata/list/0/key", "title"},
         {"metadata/list/0/value", "Line one\r\nline\ttwo \x01 \xff\xfe end\xe2\x80\xae"},
         {"track-list/0/type", "video"}, {"track-list/0/codec", "prores"}, {"track-list/0/image", "yes"},
         {"track-list/1/type", "audio"}, {"track-list/1/codec", "aac"}, {"track-list/1/codec-desc", "AAC"},
         {"track-list/2/type", "audio"}, {"track-list/2/codec", "opus"}, {"track-list/2/selected", "yes"},
         {"track-list/2/codec-desc", "Opus (Opus Interactive Audio Codec)"}, {"track-list/2/forced", "yes"},
         {"track-list/2/demux-channels", "unknown5"}, {"track-list/3/type", "sub"},
         {"track-list/3/title", std::string(5000, 'x')}, {"track-list/4/type", "data"},
         {"chapter-list/1/title", "Middle"}},
        {{"file-size", 734003200}, {"duration", 3600 * 3 + 61.5}, {"metadata/list/count", 1},
         {"track-list/count", 5}, {"track-list/2/demux-channel-count", 2}, {"chapter-list/count", 75.9},
         {"chapter-list/1/time", 1e30}, {"time-pos", NAN}, {"percent-pos", 12.34}});
    std::wstring copy = infoClipboardText(rows, L"File info");
    std::wstring longTitle = L"  ชื่อแทร็ก: " + std::wstring(kInfoTextMaxChars, L'x') + L"…\r\n";
    for (const wchar_t* line :
         {longTitle.c_str(), L"KivoPlayer - File info\r\n\r\n[ไฟล์]\r\n  ชื่อ: film.mkv\r\n  รูปแบบ: MATROSKA,WEBM\r\n",
          L"  ขนาดไฟล์: 734.0 MB  (734003200 bytes)\r\n  ความยาว: 3:01:01  (10861.500 s)\r\n",
          L"  title: Line one  line two \xFFFD \xFFFD\xFFFD end\r\n  ตอน (chapter): 75\r\n",
          L"[ภาพ  #1  (cover art)]\r\n  ตัวเข้ารหัส: PRORES\r\n", L"[เสียง  #1]\r\n  ตัวเข้ารหัส: AAC\r\n",
          L"[เสียง  #2  ▶ กำลังเล่น]\r\n  ตัวเข้ารหัส: Opus  —  Opus (Opus Interactive Audio Codec)\r\n"
          L"  ช่องเสียง: (2 ch)\r\n  สถานะ: forced  \r\n",
          L"[ตอน (chapter)]\r\n  0:00:00: Chapter 1\r\n  : Middle\r\n  0:00:00: Chapter 3\r\n",
          L"  0:00:00: Chapter 60\r\n\r\n[การเล่น]\r\n  ตำแหน่ง:   (12.3 %)\r\n"})
        EXPECT_NE(copy.find(line), std::wstring::npos) << line;
    for (const InfoRow& row : rows) EXPECT_EQ(row.highlight, row.value.rfind(L"Opus", 0) == 0);
    EXPECT_EQ(infoContentHeight(rows), 7 * kInfoHeadingHeight + int(rows.size() - 7) * kInfoRowHeight);
    // One line per row whatever the engine's texts hold.
    EXPECT_EQ(std::count(copy.begin(), copy.end(), L'\n'), 1 + rows.size() + 7);
    EXPECT_EQ(std::count(copy.begin(), copy.end(), L'\r'), 1 + rows.size() + 7);
}

TEST(InfoFormats, TimesSizesRatesAndCodecs) {
    struct { double in; const char* duration; const char* bitrate; const char* size; } cases[] = {
        {0, "0:00:00", "", ""}, {-0.5, "0:00:00", "", ""}, {-1.5, "", "", ""}, {NAN, "", "", ""},
        {3661.99, "1:01:01", "4 kbps", "0.0 MB  (3662 bytes)"}, {359999.5, "99:59:59", "360 kbps", "0.4 MB  (360000 bytes)"},
        {2.5e9, "", "2500.00 Mbps", "2.50 GB  (2500000000 bytes)"},
        {2147483648.0, "", "2147.48 Mbps", "2.15 GB  (2147483648 bytes)"},
        {INFINITY, "", "inf Mbps", "inf GB  (inf bytes)"}};
    for (auto& c : cases) {
        EXPECT_EQ(durationText(c.in), c.duration) << c.in;
        EXPECT_EQ(bitrateText(c.in), c.bitrate) << c.in;
        EXPECT_EQ(fileSizeText(c.in), c.size) << c.in;
    }
    EXPECT_EQ(codecDisplayName("hevc") + codecDisplayName("HEVC") + codecDisplayName("pcm_s16le"),
              "H.265 (HEVC)HEVCPCM_S16LE");
}

TEST(InfoCopy, CopiedLabelLastsAcrossTheTickWrap) {
    for (uint32_t now : {1000u, 0xFFFFF000u, 0xFFFFFFFFu}) {
        EXPECT_TRUE(copiedShown(now + 1800, now) && copiedShown(now + 1800, now + 1799)) << now;
        EXPECT_FALSE(copiedShown(now + 1800, now + 1800) || copiedShown(now + 1800, now + 0x80000000u)) << now;
    }
    EXPECT_FALSE(copiedShown(0, 0xFFFFF000u));
}

TEST(FloatingPanel, HeightScrollAndThumb) {
    EXPECT_EQ(floatingPanelHeight(300, 900, 60, 32, 1.0f), 356);
    EXPECT_EQ(floatingPanelHeight(3000, 1800, 120, 64, 2.0f), 776);
    EXPECT_EQ(floatingPanelHeight(3000, 150, 60, 32, 1.0f), 160);
    EXPECT_EQ(clampPanelScroll(5000, 1949, 160), 1949 - 104);
    EXPECT_EQ(clampPanelScroll(-63, 1949, 160) + clampPanelScroll(63, 100, 160), 0);
    ScrollThumb end = panelScrollThumb(1949, 160, 1949 - 104);
    EXPECT_FLOAT_EQ(end.top + end.length, 50 + end.trackLength);
    EXPECT_TRUE(end.shown && !panelScrollThumb(100, 160, 0).shown);
}

// The monospaced family has Latin and punctuation only: Thai and symbols go to the UI family.
TEST(Help, LanguageAndTheTextsTheMonospacedFamilyCannotShow) {
    EXPECT_STREQ(helpKeyText(helpRows[1], true), L"คลิกซ้าย");
    EXPECT_STREQ(helpDescription(helpRows[1], false), L"Play / pause");
    for (const wchar_t* text : {L"คลิกซ้าย", L"◀◀  ▶▶", L"A ▶", L"\u0E00", L"\u2070", L"\xFFFD"})
        EXPECT_FALSE(monoFamilyCovers(text)) << text;
    for (const wchar_t* text : {L"H.264 (AVC)  —  mpv · 7.1", L"\u2000\u206F\u0DFF", L""})
        EXPECT_TRUE(monoFamilyCovers(text)) << text;
    EXPECT_TRUE(helpInThai("th"));
    EXPECT_FALSE(helpInThai("en") || helpInThai("de") || helpInThai("thx"));
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
    const HelpRow* row = std::find_if(helpRows, helpRows + kHelpRowCount,
                                      [](const HelpRow& r) { return r.key && !wcscmp(r.key, L"Numpad 4 6 8 2"); });
    ASSERT_NE(row, helpRows + kHelpRowCount);
    EXPECT_EQ(row->english + std::wstring() + L"|" + row->thai, english + L"|" + thai);
}

}  // namespace
