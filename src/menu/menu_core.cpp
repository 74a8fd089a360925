#include "menu/menu_core.h"

#include "osd/drawing_kit_core.h"
#include "panels/language_core.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Which sub-menu a row opens.
enum class Sub : unsigned char {
    None, Seek, Speed, Audio, Subtitles, Video, Aspect, PanScan, Window, AbRepeat, ShotDir
};
// The state that puts a check mark on a row.
enum class Check : unsigned char { None, Speed, Muted, Boost, SubVisible, Hwdec, FullScreen, OnTop, PanScan };
// Rows whose presence or text depend on the state.
enum class Kind : unsigned char {
    Plain,
    Separator,
    PlayPause,        // "Play" while paused, else "Pause"
    SeekStep,         // the label is a format filled with the seek setting
    AudioTracks,      // the audio track rows, and a separator when there were any
    SubTracks,        // the subtitle track rows
    OnlyWithShotDir,  // shown only when a capture folder of the user's is set
};

struct RowDef {
    Kind kind;
    const wchar_t* thai;
    const wchar_t* shortcut;
    const char* command;
    bool needsFile;
    Sub sub;
    Check check;
    double value;  // what a Speed or PanScan check compares with
};

constexpr RowDef kSeparator = {Kind::Separator, L"", L"", "", false, Sub::None, Check::None, 0};

RowDef row(const wchar_t* thai, const wchar_t* shortcut, const char* command, Check check = Check::None,
            double value = 0) {
    return {Kind::Plain, thai, shortcut, command, false, Sub::None, check, value};
}
RowDef fileRow(const wchar_t* thai, const wchar_t* shortcut, const char* command) {
    return {Kind::Plain, thai, shortcut, command, true, Sub::None, Check::None, 0};
}
RowDef subRow(const wchar_t* thai, Sub sub, bool needsFile) {
    return {Kind::Plain, thai, L"", "", needsFile, sub, Check::None, 0};
}
RowDef kindRow(Kind kind, const wchar_t* thai, const wchar_t* shortcut, const char* command, bool needsFile) {
    return {kind, thai, shortcut, command, needsFile, Sub::None, Check::None, 0};
}

const std::vector<RowDef> kTopLevel = {
    row(L"เปิดไฟล์...", L"Ctrl+O", "@open"),
    kSeparator,
    kindRow(Kind::PlayPause, L"หยุดชั่วคราว", L"Space", "cycle pause", true),
    fileRow(L"หยุด", L"Ctrl+Space", "set pause yes ; seek 0 absolute"),
    fileRow(L"ไฟล์ก่อนหน้า", L"PgUp", "playlist-prev"),
    fileRow(L"ไฟล์ถัดไป", L"PgDn", "playlist-next"),
    row(L"รายการเล่น...", L"F8", "@playlist"),
    kSeparator,
    subRow(L"กรอ", Sub::Seek, true),
    subRow(L"ความเร็ว", Sub::Speed, true),
    subRow(L"เสียง", Sub::Audio, true),
    subRow(L"คำบรรยาย", Sub::Subtitles, true),
    subRow(L"ภาพ", Sub::Video, true),
    subRow(L"หน้าจอ", Sub::Window, false),
    subRow(L"ซ้ำ A-B", Sub::AbRepeat, true),
    fileRow(L"เพิ่มบุ๊กมาร์ก", L"N", "@bmadd"),
    fileRow(L"บุ๊กมาร์ก...", L"B", "@bmmenu"),
    kSeparator,
    fileRow(L"จับภาพหน้าจอ", L"Ctrl+E", "@saveframe"),
    subRow(L"โฟลเดอร์ภาพที่บันทึก", Sub::ShotDir, false),
    fileRow(L"คัดลอกภาพไปคลิปบอร์ด", L"Ctrl+C", "@copyframe"),
    fileRow(L"ข้อมูลการเล่น", L"F1", "@info"),
    row(L"ตั้งค่า...", L"F5", "@settings"),
    row(L"วิธีใช้งาน...", L"", "@help"),
    kSeparator,
    fileRow(L"ปิดไฟล์", L"F4", "@close"),
    row(L"ออกจากโปรแกรม", L"Alt+F4", "@quit"),
};

