#include "panels/help_core.h"

#include <cstring>
#include <cwchar>

// Key texts are held as the Thai user sees them; the pairs below give the other languages the
// few that are Thai words. The numpad row follows the key map: +video-pan-x moves the picture
// to the right and +video-pan-y down.
const HelpRow helpRows[kHelpRowCount] = {
    {nullptr, L"เมาส์", L"Mouse"},
    {L"คลิกซ้าย", L"เล่น / หยุดชั่วคราว", L"Play / pause"},
    {L"ดับเบิลคลิก", L"เต็มจอ / กลับเป็นหน้าต่าง", L"Full screen / back to window"},
    {L"คลิกขวา", L"เปิดเมนูคำสั่งทั้งหมด", L"Open the menu of all commands"},
    {L"คลิกปุ่มกลาง", L"เปิด / ปิดรายการเล่น บอกชื่อเรื่องถัดไป", L"Show / hide the playlist, name the next film"},
    {L"หมุนลูกกลิ้ง", L"เพิ่ม / ลดเสียง", L"Volume up / down"},
    {L"ปุ่มข้างเมาส์", L"กรอย้อนกลับ / ไปข้างหน้า", L"Seek back / forward"},
    {L"ลากภาพ", L"ย้ายหน้าต่าง", L"Move the window"},
    {L"ลากไฟล์มาวาง", L"เปิดไฟล์นั้น ไฟล์คำบรรยายจะเพิ่มให้เรื่องที่เล่นอยู่", L"Open that file; subtitle files join the playing one"},
    {L"เมาส์ลงขอบล่าง", L"ตอนเต็มจอ: แถบควบคุมขึ้นมา", L"In full screen: bring up the control bar"},
    {nullptr, L"ปุ่มบนแถบควบคุม", L"Control bar buttons"},
    {L"|◀  ▶|", L"ไฟล์ก่อนหน้า / ไฟล์ถัดไป", L"Previous / next file"},
    {L"◀◀  ▶▶", L"กรอย้อนกลับ / ไปข้างหน้า", L"Seek back / forward"},
    {L"▶", L"เล่น / หยุดชั่วคราว", L"Play / pause"},
    {L"ลำโพง", L"ปิดเสียง / เปิดเสียง", L"Mute / unmute"},
    {L"แถบเสียง", L"ลากปรับเสียง 0-200% สีส้มคือเกิน 100%", L"Drag for volume 0-200%; amber is above 100%"},
    {L"แถบเวลา", L"คลิกหรือลากเพื่อไปยังเวลานั้น", L"Click or drag to go to that time"},
    {L"1x", L"เปลี่ยนความเร็ว 1.25 / 1.5 / 2 / 0.5 / 0.75 / 1", L"Change speed 1.25 / 1.5 / 2 / 0.5 / 0.75 / 1"},
    {L"A-B", L"เล่นซ้ำช่วง: กดจุดเริ่ม กดจุดจบ กดอีกครั้งยกเลิก", L"Repeat a part: start, end, press again to cancel"},
    {L"SUB", L"เปลี่ยนคำบรรยาย", L"Next subtitle track"},
    {L"AUD", L"เปลี่ยนแทร็กเสียง", L"Next audio track"},
    {L"ลูกศรขึ้น", L"เปิดไฟล์", L"Open a file"},
    {L"กรอบสี่มุม", L"เต็มจอ", L"Full screen"},
    {nullptr, L"เล่นและกรอ", L"Play and seek"},
    {L"Space", L"เล่น / หยุดชั่วคราว", L"Play / pause"},
    {L"Ctrl+Space", L"หยุด และกลับไปต้นเรื่อง", L"Stop and go back to the start"},
    {L"← →", L"กรอตามระยะที่ตั้งใน F5 (เริ่มต้น 5 วินาที)", L"Seek by the step set in F5 (5 s at first)"},
    {L"Ctrl + ← →", L"กรอ 1 นาที", L"Seek 1 minute"},
    {L"Shift + ← →", L"กรอ 5 นาที", L"Seek 5 minutes"},
    {L"Backspace", L"กลับไปต้นเรื่อง", L"Back to the start"},
    {L"Home / End", L"ไปคำบรรยายก่อนหน้า / ถัดไป", L"Previous / next subtitle line"},
    {L"F", L"เดินหน้าทีละเฟรม", L"One frame forward"},
    {L"Ctrl + . / ,", L"เดินหน้า / ถอยหลังทีละเฟรม", L"One frame forward / back"},
    {L"PgUp / PgDn", L"ไฟล์ก่อนหน้า / ไฟล์ถัดไป", L"Previous / next file"},
    {L"ปุ่มมีเดีย", L"เล่น / หยุด / ไฟล์ถัดไป / ไฟล์ก่อนหน้า", L"Play / stop / next / previous file"},
    {L"[  ]", L"ตั้งจุดเริ่ม / จุดจบของการเล่นซ้ำ", L"Set repeat start / end"},
    {L"\\", L"ยกเลิกการเล่นซ้ำ", L"Cancel repeat"},
    {L"X / C", L"ลด / เพิ่มความเร็ว", L"Slower / faster"},
    {L"Z", L"ความเร็วปกติ", L"Normal speed"},
    {nullptr, L"เสียง", L"Sound"},
    {L"↑ ↓", L"เพิ่ม / ลดเสียง หยุดที่ 100% ก่อน กดใหม่เพื่อเกิน", L"Volume; stops at 100%, press again to go past"},
    {L"M", L"ปิดเสียง / เปิดเสียง", L"Mute / unmute"},
    {L"A", L"เปลี่ยนแทร็กเสียง", L"Next audio track"},
    {L"Shift + . / ,", L"ขยับเสียงเร็วขึ้น / ช้าลง 0.1 วินาที", L"Sound 0.1 s earlier / later"},
    {L"Shift + /", L"เวลาเสียงกลับเป็นปกติ", L"Sound timing back to normal"},
    {nullptr, L"คำบรรยาย", L"Subtitles"},
    {L"S", L"เปลี่ยนคำบรรยาย", L"Next subtitle track"},
    {L"Alt+H", L"ซ่อน / แสดงคำบรรยาย", L"Hide / show subtitles"},
    {L". / ,", L"ขยับคำบรรยายเร็วขึ้น / ช้าลง 0.5 วินาที", L"Subtitles 0.5 s earlier / later"},
    {L"/", L"เวลาคำบรรยายกลับเป็นปกติ", L"Subtitle timing back to normal"},
    {L"Alt + ↑ ↓", L"ย้ายคำบรรยายขึ้น / ลง", L"Move subtitles up / down"},
    {L"Alt + PgUp / PgDn", L"ตัวอักษรใหญ่ขึ้น / เล็กลง", L"Bigger / smaller text"},
    {L"Alt+B", L"ตัวหนา", L"Bold"},
    {nullptr, L"ภาพ", L"Picture"},
    {L"Enter", L"เต็มจอ / กลับเป็นหน้าต่าง", L"Full screen / back to window"},
    {L"Esc", L"ออกจากเต็มจอ หรือปิดหน้าต่างที่เปิดอยู่", L"Leave full screen, or close the open window"},
    {L"0", L"ขยายเต็มจอ ไม่มีขอบดำ กดอีกครั้งกลับปกติ", L"Fill the screen, no black bars; again for normal"},
    {L"1 2 3 4", L"ขนาดหน้าต่าง 0.5 / 1 / 1.5 / 2 เท่า", L"Window size 0.5 / 1 / 1.5 / 2 times"},
    {L"7 / Delete", L"ขนาดเท่าวิดีโอ", L"Window the size of the video"},
    {L"6", L"ขยายหน้าต่างสูงสุด / คืนขนาด", L"Maximize / restore the window"},
    {L"Ctrl+A", L"อยู่บนสุดเสมอ", L"Always on top"},
    {L"Numpad + / -", L"ซูมเข้า / ซูมออก", L"Zoom in / out"},
    {L"Numpad 4 6 8 2", L"เลื่อนภาพ ขวา ซ้าย ลง ขึ้น", L"Move the picture right, left, down, up"},
    {L"Numpad 5", L"ภาพกลับเป็นปกติ", L"Picture back to normal"},
    {L"Ctrl+Shift+S", L"หมุนภาพ", L"Rotate the picture"},
    {L"E / R", L"ลด / เพิ่มความสว่าง", L"Brightness down / up"},
    {L"T / Y", L"ลด / เพิ่มความคมชัด (คอนทราสต์)", L"Contrast down / up"},
    {L"U / I", L"ลด / เพิ่มความสดของสี", L"Saturation down / up"},
    {L"O / P", L"ปรับเฉดสี", L"Hue"},
    {L"Q", L"สีกลับเป็นปกติ", L"Colours back to normal"},
    {L"Ctrl + F6-F10", L"สัดส่วนภาพ เดิม / 4:3 / 16:9 / 1.85 / 2.35", L"Aspect: original / 4:3 / 16:9 / 1.85 / 2.35"},
    {nullptr, L"ไฟล์และอื่นๆ", L"Files and more"},
    {L"Ctrl+O / F2", L"เปิดไฟล์", L"Open a file"},
    {L"Ctrl+V", L"เล่นไฟล์ที่คัดลอกไว้ หรือไฟล์และลิงก์ในข้อความ", L"Play copied files, or the files and links in copied text"},
    {L"Ctrl+Shift+V", L"เพิ่มสิ่งที่คัดลอกไว้ต่อท้ายรายการเล่น", L"Add what was copied to the queue"},
    {L"F8", L"รายการเล่น", L"Playlist"},
    {L"N", L"เพิ่มบุ๊กมาร์กตรงนี้", L"Add a bookmark here"},
    {L"B", L"ดูรายการบุ๊กมาร์ก", L"List bookmarks"},
    {L"Shift + PgUp / PgDn", L"ไปบุ๊กมาร์กก่อนหน้า / ถัดไป", L"Previous / next bookmark"},
    {L"Ctrl+E", L"บันทึกภาพหน้าจอเป็นไฟล์", L"Save the frame as a file"},
    {L"Ctrl+C", L"คัดลอกภาพ แล้วไปกด Ctrl+V วาง", L"Copy the frame, then paste with Ctrl+V"},
    {L"F1", L"ข้อมูลไฟล์", L"File info"},
    {L"F5", L"ตั้งค่า", L"Settings"},
    {L"F4", L"ปิดไฟล์ กลับหน้าแรก", L"Close the file, back to the start screen"},
    {L"Alt+F4", L"ออกจากโปรแกรม", L"Quit"},
};

