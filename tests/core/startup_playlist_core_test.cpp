#include <gtest/gtest.h>

#include <string>

#include "app/desktop_core.h"
#include "app/startup_core.h"
#include "engine/engine_options_core.h"
#include "engine/playlist_core.h"
#include "engine/preview_core.h"
#include "engine/track_memory_core.h"
#include "osd/hud_core.h"
#include "osd/uiscale_core.h"

namespace {

TEST(StartArguments, EnqueueIsASwitchAndEverythingElseAFileInOrder) {
    StartArguments a = splitStartArguments({u"b.mkv", u"--enqueue", u"a.mp4", u"http://x/y"});
    EXPECT_TRUE(a.enqueue);
    EXPECT_EQ(a.files, (std::vector<std::u16string>{u"b.mkv", u"a.mp4", u"http://x/y"}));
    EXPECT_EQ(splitStartArguments({u"--Enqueue", u"--enqueue "}).files.size(), 2u);  // only the exact switch
    EXPECT_EQ(splitStartArguments({u"--register", u"--unregister"}).registration, Registration::Unregister);
}

TEST(Desktop, PastedLinesAndSubtitleFiles) {
    EXPECT_EQ(pastedTextEntries(u"\r\n  \"C:\\a b.mkv\"  \r\n\r\nhttp://x/y.mp4\nwords\nrel\\c.mkv\n\\\\nas\\d.mkv"),
              (std::vector<std::u16string>{u"C:\\a b.mkv", u"http://x/y.mp4", u"\\\\nas\\d.mkv"}));
    EXPECT_TRUE(pastedTextEntries(u"").empty());
    EXPECT_EQ(isSubtitlePath(u"D:\\x.SRT") * 10 + isSubtitlePath(u"D:\\srt.d\\x") + isSubtitlePath(u"a.mkv"), 10);
}

TEST(HandoverPayload, ListsEndWithAnExtraNulAndReadingStaysInsideTheSentSize) {
    EXPECT_EQ(buildHandoverPayload({}), std::u16string(1, u'\0'));
    std::u16string two = buildHandoverPayload({u"C:\\a.mkv", u"\u0e01.mp4"});
    EXPECT_EQ(two, std::u16string(u"C:\\a.mkv\0\u0e01.mp4\0\0", 16));
    EXPECT_EQ(parseHandoverPayload(two.data(), two.size()), (std::vector<std::u16string>{u"C:\\a.mkv", u"\u0e01.mp4"}));
    EXPECT_EQ(parseHandoverPayload(u"abc", 2), std::vector<std::u16string>{u"ab"});  // no terminator at all
    EXPECT_TRUE(parseHandoverPayload(nullptr, 10).empty() && parseHandoverPayload(u"abc", 0).empty());
    EXPECT_EQ(parseHandoverPayload(u"a\0\0b\0\0", 6).size(), 1u);  // an empty path ends the list
}

TEST(UiScale, WindowSizeBoundsAndRounding) {
    // scale, screen -> window: cut, not rounded up; never larger than the screen; any size without one
    for (auto [scale, screen, window] : {std::tuple{1.33f, PixelSize{1920, 1080}, PixelSize{1463, 851}},
                                         {1.75f, {1920, 1080}, {1920, 1080}}, {2.0f, {0, 0}, {2200, 1280}}}) {
        PixelSize w = mainWindowSize(scale, screen);
        EXPECT_EQ(w.width * 10000 + w.height, window.width * 10000 + window.height) << scale;
    }
    EXPECT_EQ((std::vector<float>{boundedUiScale(0.5f), boundedUiScale(0.51f), boundedUiScale(5.0f),
                                  fixedScaleFromText("0.5"), fixedScaleFromText("abc")}),
              (std::vector<float>{1.0f, 0.51f, 1.0f, 0.0f, 0.0f}));
    // Halves round away from zero.
    EXPECT_EQ(scaledPixels(5, 1.5f) * 10000 + scaledPixels(-5, 1.5f) * 1000 + scaledPixels(82, 1.25f), 72103);
}

TEST(OpeningFiles, DialogResultOneFileOrAFolderWithNames) {
    // buffer as the dialog fills it -> the paths joined by "|"
    const std::pair<std::u16string, std::u16string> cases[] = {
        {std::u16string(u"C:\\v\\a.mkv\0\0", 12), u"C:\\v\\a.mkv"},
        {std::u16string(u"C:\\v\0b.mkv\0a.mp4\0\0", 18), u"C:\\v\\b.mkv|C:\\v\\a.mp4"},  // the dialog's order
        {std::u16string(u"D:\\\0x.mp4\0y.mp4\0\0", 17), u"D:\\x.mp4|D:\\y.mp4"},  // a drive's root ends with "\"
        {std::u16string(u"C:\\v\0abc", 8), u"C:\\v\\abc"},  // filled to the end without terminators
        {std::u16string(u"\0", 1), u""},
    };
    for (const auto& c : cases) {
        std::u16string paths;
        for (const auto& p : parseOpenDialogResult(c.first.data(), c.first.size()))
            paths += (paths.empty() ? u"" : u"|") + p;
        EXPECT_EQ(paths, c.second);
    }
    EXPECT_EQ(displayNameOf(u"C:\\Films\\A b.mkv") + displayNameOf(u"C:\\Films\\"), u"A b.mkv");
    EXPECT_EQ(displayNameOf(u"https://x.test/v.m3u8"), u"https://x.test/v.m3u8");
}

TEST(PlaylistPanel, SmallestPanelScrollClampsThumbAndHits) {
    PlaylistPlacement small = placePlaylist(270, 300, 0, 0, 0, 1.0f);
    EXPECT_EQ(small.width * 1000 + small.height, 240 * 1000 + 200);
    EXPECT_EQ(playlistVisibleRows(151), 1);
    // 20 entries, 10 rows: playing 15 shows from 10; the wheel then keeps 10, or goes up to 7.
    EXPECT_EQ((std::vector<int>{scrollToEntry(0, 15, 10), clampFirstRow(13, 20, 10), clampFirstRow(7, 20, 10),
                                scrollToEntry(7, 12, 10), clampFirstRow(5, 3, 10)}),
              (std::vector<int>{10, 10, 7, 7, 0}));
    PlaylistThumb bottom = playlistThumb(400, 200, 190);
    EXPECT_TRUE(!playlistThumb(400, 10, 0).visible && bottom.top + bottom.height == 346);
    EXPECT_EQ(entryNameFromPath("C:\\v\\film.mkv") + entryNameFromPath("https://e.com/a/b.mp4"), "film.mkvb.mp4");
    // x, y -> part, entry; 8 entries shown from entry 5: buttons before rows, only existing entries
    const int cases[][4] = {{330, 20, kPartClose, -1}, {300, 370, kPartClear, -1}, {340, 50, kPartRemove, 5},
                            {325, 50, kPartRow, 5},     {100, 110, kPartRow, 7},    {100, 140, kPartNone, -1},
                            {2, 50, kPartNone, -1}};
    for (const auto& c : cases) {
        PlaylistHit hit = hitTestPlaylist(360, 400, 8, 5, c[0], c[1]);
        EXPECT_EQ(int(hit.part) * 1000 + hit.index, c[2] * 1000 + c[3]) << c[0] << "," << c[1];
    }
}

// Which files get previews, the picture's box, slots, the cache's eviction and the window's place.
TEST(Previews, EligibilityBoxSlotsCacheAndPlace) {
    PreviewFileFacts film{"C:\\f.mkv", 600, true, 16.0 / 9};
    EXPECT_EQ(previewRefusal(film), nullptr);
    for (auto change : {+[](PreviewFileFacts& f) { f.path = "https://x.test/a.mp4"; },
                        +[](PreviewFileFacts& f) { f.hasVideo = false; }, +[](PreviewFileFacts& f) { f.duration = 1.9; }}) {
        PreviewFileFacts f = film;
        change(f);
        EXPECT_NE(previewRefusal(f), nullptr);
    }
    PreviewBox wide = previewBoxFor(16.0 / 9), four = previewBoxFor(4.0 / 3), portrait = previewBoxFor(9.0 / 16);
    EXPECT_EQ((std::vector<int>{wide.width, wide.height, four.height, portrait.width, portrait.height}),
              (std::vector<int>{192, 108, 144, 61, 108}));
    EXPECT_EQ(previewStep(20) * 100 + previewStep(3000), 110.0);
    EXPECT_EQ(previewSlotOf(14.6, 10) * 100 + previewSlotOf(-3, 10), 100);
    EXPECT_EQ(previewSlotTime(60, 10, 600), 599.5);  // the end has no frame to seek to
    PreviewCache cache;
    for (int i = 0; i <= kPreviewCacheSlots; ++i) {
        cache.put(i, {2, 1, {1u, 2u}});
        if (i == 50) cache.find(0, 2, 1);  // used again: slot 1 is now the oldest
    }
    EXPECT_TRUE(cache.size() == size_t(kPreviewCacheSlots) && cache.find(0, 2, 1) && !cache.find(1, 2, 1) &&
                !cache.find(0, 4, 2));
    const int work[4] = {0, 0, 1280, 800};
    HudPoint left = previewPlace(10, 700, 4, 194, 110, work), right = previewPlace(1275, 700, 4, 194, 110, work),
             high = previewPlace(600, 60, 4, 194, 110, work);
    EXPECT_EQ((std::vector<int>{left.x, left.y, right.x, high.x, high.y}), (std::vector<int>{0, 586, 1086, 503, 0}));
}

}  // namespace

