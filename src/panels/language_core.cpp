#include "panels/language_core.h"

const BuiltinText kBuiltinTexts[kBuiltinTextCount] = {
    {"เปิดไฟล์...", "Open file..."},  // 1
    {"เล่น", "Play"},  // 2
    {"หยุดชั่วคราว", "Pause"},  // 3
    {"หยุด", "Stop"},  // 4
    {"ไฟล์ก่อนหน้า", "Previous file"},  // 5
    {"ไฟล์ถัดไป", "Next file"},  // 6
    {"รายการเล่น...", "Playlist..."},  // 7
    {"กรอ", "Seek"},  // 8
    {"ความเร็ว", "Speed"},  // 9
    {"เสียง", "Audio"},  // 10
    {"คำบรรยาย", "Subtitles"},  // 11
    {"ภาพ", "Video"},  // 12
    {"หน้าจอ", "Window"},  // 13
    {"ซ้ำ A-B", "A-B repeat"},  // 14
    {"เพิ่มบุ๊กมาร์ก", "Add bookmark"},  // 15
    {"บุ๊กมาร์ก...", "Bookmarks..."},  // 16
    {"จับภาพหน้าจอ", "Save frame"},  // 17
    {"คัดลอกภาพไปคลิปบอร์ด", "Copy frame"},  // 18
    {"เปิดโฟลเดอร์ภาพที่บันทึก", "Open saved frames folder"},  // 19
    {"ล้างประวัติ", "Clear history"},  // 20
    {"กดอีกครั้งเพื่อล้าง", "Click again to clear"},  // 21
    {"โฟลเดอร์ภาพที่บันทึก", "Saved frames folder"},  // 22
    {"เปิดโฟลเดอร์", "Open folder"},  // 23
    {"เปลี่ยนโฟลเดอร์...", "Change folder..."},  // 24
    {"เลือกโฟลเดอร์เก็บภาพ", "Choose where saved frames go"},  // 25
    {"กลับไปใช้โฟลเดอร์รูปภาพของ Windows", "Back to Windows Pictures folder"},  // 26
    {"วิธีใช้งาน...", "How to use..."},  // 27
    {"ที่อยู่", "Location"},  // 28
    {"บิตเรตรวม", "Overall bitrate"},  // 29
    {"ตอน (chapter)", "Chapters"},  // 30
    {"ชื่อแทร็ก", "Track name"},  // 31
    {"โปรไฟล์", "Profile"},  // 32
    {"ขนาดที่แสดง", "Display size"},  // 33
    {"รูปแบบพิกเซล", "Pixel format"},  // 34
    {"ระบบสี", "Colour matrix"},  // 35
    {"แม่สี", "Primaries"},  // 36
    {"แกมมา", "Gamma"},  // 37
    {"ช่วงสี", "Levels"},  // 38
    {"โครมา", "Chroma location"},  // 39
    {"หมุน", "Rotation"},  // 40
    {"ส่งออกลำโพง", "Output"},  // 41
    {"ค่าเริ่มต้น  ", "default  "},  // 42
    {"ไฟล์แยก  ", "external file  "},  // 43
    {"สถานะ", "Flags"},  // 44
    {"  ▶ กำลังเล่น", "  ▶ playing"},  // 45
    {"ตำแหน่ง", "Position"},  // 46
    {"เฟรมที่แสดงจริง", "Shown frame rate"},  // 47
    {"ภาพ-เสียงตรงกัน", "A/V sync"},  // 48
    {"บัฟเฟอร์", "Buffer"},  // 49
    {"ตัวเล่น", "Engine"},  // 50
    {"คัดลอกแล้ว", "Copied"},  // 51
    {"คัดลอกทั้งหมด", "Copy all"},  // 52
    {"ข้อมูลไฟล์", "File info"},  // 53
    {"ไฟล์", "File"},  // 54
    {"ชื่อ", "Name"},  // 55
    {"รูปแบบ", "Format"},  // 56
    {"ขนาดไฟล์", "File size"},  // 57
    {"ความยาว", "Length"},  // 58
    {"ตัวเข้ารหัส", "Codec"},  // 59
    {"ความละเอียด", "Resolution"},  // 60
    {"เฟรมเรต", "Frame rate"},  // 61
    {"บิตเรต", "Bitrate"},  // 62
    {"การถอดรหัส", "Decoding"},  // 63
    {"ซอฟต์แวร์ (CPU)", "Software (CPU)"},  // 64
    {"(การ์ดจอ)", "(graphics card)"},  // 65
    {"สี", "Colour"},  // 66
    {"แทร็ก", "Track"},  // 67
    {"ช่องเสียง", "Channels"},  // 68
    {"อัตราสุ่ม", "Sample rate"},  // 69
    {"การเล่น", "Playback"},  // 70
    {"เฟรมที่ตกหล่น", "Dropped frames"},  // 71
    {"ปิด", "Off"},  // 72
    {" (ทั้งไฟล์)", " (whole file)"},  // 73
    {"ข้อมูลการเล่น", "Playback info"},  // 74
    {"ตั้งค่า...", "Settings..."},  // 75
    {"ปิดไฟล์", "Close file"},  // 76
    {"ออกจากโปรแกรม", "Exit"},  // 77
    {"ย้อนหลัง %d วินาที", "Back %d seconds"},  // 78
    {"ไปข้างหน้า %d วินาที", "Forward %d seconds"},  // 79
    {"ย้อนหลัง 60 วินาที", "Back 60 seconds"},  // 80
    {"ไปข้างหน้า 60 วินาที", "Forward 60 seconds"},  // 81
    {"ย้อนหลัง 300 วินาที", "Back 300 seconds"},  // 82
    {"ไปข้างหน้า 300 วินาที", "Forward 300 seconds"},  // 83
    {"เริ่มใหม่ตั้งแต่ต้น", "Restart from the beginning"},  // 84
    {"เฟรมถัดไป", "Next frame"},  // 85
    {"เฟรมก่อนหน้า", "Previous frame"},  // 86
    {"1.0x ปกติ", "1.0x normal"},  // 87
    {"ช้าลง", "Slower"},  // 88
    {"เร็วขึ้น", "Faster"},  // 89
    {"เพิ่มเสียง", "Volume up"},  // 90
    {"ลดเสียง", "Volume down"},  // 91
    {"ปิดเสียง", "Mute"},  // 92
    {"เพิ่มความดังเสียง", "Volume boost"},  // 93
    {"เสียงเร็วขึ้น 0.1 วินาที", "Audio 0.1 s earlier"},  // 94
    {"เสียงช้าลง 0.1 วินาที", "Audio 0.1 s later"},  // 95
    {"ปรับเสียงเป็นปกติ", "Reset audio sync"},  // 96
    {"แสดงคำบรรยาย", "Show subtitles"},  // 97
    {"ปิดคำบรรยาย", "Subtitles off"},  // 98
    {"เร็วขึ้น 0.5 วินาที", "0.5 s earlier"},  // 99
    {"ช้าลง 0.5 วินาที", "0.5 s later"},  // 100
    {"ตั้งเวลาเป็นปกติ", "Reset subtitle sync"},  // 101
    {"ตัวอักษรใหญ่ขึ้น", "Bigger text"},  // 102
    {"ตัวอักษรเล็กลง", "Smaller text"},  // 103
    {"เลื่อนขึ้น", "Move up"},  // 104
    {"เลื่อนลง", "Move down"},  // 105
    {"ค่าเดิมของวิดีโอ", "Original"},  // 106
    {"สัดส่วนภาพ", "Aspect ratio"},  // 107
    {"ขยายภาพ (Pan & Scan)", "Pan & Scan"},  // 108
    {"เต็มจอแบบไม่มีขอบดำ", "Fill screen (no black bars)"},  // 109
    {"ค่าเริ่มต้น", "(Default)"},  // 110
    {"ไม่มีไฟล์ต่อ", "End of list"},  // 111
    {"ซูมเข้า", "Zoom in"},  // 112
    {"ซูมออก", "Zoom out"},  // 113
    {"รีเซ็ตซูมและตำแหน่ง", "Reset zoom and position"},  // 114
    {"หมุนภาพ", "Rotate"},  // 115
    {"รีเซ็ตความสว่าง/สี", "Reset brightness and colour"},  // 116
    {"เต็มจอ", "Full screen"},  // 117
    {"ขนาด 0.5 เท่า", "Size 0.5x"},  // 118
    {"ขนาด 1 เท่า", "Size 1x"},  // 119
    {"ขนาด 1.5 เท่า", "Size 1.5x"},  // 120
    {"ขนาด 2 เท่า", "Size 2x"},  // 121
    {"ขยายหน้าต่างสูงสุด", "Maximize"},  // 122
    {"อยู่บนสุดเสมอ", "Always on top"},  // 123
    {"ตั้งจุดเริ่ม A", "Set start A"},  // 124
    {"ตั้งจุดจบ B", "Set end B"},  // 125
    {"ยกเลิกการวน", "Clear A-B"},  // 126
    {"เพิ่มบุ๊กมาร์กที่ตำแหน่งนี้", "Add a bookmark here"},  // 127
    {"ยังไม่มีบุ๊กมาร์กของไฟล์นี้", "No bookmarks for this file yet"},  // 128
    {"ลบบุ๊กมาร์ก", "Delete bookmark"},  // 129
    {"ลบทั้งหมด", "Delete all"},  // 130
    {"ตั้งค่า", "Settings"},  // 131
    {"ภาษา", "Language"},  // 132
    {"ระยะกรอด้วยลูกศร", "Arrow key seek step"},  // 133
    {"ระดับเสียงต่อครั้ง", "Volume step"},  // 134
    {"ซ่อนแถบควบคุมหลัง", "Hide controls after"},  // 135
    {"คำบรรยายที่เลือกก่อน", "Preferred subtitles"},  // 136
    {"ดูต่อจากที่ค้างไว้", "Continue watching"},  // 137
    {"เล่นไฟล์อื่นในโฟลเดอร์ต่อ", "Queue the rest of the folder"},  // 138
    {"เปิดไฟล์ใหม่ในหน้าต่างเดิม", "Open new files in this window"},  // 139
    {"ถอดรหัสด้วยการ์ดจอ", "Hardware decoding"},  // 140
    {"ไทย", "Thai"},  // 141
    {"ไม่ระบุ", "None"},  // 142
    {"โฟลเดอร์ภาพหน้าจอ", "Screenshot folder"},  // 143
    {"ตั้งเป็นโปรแกรมหลัก", "Set as default player"},  // 144
    {"รายการเล่น", "Playlist"},  // 145
    {"ยังไม่มีไฟล์ในรายการ", "The queue is empty"},  // 146
    {"+ เพิ่มไฟล์", "+ Add files"},  // 147
    {"ล้างรายการ", "Clear"},  // 148
    {"เปิดไฟล์", "Open file"},  // 149
    {"หรือลากไฟล์วิดีโอมาวางที่นี่   ·   Ctrl+O", "or drop a video here   ·   Ctrl+O"},  // 150
    {"ภาพตัวอย่างบนแถบกรอ", "Picture previews on the seek bar"},  // 151
    {"กด", "Press"},  // 152
    {"เปิด", "Open"},  // 153
    {"จาก", "of"},  // 154
    {"แถบควบคุม", "Controls"},  // 155
    {"ระดับเสียง", "Volume"},  // 156
    {"ย่อหน้าต่าง", "Minimize"},  // 157
    {"คืนขนาดหน้าต่าง", "Restore"},  // 158
    {"ปิดหน้าต่าง", "Close"},  // 159
    {"กำลังเล่น", "playing"},  // 160
    {"ลบออกจากรายการ", "Remove from the list"},  // 161
    {"เสียงพากย์", "AUDIO"},  // 162
    {"ซับ", "SUB"},  // 163
    {"ไม่มีอะไรให้เล่น", "NOTHING TO PLAY"},  // 164
    {"ลงทะเบียนกับ Windows", "Windows file types"},  // 165
    {"ลงทะเบียน", "Register"},  // 166
    {"ยกเลิกลงทะเบียน", "Unregister"},  // 167
};

