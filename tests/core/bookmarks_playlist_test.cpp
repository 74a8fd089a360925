#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/playlist_core.h"
#include "store/bookmarks_core.h"

namespace {

using Times = std::vector<double>;

TEST(BookmarksFile, ReadsGoodLinesDropsTheRestAndWritesLfOnly) {
    const std::string text =
        "T\t83.500\tC:\\v\\a.mkv\r\n"    // CR LF
        "T\t10\tD:\\b.mp4\n"
        "T\t\tC:\\v\\a.mkv\n"            // empty time reads as 0
        "T\tabc\tC:\\v\\a.mkv\n"         // non-numeric too, but 0 is taken already: still loaded
        "T\t5\t\n"                       // no key
        "X\t5\tC:\\x\n"
        "T 5\tC:\\x\n"
        "T\t5\n"
        "T\tnan\tC:\\x\nT\tinf\tC:\\x\nT\t1e300\tC:\\x\nT\t-5\tC:\\x\nT\t2147483648\tC:\\x\n"
        "T\t2147483647.5\tC:\\x";        // last line without LF
    std::vector<BookmarkEntry> store = parseBookmarks(text);
    ASSERT_EQ(store.size(), 5u);
    EXPECT_EQ(store[0].fileKey, "C:\\v\\a.mkv");
    EXPECT_EQ(store[1].fileKey, "D:\\b.mp4");
    EXPECT_EQ(store[4].fileKey, "C:\\x");
    EXPECT_EQ(bookmarksOf(store, "C:\\v\\a.mkv"), (Times{0, 0, 83.5}));
    EXPECT_EQ(formatBookmarks(store),
              "T\t83.500\tC:\\v\\a.mkv\nT\t10.000\tD:\\b.mp4\nT\t0.000\tC:\\v\\a.mkv\nT\t0.000\tC:\\v\\a.mkv\n"
              "T\t2147483647.500\tC:\\x\n");
}

TEST(BookmarksFile, TimesReadAsDecimalNumbersOnEveryPlatform) {
    struct Case {
        const char* field;
        double seconds;  // -1: the line is dropped
    } cases[] = {{"12abc", 12}, {"0x10", 0}, {" .5", 0.5}, {"1e2x", 100}, {"1e", 1}, {"-0", 0}, {"+7.25", 7.25},
                 {"1.23456", 1.235}, {"INF", -1}, {"+nan", -1}, {"-inFinity", -1}, {"-1", -1}, {"1e10", -1}};
    for (const Case& c : cases) {
        std::vector<BookmarkEntry> store = parseBookmarks(std::string("T\t") + c.field + "\tk\n");
        std::vector<double> expected;
        if (c.seconds >= 0) expected.push_back(c.seconds);
        EXPECT_EQ(bookmarksOf(store, "k"), expected) << c.field;
    }
}

TEST(Bookmarks, AddKeepsTheGapTheLimitAndTheKeysApart) {
    std::vector<BookmarkEntry> store = {{"other", 10.2}};
    EXPECT_EQ(addBookmark(store, "C:\\a.mkv", 10.0), 0);
    EXPECT_EQ(addBookmark(store, "C:\\a.mkv", 10.6), -1);
    EXPECT_EQ(addBookmark(store, "C:\\a.mkv", 9.2), -1);
    EXPECT_EQ(addBookmark(store, "C:\\a.mkv", 11.0), 1);
    EXPECT_EQ(addBookmark(store, "C:\\a.mkv", 2.0), 0);
    EXPECT_EQ(addBookmark(store, "C:\\A.mkv", 10.0), 0);  // letter case makes another file
    for (double bad : {-0.5, 1.0 / 0.0, 0.0 / 0.0, 3e9}) EXPECT_EQ(addBookmark(store, "C:\\a.mkv", bad), -1);
    EXPECT_EQ(addBookmark(store, "", 50), -1);
    EXPECT_EQ(addBookmark(store, "http://x/a\nT\t1\tC:\\a.mkv", 50), -1);
    EXPECT_EQ(store.front().fileKey, "other");
    EXPECT_EQ(bookmarksOf(store, "C:\\a.mkv"), (Times{2, 10, 11}));

    std::vector<BookmarkEntry> full;
    for (int i = 0; i < kMaxBookmarksPerFile; ++i) ASSERT_GE(addBookmark(full, "f", i * 2.0), 0);
    EXPECT_EQ(addBookmark(full, "f", 1000.0), -1);
    EXPECT_EQ(addBookmark(full, "g", 1000.0), 0);
}

TEST(Bookmarks, PreviousAndNextKeepTheirMargins) {
    const Times marks = {10, 20, 30};
    struct Case {
        double now;
        int previous, next;
    } cases[] = {
        {20.5, 0, 2}, {21.0, 1, 2}, {19.6, 0, 2},  // 20 is not later than 19.6 + 0.5
        {19.4, 0, 1}, {20.0, 0, 2}, {10.7, -1, 1}, {9.0, -1, 0}, {30.7, 1, -1}, {30.9, 2, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(previousBookmark(marks, c.now), c.previous) << c.now;
        EXPECT_EQ(nextBookmark(marks, c.now), c.next) << c.now;
    }
    EXPECT_EQ(nextBookmark({}, 0), -1);
}

TEST(Bookmarks, DeleteAndClearTouchOnlyTheCurrentFile) {
    std::vector<BookmarkEntry> store = {{"a", 30}, {"b", 20}, {"a", 10}, {"a", 20}, {"b", 5}};
    EXPECT_FALSE(deleteBookmark(store, "a", 3));
    EXPECT_FALSE(deleteBookmark(store, "a", -1));
    EXPECT_TRUE(deleteBookmark(store, "a", 1));  // the middle one, 20 s
    EXPECT_EQ(formatBookmarks(store), "T\t30.000\ta\nT\t20.000\tb\nT\t10.000\ta\nT\t5.000\tb\n");
    clearBookmarks(store, "a");
    EXPECT_EQ(formatBookmarks(store), "T\t20.000\tb\nT\t5.000\tb\n");
}

TEST(PlaylistPanel, SizeAndPlaceFollowTheWindow) {
    PlaylistPlacement p = placePlaylist(1100, 640, 100, 50, 32, 1.0f);
    EXPECT_EQ(p.width, 360);
    EXPECT_EQ(p.height, 418);
    EXPECT_EQ(p.x, 100 + 1100 - 378);
    EXPECT_EQ(p.y, 50 + 32 + 60);
    EXPECT_EQ(placePlaylist(270, 300, 0, 0, 0, 1.0f).width, 240);
    EXPECT_EQ(placePlaylist(270, 300, 0, 0, 0, 1.0f).height, 200);
    PlaylistPlacement hi = placePlaylist(1600, 1200, 0, 0, 48, 2.0f);
    EXPECT_EQ(hi.width, 360);
    EXPECT_EQ(hi.height, 600 - 24 - 190);
    EXPECT_EQ(hi.x, 1600 - 756);
    EXPECT_EQ(hi.y, 48 + 120);
}

TEST(PlaylistPanel, RowsScrollingAndTheThumb) {
    EXPECT_EQ(playlistVisibleRows(400), 10);
    EXPECT_EQ(playlistVisibleRows(151), 1);
    EXPECT_EQ(playlistVisibleRows(200), 3);
    int first = scrollToEntry(0, 15, 10);
    EXPECT_EQ(first, 10);
    EXPECT_EQ(clampFirstRow(first + 3, 20, 10), 10);
    EXPECT_EQ(clampFirstRow(first - 3, 20, 10), 7);
    EXPECT_EQ(scrollToEntry(7, 12, 10), 7);  // already visible
    EXPECT_EQ(scrollToEntry(7, -1, 10), 7);
    EXPECT_EQ(clampFirstRow(5, 3, 10), 0);
    EXPECT_FALSE(playlistThumb(400, 10, 0).visible);
    PlaylistThumb top = playlistThumb(400, 200, 0), bottom = playlistThumb(400, 200, 190);
    EXPECT_TRUE(top.visible);
    EXPECT_FLOAT_EQ(top.top, 50);
    EXPECT_FLOAT_EQ(top.height, 18);
    EXPECT_FLOAT_EQ(bottom.top + bottom.height, 50 + 296);
}

TEST(PlaylistPanel, HitTestFindsButtonsBeforeRowsAndOnlyExistingEntries) {
    struct Case {
        int x, y;
        PlaylistPart part;
        int index;
    } cases[] = {
        {330, 20, kPartClose, -1}, {20, 370, kPartAdd, -1},    {300, 370, kPartClear, -1},
        {100, 50, kPartRow, 5},    {340, 50, kPartRemove, 5},  {325, 50, kPartRow, 5},
        {100, 110, kPartRow, 7},   {100, 140, kPartNone, -1},  {2, 50, kPartNone, -1},
        {100, 20, kPartNone, -1},
    };
    for (const Case& c : cases) {
        PlaylistHit hit = hitTestPlaylist(360, 400, 8, 5, c.x, c.y);
        EXPECT_EQ(hit.part, c.part) << c.x << "," << c.y;
        EXPECT_EQ(hit.index, c.index) << c.x << "," << c.y;
    }
}

TEST(PlaylistPanel, EntryNamesLoseTheirFolder) {
    EXPECT_EQ(entryNameFromPath("C:\\v\\film.mkv"), "film.mkv");
    EXPECT_EQ(entryNameFromPath("https://example.com/a/b.mp4"), "b.mp4");
    EXPECT_EQ(entryNameFromPath("plain.mp4"), "plain.mp4");
    EXPECT_EQ(entryNameFromPath(""), "");
}

}  // namespace