const std::vector<RowDef> kSeek = {
    kindRow(Kind::SeekStep, L"ย้อนหลัง %d วินาที", L"←", "@step -1", false),
    kindRow(Kind::SeekStep, L"ไปข้างหน้า %d วินาที", L"→", "@step 1", false),
    row(L"ย้อนหลัง 60 วินาที", L"Ctrl+←", "seek -60 relative+keyframes"),
    row(L"ไปข้างหน้า 60 วินาที", L"Ctrl+→", "seek 60 relative+keyframes"),
    row(L"ย้อนหลัง 300 วินาที", L"Shift+←", "seek -300 relative+keyframes"),
    row(L"ไปข้างหน้า 300 วินาที", L"Shift+→", "seek 300 relative+keyframes"),
    kSeparator,
    row(L"เริ่มใหม่ตั้งแต่ต้น", L"Backspace", "seek 0 absolute"),
    row(L"เฟรมถัดไป", L"F", "frame-step"),
    row(L"เฟรมก่อนหน้า", L"Ctrl+,", "frame-back-step"),
};

const std::vector<RowDef> kSpeed = {
    row(L"0.5x", L"", "set speed 0.5", Check::Speed, 0.5),
    row(L"0.75x", L"", "set speed 0.75", Check::Speed, 0.75),
    row(L"1.0x ปกติ", L"Z", "set speed 1", Check::Speed, 1.0),
    row(L"1.25x", L"", "set speed 1.25", Check::Speed, 1.25),
    row(L"1.5x", L"", "set speed 1.5", Check::Speed, 1.5),
    row(L"2.0x", L"", "set speed 2", Check::Speed, 2.0),
    kSeparator,
    row(L"ช้าลง", L"X", "add speed -0.1"),
    row(L"เร็วขึ้น", L"C", "add speed 0.1"),
};

const std::vector<RowDef> kAudio = {
    kindRow(Kind::AudioTracks, L"", L"", "", false),
    row(L"เพิ่มเสียง", L"↑", "@vol 1"),
    row(L"ลดเสียง", L"↓", "@vol -1"),
    row(L"ปิดเสียง", L"M", "cycle mute", Check::Muted),
    row(L"เพิ่มความดังเสียง", L"", "@boost", Check::Boost),
    kSeparator,
    row(L"เสียงเร็วขึ้น 0.1 วินาที", L"Shift+.", "add audio-delay -0.1"),
    row(L"เสียงช้าลง 0.1 วินาที", L"Shift+,", "add audio-delay 0.1"),
    row(L"ปรับเสียงเป็นปกติ", L"Shift+/", "set audio-delay 0"),
};

const std::vector<RowDef> kSubtitles = {
    row(L"แสดงคำบรรยาย", L"Alt+H", "cycle sub-visibility", Check::SubVisible),
    kSeparator,
    row(L"ปิดคำบรรยาย", L"", "set sid no"),
    kindRow(Kind::SubTracks, L"", L"", "", false),
    kSeparator,
    row(L"เร็วขึ้น 0.5 วินาที", L".", "add sub-delay -0.5"),
    row(L"ช้าลง 0.5 วินาที", L",", "add sub-delay 0.5"),
    row(L"ตั้งเวลาเป็นปกติ", L"/", "set sub-delay 0"),
    kSeparator,
    row(L"ตัวอักษรใหญ่ขึ้น", L"Alt+PgUp", "add sub-scale 0.1"),
    row(L"ตัวอักษรเล็กลง", L"Alt+PgDn", "add sub-scale -0.1"),
    row(L"เลื่อนขึ้น", L"Alt+↑", "add sub-pos -2"),
    row(L"เลื่อนลง", L"Alt+↓", "add sub-pos 2"),
};