void parseLanguagePack(const std::string& bytes, std::string* title,
                       std::unordered_map<std::string, std::string>* entries) {
    size_t at = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (at <= bytes.size()) {
        size_t end = bytes.find('\n', at);
        if (end == std::string::npos) end = bytes.size();
        size_t length = end - at;
        if (length > 0 && bytes[at + length - 1] == '\r') --length;
        std::string line = bytes.substr(at, length);
        at = end + 1;
        if (line.empty() || line[0] == '#') continue;
        size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        std::string key = line.substr(0, equals), value = line.substr(equals + 1);
        if (key == "Title") {
            if (title) *title = value;
        } else if (entries && !value.empty()) {
            (*entries)[key] = value;
        }
    }
}

std::string packTemplateText() {
    std::string text =
        "# KivoPlayer language pack. Copy to lang\\<code>.ini, set Title to the language's own name,\n"
        "# and write the translation after each '='. Lines left empty stay in English.\n"
        "Title=\n";
    for (const BuiltinText& row : kBuiltinTexts) {
        text += row.english;
        text += "=\n";
    }
    return text;
}

bool isSingleCountPattern(const std::wstring& pattern) {
    int counts = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != L'%') continue;
        wchar_t next = i + 1 < pattern.size() ? pattern[i + 1] : L'\0';
        if (next == L'%') {
            ++i;
        } else if (next == L'd') {
            ++counts;
            ++i;
        } else {
            return false;
        }
    }
    return counts == 1;
}
