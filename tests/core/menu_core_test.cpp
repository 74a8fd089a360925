#include <gtest/gtest.h>

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

MenuItems build(std::map<std::string, std::string> engine, int preset = -1, bool fullScreenOnTop = false) {
    answers = std::move(engine);
    MenuContext c;
    c.settings = &settings;
    c.translate = same;
    c.panScanPreset = preset;
    c.fullScreen = c.alwaysOnTop = fullScreenOnTop;
    return BuildContextMenu(kEngine, c);
}

const MenuItem& find(const MenuItems& items, const std::wstring& label) {
    for (const MenuItem& item : items)
        if (item.label == label) return item;
    static const MenuItem none;
    ADD_FAILURE() << "no row";
    return none;
}

std::vector<std::wstring> labels(const MenuItems& items, bool (*keep)(const MenuItem&)) {
    std::vector<std::wstring> out;
    for (const MenuItem& item : items)
        if (keep(item)) out.push_back(item.label);
    return out;
}
bool checked(const MenuItem& item) { return item.checked; }

const std::map<std::string, std::string> kPlaying = {{"filename", "film.mkv"}};

}  // namespace

TEST(MenuContents, EnabledRowsChecksAndLabelsFollowTheState) {
    settings = Settings();
    MenuItems top = build({});  // nothing playing: only what needs no file can be chosen
    EXPECT_EQ(labels(top, isSelectable).size(), 7u);
    EXPECT_FALSE(find(top, L"เสียง").enabled);
    EXPECT_EQ(find(top, L"โฟลเดอร์ภาพที่บันทึก").children.size(), 2u);
    struct Case {
        std::map<std::string, std::string> engine;
        int preset;
        const wchar_t *subMenu, *subSubMenu;
        std::vector<std::wstring> checked;
    } cases[] = {
        {{{"speed", "1.25"}}, -1, L"ความเร็ว", nullptr, {L"1.25x"}},
        {{{"speed", "1.3"}}, -1, L"ความเร็ว", nullptr, {}},
        {{{"speed", "0.996"}}, -1, L"ความเร็ว", nullptr, {L"1.0x ปกติ"}},
        {{{"mute", "yes"}}, -1, L"เสียง", nullptr, {L"ปิดเสียง", L"เพิ่มความดังเสียง"}},
        {{}, -1, L"คำบรรยาย", nullptr, {L"แสดงคำบรรยาย"}},
        {{{"sub-visibility", "no"}}, -1, L"คำบรรยาย", nullptr, {}},
        {{}, 5, L"ภาพ", L"ขยายภาพ (Pan & Scan)", {L"Zoom 2"}},
    };
    for (const Case& c : cases) {
        std::map<std::string, std::string> engine = kPlaying;
        engine.insert(c.engine.begin(), c.engine.end());
        MenuItems menu = build(engine, c.preset);
        const MenuItem& sub = find(menu, c.subMenu);
        EXPECT_TRUE(sub.enabled);
        EXPECT_EQ(labels(c.subSubMenu ? find(sub.children, c.subSubMenu).children : sub.children, checked), c.checked);
    }
    EXPECT_EQ(labels(find(build({}, -1, true), L"หน้าจอ").children, checked),
              (std::vector<std::wstring>{L"เต็มจอ", L"อยู่บนสุดเสมอ"}));

    settings.seek = 10;
    copyToField(settings.shotdir, "D:\\shots");
    top = build({{"filename", "a.mkv"}, {"pause", "yes"}});
    EXPECT_EQ(top[2].label, L"เล่น");
    EXPECT_EQ(find(top, L"กรอ").children[1].label, L"ไปข้างหน้า 10 วินาที");
    EXPECT_EQ(find(top, L"โฟลเดอร์ภาพที่บันทึก").children.size(), 3u);
    EXPECT_EQ(build(kPlaying)[2].label, L"หยุดชั่วคราว");
    // A pack's count pattern that would read an argument nobody passed is not used.
    MenuContext hostile;
    hostile.settings = &settings;
    for (auto translate : {+[](const wchar_t* thai) { return wcschr(thai, L'%') ? L"%s %n %d" : thai; },
                           +[](const wchar_t* thai) { return wcschr(thai, L'%') ? L"%d of %d" : thai; }}) {
        hostile.translate = translate;
        EXPECT_EQ(find(BuildContextMenu(kEngine, hostile), L"กรอ").children[1].label, L"ไปข้างหน้า 10 วินาที");
    }
}