const std::vector<RowDef> kVideo = {
    subRow(L"สัดส่วนภาพ", Sub::Aspect, false),
    subRow(L"ขยายภาพ (Pan & Scan)", Sub::PanScan, false),
    kSeparator,
    row(L"ซูมเข้า", L"Num +", "add video-zoom 0.1"),
    row(L"ซูมออก", L"Num -", "add video-zoom -0.1"),
    row(L"รีเซ็ตซูมและตำแหน่ง", L"Num 5", "@psreset"),
    row(L"หมุนภาพ", L"Ctrl+Shift+S", "cycle-values video-rotate 90 180 270 0"),
    kSeparator,
    row(L"รีเซ็ตความสว่าง/สี", L"Q", "set brightness 0 ; set contrast 0 ; set saturation 0 ; set hue 0"),
    kSeparator,
    row(L"ถอดรหัสด้วยการ์ดจอ", L"", "@hwdec", Check::Hwdec),
};

const std::vector<RowDef> kAspect = {
    row(L"ค่าเดิมของวิดีโอ", L"Ctrl+F6", "set video-aspect-override -1"),
    row(L"4 : 3", L"Ctrl+F7", "set video-aspect-override 4:3"),
    row(L"16 : 9", L"Ctrl+F8", "set video-aspect-override 16:9"),
    row(L"1.85 : 1", L"Ctrl+F9", "set video-aspect-override 1.85:1"),
    row(L"2.35 : 1", L"Ctrl+F10", "set video-aspect-override 2.35:1"),
};

const std::vector<RowDef> kPanScan = {
    row(L"เต็มจอแบบไม่มีขอบดำ", L"0", "@fill"),
    kSeparator,
    row(L"ค่าเริ่มต้น", L"", "@ps 0", Check::PanScan, 0),
    row(L"Stretch 1", L"", "@ps 1", Check::PanScan, 1),
    row(L"Stretch 2", L"", "@ps 2", Check::PanScan, 2),
    row(L"Stretch 3", L"", "@ps 3", Check::PanScan, 3),
    row(L"Zoom 1", L"", "@ps 4", Check::PanScan, 4),
    row(L"Zoom 2", L"", "@ps 5", Check::PanScan, 5),
    row(L"Zoom 3", L"", "@ps 6", Check::PanScan, 6),
};

const std::vector<RowDef> kWindow = {
    row(L"เต็มจอ", L"Enter", "@fullscreen", Check::FullScreen),
    kSeparator,
    row(L"ขนาด 0.5 เท่า", L"1", "@size 0.5"),
    row(L"ขนาด 1 เท่า", L"2", "@size 1"),
    row(L"ขนาด 1.5 เท่า", L"3", "@size 1.5"),
    row(L"ขนาด 2 เท่า", L"4", "@size 2"),
    row(L"ขยายหน้าต่างสูงสุด", L"6", "@maximize"),
    kSeparator,
    row(L"อยู่บนสุดเสมอ", L"Ctrl+A", "@ontop", Check::OnTop),
};

const std::vector<RowDef> kAbRepeat = {
    row(L"ตั้งจุดเริ่ม A", L"[", "set ab-loop-a ${=time-pos}"),
    row(L"ตั้งจุดจบ B", L"]", "set ab-loop-b ${=time-pos}"),
    row(L"ยกเลิกการวน", L"\\", "set ab-loop-a no ; set ab-loop-b no"),
};

const std::vector<RowDef> kShotDir = {
    row(L"เปิดโฟลเดอร์", L"", "@shotdir"),
    row(L"เปลี่ยนโฟลเดอร์...", L"", "@shotdirpick"),
    kindRow(Kind::OnlyWithShotDir, L"กลับไปใช้โฟลเดอร์รูปภาพของ Windows", L"", "@shotdirdefault", false),
};

