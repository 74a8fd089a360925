#include <gtest/gtest.h>

#include "engine/playlist_core.h"
#include "menu/menu_core.h"
#include "osd/hud_core.h"
#include "panels/info_core.h"

namespace {

// The control bar's elements read as the bar shows them: the times in its form, the play button
// named by what a press does, unplaced chips hidden, active chips pressed, steps by the setting.
TEST(AccessItems, ControlBarFollowsTheModel) {
    setAccessTexts({nullptr, [](const wchar_t*, int n) { return L"Back " + std::to_wstring(n); }, [] { return 10; }});
    HudModel m;
    layoutHudElements(m, 640, 1.0f);
    m.position = 754.9, m.duration = 3725, m.paused = true, m.speed = 1.5, m.volume = 149.6;
    AccessItem item;
    ASSERT_TRUE(hudAccessItem(m, kHudSeek, false, item));
    EXPECT_EQ(item.value, L"0:12:34 จาก 1:02:05");
    m.duration = 600;
    hudAccessItem(m, kHudSeek, false, item);
    EXPECT_EQ(item.value, L"12:34 จาก 10:00");
    hudAccessItem(m, kHudPlay, false, item);
    EXPECT_EQ(item.name, L"เล่น");
    EXPECT_EQ(item.x + item.w, 132);
    hudAccessItem(m, kHudBack, false, item);
    EXPECT_EQ(item.name, L"Back 10");
    hudAccessItem(m, kHudVol, false, item);
    EXPECT_EQ(item.value, L"150%");
    hudAccessItem(m, kHudSpeed, false, item);  // no room at 640
    EXPECT_TRUE(item.state & kStateInvisible);
    m.subtitlesShown = true;
    hudAccessItem(m, kHudSub, false, item);
    EXPECT_EQ(item.state, unsigned(kStatePressed));
    EXPECT_FALSE(hudAccessItem(m, kHudElementCount + 1, false, item));
    setAccessTexts({});
}

TEST(AccessItems, MenuRowsCarryTheirStatesAndPlaces) {
    MenuItems items(3);
    items[0].label = L"Mute", items[0].shortcut = L"M", items[0].checked = true;
    items[1].separator = true;
    items[2].label = L"Speed", items[2].enabled = false, items[2].children.resize(1);
    LevelLayout layout = layoutLevel(items, 50, 10);
    AccessItem item;
    ASSERT_TRUE(menuRowAccessItem(items, layout, 0, true, item));
    EXPECT_EQ(item.state & (kStateChecked | kStateHotTracked), unsigned(kStateChecked | kStateHotTracked));
    EXPECT_EQ(item.shortcut, L"M");
    menuRowAccessItem(items, layout, 1, false, item);
    EXPECT_EQ(item.role, kRoleSeparator);
    menuRowAccessItem(items, layout, 2, false, item);
    EXPECT_EQ(item.state & (kStateUnavailable | kStateHasPopup), unsigned(kStateUnavailable | kStateHasPopup));
    EXPECT_TRUE(item.action.empty());
    EXPECT_EQ(item.y, float(layout.rowTops[2]));
    EXPECT_FALSE(menuRowAccessItem(items, layout, 3, false, item));
}

// Rows scrolled out of view keep their names but have no place a click could reach.
TEST(AccessItems, ScrolledRowsHaveNoPlace) {
    PlaylistAccessView view = {360, 400, 50, 20, 21};
    AccessItem item;
    ASSERT_TRUE(playlistAccessItem(view, kPlaylistAccessFirstEntry + 2 * 21, L"b.mkv", item));
    EXPECT_EQ(item.state & kStateSelected, unsigned(kStateSelected));
    EXPECT_EQ(item.y, float(kPlaylistRowTop + kPlaylistRowHeight));
    playlistAccessItem(view, kPlaylistAccessFirstEntry + 2 * 21 + 1, L"b.mkv", item);  // its remove cross
    EXPECT_EQ(item.x, 326);
    EXPECT_EQ(item.description, L"b.mkv");
    EXPECT_EQ(playlistAccessChild(hitTestPlaylist(360, 400, 50, 20, 330, 80)), kPlaylistAccessFirstEntry + 2 * 21 + 1);
    playlistAccessItem(view, kPlaylistAccessFirstEntry + 2 * 2, L"a.mkv", item);
    EXPECT_TRUE((item.state & kStateOffscreen) && item.w == 0);
    floatingRowAccessItem(L"Name", L"x", false, 500, kInfoRowHeight, 0, 300, item);
    EXPECT_TRUE((item.state & kStateOffscreen) && item.w == 0 && item.value == L"x");
    floatingRowAccessItem(L"Name", L"x", false, 500, kInfoRowHeight, 400, 300, item);
    EXPECT_EQ(item.y, 146);
}

}  // namespace