namespace {

struct KeyName {
    const wchar_t* thai;
    const wchar_t* english;
};

const KeyName helpKeyNames[] = {
    {L"คลิกซ้าย", L"Left click"},
    {L"ดับเบิลคลิก", L"Double click"},
    {L"คลิกขวา", L"Right click"},
    {L"คลิกปุ่มกลาง", L"Middle click"},
    {L"หมุนลูกกลิ้ง", L"Wheel"},
    {L"ปุ่มข้างเมาส์", L"Side buttons"},
    {L"ลากภาพ", L"Drag the picture"},
    {L"ลากไฟล์มาวาง", L"Drop a file"},
    {L"ปุ่มมีเดีย", L"Media keys"},
    {L"เมาส์ลงขอบล่าง", L"Bottom edge"},
    {L"ลำโพง", L"Speaker"},
    {L"แถบเสียง", L"Volume slider"},
    {L"แถบเวลา", L"Seek bar"},
    {L"ลูกศรขึ้น", L"Up arrow icon"},
    {L"กรอบสี่มุม", L"Four corners"},
};

}  // namespace

bool helpInThai(const char* languageCode) { return languageCode && std::strcmp(languageCode, "th") == 0; }

const wchar_t* helpKeyText(const HelpRow& row, bool thai) {
    if (!row.key || thai) return row.key;
    for (const KeyName& name : helpKeyNames)
        if (std::wcscmp(name.thai, row.key) == 0) return name.english;
    return row.key;
}

const wchar_t* helpDescription(const HelpRow& row, bool thai) { return thai ? row.thai : row.english; }

int helpActionCount() {
    int count = 0;
    for (const HelpRow& row : helpRows) count += row.key ? 1 : 0;
    return count;
}

int helpContentHeight() {
    int height = 0;
    for (const HelpRow& row : helpRows) height += row.key ? kHelpActionHeight : kHelpHeadingHeight;
    return height;
}