const std::vector<RowDef>& subTable(Sub sub) {
    switch (sub) {
        case Sub::Seek: return kSeek;
        case Sub::Speed: return kSpeed;
        case Sub::Audio: return kAudio;
        case Sub::Subtitles: return kSubtitles;
        case Sub::Video: return kVideo;
        case Sub::Aspect: return kAspect;
        case Sub::PanScan: return kPanScan;
        case Sub::Window: return kWindow;
        case Sub::AbRepeat: return kAbRepeat;
        case Sub::ShotDir: return kShotDir;
        case Sub::None: break;
    }
    return kTopLevel;
}

// The engine state of the moment the menu opens, with the fall-backs for failed reads.
struct EngineState {
    bool fileLoaded = false, paused = false, muted = false, subVisible = true;
    double speed = 1.0;
};

EngineState readEngineState(const MenuEngineReads& engine) {
    EngineState s;
    char filename[160] = {};
    s.fileLoaded = engine.getText && engine.getText("filename", filename, sizeof filename) && filename[0];
    bool flag = false;
    if (engine.getFlag && engine.getFlag("pause", flag)) s.paused = flag;
    if (engine.getFlag && engine.getFlag("mute", flag)) s.muted = flag;
    if (engine.getFlag && engine.getFlag("sub-visibility", flag)) s.subVisible = flag;
    double speed = 0;
    if (engine.getDouble && engine.getDouble("speed", speed)) s.speed = speed;
    return s;
}

bool isChecked(const RowDef& def, const EngineState& state, const MenuContext& context) {
    const Settings& settings = *context.settings;
    switch (def.check) {
        case Check::None: return false;
        case Check::Speed: return std::fabs(state.speed - def.value) < 0.005;
        case Check::Muted: return state.muted;
        case Check::Boost: return settings.boost != 0;
        case Check::SubVisible: return state.subVisible;
        case Check::Hwdec: return settings.hwdec != 0;
        case Check::FullScreen: return context.fullScreen;
        case Check::OnTop: return context.alwaysOnTop;
        case Check::PanScan: return context.panScanPreset == int(def.value);
    }
    return false;
}

MenuItem separatorItem() {
    MenuItem item;
    item.separator = true;
    return item;
}

void appendRows(const std::vector<RowDef>& table, const MenuEngineReads& engine, const EngineState& state,
                const MenuContext& context, MenuItems& out) {
    const wchar_t* (*tr)(const wchar_t*) = context.translate;
    for (const RowDef& def : table) {
        switch (def.kind) {
            case Kind::Separator: out.push_back(separatorItem()); continue;
            case Kind::AudioTracks:
                if (AddTrackRows(engine, out, "audio", "aid") > 0) out.push_back(separatorItem());
                continue;
            case Kind::SubTracks: AddTrackRows(engine, out, "sub", "sid"); continue;
            case Kind::OnlyWithShotDir:
                if (!context.settings->shotdir[0]) continue;
                break;
            default: break;
        }
        MenuItem item;
        if (def.kind == Kind::PlayPause) {
            item.label = tr(state.paused ? L"เล่น" : def.thai);
        } else if (def.kind == Kind::SeekStep) {
            int seek = int(context.settings->seek);
            if (context.countText) {
                item.label = context.countText(def.thai, seek);
            } else {
                const wchar_t* pattern = tr(def.thai);
                wchar_t text[80];
                swprintf(text, 80, isSingleCountPattern(pattern) ? pattern : def.thai, seek);
                item.label = text;
            }
        } else {
            item.label = tr(def.thai);
        }
        item.shortcut = def.shortcut;
        item.command = def.command;
        item.enabled = !def.needsFile || state.fileLoaded;
        item.checked = isChecked(def, state, context);
        if (def.sub != Sub::None) appendRows(subTable(def.sub), engine, state, context, item.children);
        out.push_back(std::move(item));
    }
}

}  // namespace

