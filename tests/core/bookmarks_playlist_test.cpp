#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/playlist_core.h"
#include "store/bookmarks_core.h"

namespace {

using Times = std::vector<double>;

TEST(BookmarksFile, TimesReadAsDecimalNumbersAloneAndWriteWithoutNegativeZero) {
    // time field -> seconds kept, or -1 when the line is dropped
    const std::vector<std::pair<std::string, double>> fields = {
        {"83.500", 83.5}, {"", 0}, {"12abc", 12}, {"0x10", 0}, {" .5", 0.5}, {"1e2x", 100}, {"-0", 0},
        {"-0.0004", 0}, {"1.23456", 1.235}, {"nan", -1}, {"INF", -1}, {"+nan", -1}, {"-inFinity", -1}, {"-5", -1},
        {"2147483648", -1}, {"1e300", -1}};
    std::string text = "T\t5\t\nX\t5\tk\nT 5\tk\nT\t5\n";  // no key, wrong letter, no TABs: dropped
    Times expected;
    for (const auto& f : fields) {
        text += "T\t" + f.first + "\tk\r\n";
        if (f.second >= 0) expected.push_back(f.second);
    }
    std::vector<BookmarkEntry> store = parseBookmarks(text + "T\t2147483647.5\tlast");
    ASSERT_EQ(store.size(), expected.size() + 1);
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_TRUE(store[i].seconds == expected[i] && !std::signbit(store[i].seconds)) << fields[i].first;
    EXPECT_EQ(formatBookmarks(store), "T\t83.500\tk\nT\t0.000\tk\nT\t12.000\tk\nT\t0.000\tk\nT\t0.500\tk\n"
                                      "T\t100.000\tk\nT\t0.000\tk\nT\t0.000\tk\nT\t1.235\tk\nT\t2147483647.500\tlast\n");
}

TEST(Bookmarks, AddKeepsTheGapTheLimitAndTheKeysApart) {
    std::vector<BookmarkEntry> store = {{"other", 10.2}};
    // time -> index, or -1 when refused: the gap, unusable times
    const double adds[][2] = {{10.0, 0}, {10.6, -1}, {9.2, -1}, {11.0, 1}, {2.0, 0}, {-0.5, -1}, {1.0 / 0.0, -1},
                              {0.0 / 0.0, -1}, {3e9, -1}, {-0.0004, 0}};
    for (const auto& a : adds) EXPECT_EQ(addBookmark(store, "C:\\a.mkv", a[0]), int(a[1])) << a[0];
    EXPECT_EQ(addBookmark(store, "C:\\A.mkv", 10.0), 0);  // letter case makes another file
    EXPECT_EQ(addBookmark(store, "", 50) + addBookmark(store, "http://x/a\nT\t1\tC:\\a.mkv", 50), -2);
    EXPECT_EQ(bookmarksOf(store, "C:\\a.mkv"), (Times{0, 2, 10, 11}));
    EXPECT_FALSE(std::signbit(bookmarksOf(store, "C:\\a.mkv")[0]));
    std::vector<BookmarkEntry> full;
    for (int i = 0; i < kMaxBookmarksPerFile; ++i) ASSERT_GE(addBookmark(full, "f", i * 2.0), 0);
    EXPECT_EQ(addBookmark(full, "f", 1000.0), -1);
    EXPECT_EQ(addBookmark(full, "g", 1000.0), 0);
}

TEST(Bookmarks, JumpsKeepTheirMarginsAndDeletesTouchOnlyTheCurrentFile) {
    const Times marks = {10, 20, 30};
    // now, previous, next; 20 is not later than 19.6 + 0.5
    const double cases[][3] = {{20.5, 0, 2}, {21.0, 1, 2}, {19.6, 0, 2}, {19.4, 0, 1}, {20.0, 0, 2},
                               {10.7, -1, 1}, {9.0, -1, 0}, {30.7, 1, -1}, {30.9, 2, -1}};
    for (const auto& c : cases) {
        EXPECT_EQ(previousBookmark(marks, c[0]), int(c[1])) << c[0];
        EXPECT_EQ(nextBookmark(marks, c[0]), int(c[2])) << c[0];
    }
    std::vector<BookmarkEntry> store = {{"a", 30}, {"b", 20}, {"a", 10}, {"a", 20}, {"b", 5}};
    EXPECT_FALSE(deleteBookmark(store, "a", 3));
    EXPECT_TRUE(deleteBookmark(store, "a", 1));  // the middle one, 20 s
    EXPECT_EQ(formatBookmarks(store), "T\t30.000\ta\nT\t20.000\tb\nT\t10.000\ta\nT\t5.000\tb\n");
    clearBookmarks(store, "a");
    EXPECT_EQ(formatBookmarks(store), "T\t20.000\tb\nT\t5.000\tb\n");
}

TEST(PlaylistPanel, PlaceRowsScrollingAndThumb) {
    PlaylistPlacement p = placePlaylist(1100, 640, 100, 50, 32, 1.0f), small = placePlaylist(270, 300, 0, 0, 0, 1.0f);
    EXPECT_EQ((std::vector<int>{p.width, p.height, p.x, p.y, small.width, small.height}),
              (std::vector<int>{360, 418, 822, 142, 240, 200}));
    EXPECT_EQ((std::vector<int>{playlistVisibleRows(400), playlistVisibleRows(151)}), (std::vector<int>{10, 1}));
    // 20 entries, 10 rows: playing 15 shows from 10; the wheel then keeps 10, or goes up to 7.
    EXPECT_EQ((std::vector<int>{scrollToEntry(0, 15, 10), clampFirstRow(13, 20, 10), clampFirstRow(7, 20, 10),
                                scrollToEntry(7, 12, 10), clampFirstRow(5, 3, 10)}),
              (std::vector<int>{10, 10, 7, 7, 0}));
    EXPECT_FALSE(playlistThumb(400, 10, 0).visible);
    PlaylistThumb top = playlistThumb(400, 200, 0), bottom = playlistThumb(400, 200, 190);
    EXPECT_EQ((std::vector<float>{top.top, top.height, bottom.top + bottom.height}), (std::vector<float>{50, 18, 346}));
    EXPECT_EQ(entryNameFromPath("C:\\v\\film.mkv") + entryNameFromPath("https://e.com/a/b.mp4") +
                  entryNameFromPath("plain"), "film.mkvb.mp4plain");
}

TEST(PlaylistPanel, HitTestFindsButtonsBeforeRowsAndOnlyExistingEntries) {
    // x, y, part, entry; 8 entries shown from entry 5
    const int cases[][4] = {{330, 20, kPartClose, -1}, {20, 370, kPartAdd, -1},   {300, 370, kPartClear, -1},
                            {100, 50, kPartRow, 5},     {340, 50, kPartRemove, 5}, {325, 50, kPartRow, 5},
                            {100, 110, kPartRow, 7},    {100, 140, kPartNone, -1}, {2, 50, kPartNone, -1}};
    for (const auto& c : cases) {
        PlaylistHit hit = hitTestPlaylist(360, 400, 8, 5, c[0], c[1]);
        EXPECT_EQ(int(hit.part) * 1000 + hit.index, c[2] * 1000 + c[3]) << c[0] << "," << c[1];
    }
}

}  // namespace