TEST(TrackMemory, AChoiceIsKeptByLanguageThenTitleAndFoundAgainInAnotherOrder) {
    std::vector<TrackEntry> first = {{"audio", "1", "eng", "", false}, {"audio", "2", "JPN", "Main", true},
                                     {"sub", "1", "eng", "", false}, {"sub", "2", "", "Signs", true}};
    EXPECT_EQ(trackTypeChosenBy("cycle sub-visibility"), nullptr);
    TrackChoice audio = choiceFromSelection(first, "audio"), sub = choiceFromSelection(first, "sub");
    std::vector<TrackEntry> next = {{"audio", "1", "jpn", "Commentary", true}, {"audio", "2", "jpn", "Main", false},
                                    {"sub", "3", "", "Signs", false}, {"sub", "4", "eng", "", true}};
    // Language and title before language alone; no language: the title; no match: the engine decides.
    EXPECT_EQ(trackIdForChoice(next, "audio", audio) + trackIdForChoice(next, "sub", sub), "23");
    EXPECT_EQ(trackIdForChoice({{"audio", "1", "eng", "", true}}, "audio", audio), "");
    first[1].selected = first[3].selected = false;  // subtitles off is carried, audio off is not
    TrackChoice off = choiceFromSelection(first, "sub");
    EXPECT_EQ(trackIdForChoice(next, "sub", off), "no");
    EXPECT_FALSE(choiceFromSelection(first, "audio").chosen);
    EXPECT_EQ(carriedChoiceText(&audio, &off, "AUDIO", "SUB"), "AUDIO JPN \xC2\xB7 SUB OFF");
}