bool operator==(const MenuItem& a, const MenuItem& b) {
    return a.label == b.label && a.shortcut == b.shortcut && a.command == b.command && a.checked == b.checked &&
           a.enabled == b.enabled && a.separator == b.separator && a.children == b.children;
}

std::wstring rowTextFromUtf8(const char* text, size_t maxChars) {
    auto controlsAsSpaces = [](uint32_t c) -> uint32_t { return c < 0x20 || (c >= 0x7F && c < 0xA0) ? L' ' : c; };
    return oneLineFromUtf8(text, text ? strlen(text) : 0, maxChars, controlsAsSpaces);
}

MenuItems BuildContextMenu(const MenuEngineReads& engine, const MenuContext& context) {
    EngineState state = readEngineState(engine);
    MenuItems items;
    appendRows(kTopLevel, engine, state, context, items);
    return items;
}

int AddTrackRows(const MenuEngineReads& engine, MenuItems& list, const char* type, const char* property) {
    // No real file holds this many tracks; a count beyond it is a broken answer, not a list.
    constexpr long kMaxTracks = 4096;
    constexpr size_t kMaxLabelChars = 80;
    char countText[96] = {};
    if (!engine.getText || !engine.getText("track-list/count", countText, sizeof countText)) return 0;
    long count = strtol(countText, nullptr, 10);
    if (count > kMaxTracks) count = kMaxTracks;
    int added = 0;
    for (long i = 0; i < count; ++i) {
        char name[48], trackType[16] = {};
        snprintf(name, sizeof name, "track-list/%ld/type", i);
        if (!engine.getText(name, trackType, sizeof trackType) || strcmp(trackType, type) != 0) continue;
        char id[16] = {}, lang[24] = {}, title[96] = {}, codec[32] = {}, selected[8] = {};
        struct Field {
            const char* key;
            char* buffer;
            size_t size;
        } fields[] = {{"id", id, sizeof id},          {"lang", lang, sizeof lang},
                      {"title", title, sizeof title}, {"codec", codec, sizeof codec},
                      {"selected", selected, sizeof selected}};
        for (Field& f : fields) {
            snprintf(name, sizeof name, "track-list/%ld/%s", i, f.key);
            if (!engine.getText(name, f.buffer, f.size)) f.buffer[0] = 0;
            f.buffer[f.size - 1] = 0;
        }
        std::string label = std::string(id) + "   " + (lang[0] ? lang : "-") + "   " + (title[0] ? title : codec);
        MenuItem item;
        item.label = rowTextFromUtf8(label.c_str(), kMaxLabelChars);
        item.command = std::string("set ") + property + " " + id;
        item.checked = strcmp(selected, "yes") == 0;
        list.push_back(std::move(item));
        ++added;
    }
    return added;
}

MenuItems BuildBookmarksMenu(const std::vector<double>& positions, const wchar_t* (*tr)(const wchar_t*)) {
    MenuItems items;
    MenuItem add;
    add.label = tr(L"เพิ่มบุ๊กมาร์กที่ตำแหน่งนี้");
    add.shortcut = L"N";
    add.command = "@bmadd";
    items.push_back(add);
    items.push_back(separatorItem());
    if (positions.empty()) {
        MenuItem none;
        none.label = tr(L"ยังไม่มีบุ๊กมาร์กของไฟล์นี้");
        none.enabled = false;
        items.push_back(none);
        return items;
    }
    MenuItem remove;
    remove.label = tr(L"ลบบุ๊กมาร์ก");
    for (size_t j = 0; j < positions.size(); ++j) {
        // The list is validated when it is read; a stray value still must not overflow a label.
        double p = positions[j] >= 0 && positions[j] < 2147483648.0 ? positions[j] : 0;
        long long whole = (long long)p;
        wchar_t label[64];
        swprintf(label, 64, L"%d   %d:%02d:%02d", int(j + 1), int(whole / 3600), int(whole / 60 % 60),
                 int(whole % 60));
        char command[64];
        snprintf(command, sizeof command, "seek %.3f absolute+exact", p);
        MenuItem jump;
        jump.label = label;
        jump.command = command;
        items.push_back(jump);
        MenuItem del;
        del.label = label;
        snprintf(command, sizeof command, "@bmdel %d", int(j));
        del.command = command;
        remove.children.push_back(del);
    }
    items.push_back(separatorItem());
    items.push_back(remove);
    MenuItem clear;
    clear.label = tr(L"ลบทั้งหมด");
    clear.command = "@bmclear";
    items.push_back(clear);
    return items;
}

