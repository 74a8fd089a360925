#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <map>
#include <string>

#include "menu/menu_core.h"

namespace {

// The engine's answers as texts; a missing name fails to read.
std::map<std::string, std::string> answers;

bool readText(const char* name, char* buffer, size_t size) {
    return answers.count(name) && snprintf(buffer, size, "%s", answers[name].c_str()) >= 0;
}
bool readFlag(const char* name, bool& value) { return answers.count(name) && (value = answers[name] == "yes", true); }
bool readDouble(const char* name, double& value) { return answers.count(name) && (value = atof(answers[name].c_str()), true); }
const MenuEngineReads kEngine = {readDouble, readFlag, readText};
const wchar_t* same(const wchar_t* text) { return text; }
Settings settings;

MenuItems build(std::map<std::string, std::string> engine, int preset = -1) {
    answers = std::move(engine);
    MenuContext c;
    c.settings = &settings;
    c.translate = same;
    c.panScanPreset = preset;
    return BuildContextMenu(kEngine, c);
}

const MenuItem& find(const MenuItems& items, const std::wstring& label) {
    for (const MenuItem& item : items)
        if (item.label == label) return item;
    static const MenuItem none;
    ADD_FAILURE() << "no row";
    return none;
}

std::vector<std::wstring> checkedLabels(const MenuItems& items) {
    std::vector<std::wstring> out;
    for (const MenuItem& item : items)
        if (item.checked) out.push_back(item.label);
    return out;
}

}  // namespace

TEST(MenuContents, EnabledRowsChecksAndLabelsFollowTheState) {
    settings = Settings();
    MenuItems top = build({});  // nothing playing: only what needs no file can be chosen
    EXPECT_EQ(std::count_if(top.begin(), top.end(), isSelectable), 7);
    struct Case {
        std::map<std::string, std::string> engine;
        int preset;
        const wchar_t *subMenu, *subSubMenu;
        std::vector<std::wstring> checked;
    } cases[] = {
        {{{"speed", "0.996"}}, -1, L"ความเร็ว", nullptr, {L"1.0x ปกติ"}},
        {{{"mute", "yes"}}, -1, L"เสียง", nullptr, {L"ปิดเสียง", L"เพิ่มความดังเสียง"}},
        {{{"sub-visibility", "no"}}, -1, L"คำบรรยาย", nullptr, {}},
        {{}, 5, L"ภาพ", L"ขยายภาพ (Pan & Scan)", {L"Zoom 2"}},
    };
    for (const Case& c : cases) {
        std::map<std::string, std::string> engine = {{"filename", "film.mkv"}};
        engine.insert(c.engine.begin(), c.engine.end());
        MenuItems menu = build(engine, c.preset);
        const MenuItem& sub = find(menu, c.subMenu);
        EXPECT_TRUE(sub.enabled);
        EXPECT_EQ(checkedLabels(c.subSubMenu ? find(sub.children, c.subSubMenu).children : sub.children), c.checked);
    }
    settings.seek = 10;
    copyToField(settings.shotdir, "D:\\shots");
    top = build({{"filename", "a.mkv"}, {"pause", "yes"}});
    EXPECT_EQ(top[2].label, L"เล่น");
    EXPECT_EQ(find(top, L"โฟลเดอร์ภาพที่บันทึก").children.size(), 3u);
    // A pack's count pattern that would read an argument nobody passed is not used.
    MenuContext hostile;
    hostile.settings = &settings;
    for (auto translate : {+[](const wchar_t* thai) { return wcschr(thai, L'%') ? L"%s %n %d" : thai; },
                           +[](const wchar_t* thai) { return wcschr(thai, L'%') ? L"%d of %d" : thai; }}) {
        hostile.translate = translate;
        EXPECT_EQ(find(BuildContextMenu(kEngine, hostile), L"กรอ").children[1].label, L"ไปข้างหน้า 10 วินาที");
    }
}

TEST(MenuContents, TrackAndBookmarkRows) {
    answers = {{"track-list/count", "3"}, {"track-list/0/type", "video"}, {"track-list/1/type", "sub"},
               {"track-list/1/id", "2"}, {"track-list/1/lang", "eng"}, {"track-list/1/codec", "subrip"},
               {"track-list/1/selected", "yes"}, {"track-list/2/type", "sub"}, {"track-list/2/id", "3"},
               {"track-list/2/title", std::string("A\tB&C \xff\xc3(\xe0\x80\x80") + std::string(300, 'x')}};
    MenuItems rows;
    ASSERT_EQ(AddTrackRows(kEngine, rows, "sub", "sid"), 2);
    EXPECT_EQ(rows[0].label + L"|" + std::wstring(rows[0].command.begin(), rows[0].command.end()),
              L"2   eng   subrip|set sid 2");
    EXPECT_TRUE(rows[0].checked && !rows[1].checked);
    // A title from the file: tabs blanked, "&" kept, bad bytes replaced, the rest cut.
    EXPECT_EQ(rows[1].label, L"3   -   A B&C \uFFFD\uFFFD(\uFFFD\uFFFD\uFFFD" + std::wstring(60, L'x') + L"\u2026");
    answers = {{"track-list/count", "99999999999"}};
    EXPECT_EQ(AddTrackRows(kEngine, rows, "audio", "aid"), 0);

    MenuItems two = BuildBookmarksMenu({10, 3725.25}, same);
    ASSERT_EQ(two.size(), 7u);
    EXPECT_EQ(two[3].label + L"|" + std::wstring(two[3].command.begin(), two[3].command.end()),
              L"2   1:02:05|seek 3725.250 absolute+exact");
    EXPECT_EQ(two[5].children[1].command + two[6].command, "@bmdel 1@bmclear");
}

TEST(MenuGeometry, WidthClampRowGapsWalkAndTheFlipAtTheWorkAreaEdges) {
    MenuItems items(4);
    items[1].separator = true;
    items[2].enabled = false;
    LevelLayout layout = layoutLevel(items, 40, 20);
    EXPECT_EQ(layout.width, kMinLevelWidth);
    EXPECT_EQ(layoutLevel(items, 5000, 0).width, kMaxLevelWidth);
    for (auto [y, row] : {std::pair{5, -1}, {6, 0}, {33, 0}, {34, 1}, {98, 3}, {99, -1}})
        EXPECT_EQ(rowAtY(layout, y), row);
    // Down and Up skip separators and disabled rows and wrap.
    for (auto [from, step, to] : {std::tuple{-1, 1, 0}, {-1, -1, 3}, {0, 1, 3}, {3, 1, 0}, {0, -1, 3}})
        EXPECT_EQ(nextSelectableRow(items, from, step), to);
    EXPECT_EQ(nextSelectableRow(MenuItems(2, items[1]), -1, 1), -1);
    // at, height, sub-menu -> corner of a level 200 wide in a work area from (0, 40) to (1000, 700);
    // a sub-menu's parent is at x 700
    for (auto [atX, atY, height, sub, left, top] :
         {std::tuple{100, 100, 300, false, 100, 100}, {900, 500, 300, false, 800, 400}, {900, 10, 900, false, 800, 40},
          {900, 100, 300, true, 502, 100}, {800, 100, 300, true, 800, 100}, {-50, 100, 300, false, 0, 100}}) {
        int x, y;
        placeLevel(atX, atY, 200, height, {0, 40, 1000, 700}, sub, 700, 2, x, y);
        EXPECT_EQ(x * 10000 + y, left * 10000 + top) << atX << "," << atY;
    }
}