TEST(MenuContents, TrackRowsFromTheEngineList) {
    answers = {{"track-list/count", "4"}, {"track-list/0/type", "video"},
               {"track-list/1/type", "sub"}, {"track-list/1/id", "2"}, {"track-list/1/lang", "eng"},
               {"track-list/1/codec", "subrip"}, {"track-list/1/selected", "yes"},
               {"track-list/2/type", "sub"}, {"track-list/2/id", "3"},
               {"track-list/2/title", std::string("A\tB&C \xff\xc3(\xe0\x80\x80") + std::string(300, 'x')},
               {"track-list/3/type", "subtitle"}};
    MenuItems rows;
    ASSERT_EQ(AddTrackRows(kEngine, rows, "sub", "sid"), 2);
    EXPECT_EQ(rows[0].label + L"|" + std::wstring(rows[0].command.begin(), rows[0].command.end()),
              L"2   eng   subrip|set sid 2");
    EXPECT_TRUE(rows[0].checked && !rows[1].checked);
    // A title from the file: tabs blanked, "&" kept, bad bytes replaced, the rest cut.
    EXPECT_EQ(rows[1].label, L"3   -   A B&C \uFFFD\uFFFD(\uFFFD\uFFFD\uFFFD" + std::wstring(60, L'x') + L"\u2026");

    // No audio tracks, or an unreadable count: the audio sub-menu starts with "Volume up".
    EXPECT_EQ(find(build(kPlaying), L"เสียง").children[0].label, L"เพิ่มเสียง");
    answers = {{"track-list/count", "99999999999"}};
    EXPECT_EQ(AddTrackRows(kEngine, rows, "audio", "aid"), 0);
}

TEST(MenuContents, BookmarksMenu) {
    EXPECT_EQ(labels(BuildBookmarksMenu({}, same), isSelectable), std::vector<std::wstring>{L"เพิ่มบุ๊กมาร์กที่ตำแหน่งนี้"});
    MenuItems two = BuildBookmarksMenu({10, 3725.25}, same);
    ASSERT_EQ(two.size(), 7u);
    EXPECT_EQ(two[2].label + L"|" + two[3].label, L"1   0:00:10|2   1:02:05");
    EXPECT_EQ(two[3].command, "seek 3725.250 absolute+exact");
    ASSERT_EQ(two[5].children.size(), 2u);
    EXPECT_EQ(two[5].children[1].label, two[3].label);
    EXPECT_EQ(two[5].children[1].command + two[6].command, "@bmdel 1@bmclear");
}

TEST(MenuGeometry, LayoutAndWalk) {
    MenuItems items(4);
    items[1].separator = true;
    items[2].enabled = false;
    LevelLayout layout = layoutLevel(items, 40, 20);
    EXPECT_EQ(layout.rowTops, (std::vector<int>{6, 34, 43, 71}));
    EXPECT_EQ(layout.width * 1000 + layout.height, kMinLevelWidth * 1000 + 105);
    EXPECT_EQ(layoutLevel(items, 150.7f, 3.9f).width, 233);
    items[3].children.resize(1);  // room for the sub-menu arrow
    EXPECT_EQ(layoutLevel(items, 150.7f, 3.9f).width, 240);
    EXPECT_EQ(layoutLevel(items, 5000, 0).width, kMaxLevelWidth);
    for (auto [y, row] : {std::pair{5, -1}, {6, 0}, {33, 0}, {34, 1}, {98, 3}, {99, -1}})
        EXPECT_EQ(rowAtY(layout, y), row);

    // Down and Up skip separators and disabled rows and wrap.
    for (auto [from, step, to] : {std::tuple{-1, 1, 0}, {-1, -1, 3}, {0, 1, 3}, {3, 1, 0}, {0, -1, 3}})
        EXPECT_EQ(nextSelectableRow(items, from, step), to);
    EXPECT_EQ(nextSelectableRow(MenuItems(2, items[1]), -1, 1), -1);
}