LevelLayout layoutLevel(const MenuItems& items, float labelMax, float shortcutMax) {
    LevelLayout layout;
    bool anyChildren = false;
    int y = kLevelPadding;
    for (const MenuItem& item : items) {
        int height = item.separator ? kSeparatorHeight : kRowHeight;
        layout.rowTops.push_back(y);
        layout.rowHeights.push_back(height);
        y += height;
        if (!item.separator && !item.children.empty()) anyChildren = true;
    }
    int shortcutRoom = int(shortcutMax);
    if (anyChildren && shortcutRoom < 10) shortcutRoom = 10;
    float wanted = labelMax + 80 + float(shortcutRoom);
    layout.width = wanted > float(kMaxLevelWidth) ? kMaxLevelWidth : int(wanted);
    if (layout.width < kMinLevelWidth) layout.width = kMinLevelWidth;
    layout.height = y + kLevelPadding;
    return layout;
}

int rowAtY(const LevelLayout& layout, int y) {
    for (size_t i = 0; i < layout.rowTops.size(); ++i)
        if (y >= layout.rowTops[i] && y < layout.rowTops[i] + layout.rowHeights[i]) return int(i);
    return -1;
}

void placeLevel(int atX, int atY, int width, int height, const ScreenRect& work, bool subMenu, int parentX,
                int overlap, int& x, int& y) {
    x = atX;
    y = atY;
    if (subMenu && atX + width > work.right) x = parentX - width + overlap;
    if (x + width > work.right) x = work.right - width;
    if (x < work.left) x = work.left;
    if (y + height > work.bottom) y = work.bottom - height;
    if (y < work.top) y = work.top;
}

bool isSelectable(const MenuItem& item) { return !item.separator && item.enabled; }

int nextSelectableRow(const MenuItems& items, int from, int step) {
    int n = int(items.size());
    for (int i = 1; i <= n; ++i) {
        int index = from < 0 ? (step > 0 ? i - 1 : n - i) : ((from + step * i) % n + n) % n;
        if (isSelectable(items[size_t(index)])) return index;
    }
    return -1;
}

bool menuRowAccessItem(const MenuItems& items, const LevelLayout& layout, int row, bool hovered, AccessItem& item) {
    if (row < 0 || size_t(row) >= items.size() || size_t(row) >= layout.rowTops.size()) return false;
    const MenuItem& source = items[size_t(row)];
    item = AccessItem();
    item.x = 0, item.w = float(layout.width);
    item.y = float(layout.rowTops[size_t(row)]), item.h = float(layout.rowHeights[size_t(row)]);
    if (source.separator) {
        item.role = kRoleSeparator;
        return true;
    }
    item.role = kRoleMenuItem;
    item.name = source.label;
    item.shortcut = source.shortcut;
    item.state = kStateFocusable | kStateSelectable;
    if (hovered) item.state |= kStateHotTracked | kStateSelected;
    if (source.checked) item.state |= kStateChecked;
    if (!source.enabled) item.state |= kStateUnavailable;
    if (!source.children.empty()) item.state |= kStateHasPopup;
    if (source.enabled) item.action = source.children.empty() ? accessPressAction() : accessText(L"เปิด");
    return true;
}
