#include "osd/hud_core.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

const char* const kHudElementNames[kHudElementCount + 1] = {
    "", "seek", "prev", "back", "play", "fwd", "next", "mute", "vol", "speed", "ab", "sub", "aud", "fs", "open",
};

namespace {

struct RightGroupEntry {
    int element;
    int width;
};
// Placed from the right edge leftwards, in this order, while they fit.
const RightGroupEntry kRightGroup[] = {
    {kHudFs, 30}, {kHudOpen, 30}, {kHudAud, 62}, {kHudSub, 48}, {kHudAb, 48}, {kHudSpeed, 58},
};
constexpr int kLeftGroupLimit = 383;  // the left group ends at 372, plus a gap

}  // namespace

void layoutHudElements(HudModel& m, int clientWidthPx, float scale) {
    int w = int(float(clientWidthPx) / scale);
    m.width = w > 320 ? w : 320;
    const int W = m.width;
    for (HudRect& r : m.elements) r = HudRect();
    m.elements[kHudSeek] = {84, 22, W - 84, 42};
    m.elements[kHudPrev] = {18, 49, 48, 77};
    m.elements[kHudBack] = {52, 49, 82, 77};
    m.elements[kHudPlay] = {86, 48, 132, 78};
    m.elements[kHudFwd] = {140, 49, 170, 77};
    m.elements[kHudNext] = {174, 49, 204, 77};
    m.elements[kHudMute] = {216, 49, 246, 77};
    m.elements[kHudVol] = {250, 56, 334, 70};
    int cursor = W - 18;
    for (const RightGroupEntry& e : kRightGroup) {
        int left = cursor - e.width;
        if (left <= kLeftGroupLimit) continue;  // a narrower one later may still fit
        m.elements[e.element] = {left, 49, cursor, 77};
        cursor = left - 8;
    }
}

int hudHitTest(const HudModel& m, int x, int y) {
    for (int i = 1; i <= kHudElementCount; ++i)
        if (!m.elements[i].empty() && m.elements[i].contains(x, y)) return i;
    return kHudNone;
}

double hudFraction(const HudRect& r, int x) {
    int width = r.right - r.left;
    double f = double(x - r.left) / double(width > 1 ? width : 1);
    return f < 0 ? 0 : (f > 1 ? 1 : f);
}

const char* hudClickCommand(int element) {
    switch (element) {
        case kHudPrev: return "playlist-prev";
        case kHudBack: return "@step -1";
        case kHudPlay: return "cycle pause";
        case kHudFwd: return "@step 1";
        case kHudNext: return "playlist-next";
        case kHudMute: return "cycle mute";
        case kHudSpeed: return "cycle-values speed 1.25 1.5 2 0.5 0.75 1";
        case kHudAb: return "ab-loop";
        case kHudSub: return "cycle sub";
        case kHudAud: return "cycle audio";
        case kHudFs: return "@fullscreen";
        case kHudOpen: return "@open";
        default: return nullptr;
    }
}

std::string hudSeekCommand(double fraction, double duration, bool exact) {
    if (!(duration > 0)) return {};
    char text[96];
    snprintf(text, sizeof text, "seek %.3f absolute%s", fraction * duration, exact ? "+exact" : "+keyframes");
    return text;
}

int hudVolumeFromFraction(double fraction) {
    double v = fraction > 0.98 ? 200.0 : fraction * 200.0;
    int volume = int(std::lround(v));
    if (volume < 0) volume = 0;
    if (volume > 200) volume = 200;
    return (volume >= 95 && volume <= 105) ? 100 : volume;
}

std::string hudTimeText(double seconds, bool hoursForm) {
    // Values no real medium has (and that would not fit the integer) read as 0, like NaN.
    long long t = (std::isfinite(seconds) && seconds > 0 && seconds < 1e15) ? (long long)seconds : 0;
    char text[32];
    if (hoursForm) snprintf(text, sizeof text, "%lld:%02lld:%02lld", t / 3600, (t / 60) % 60, t % 60);
    else snprintf(text, sizeof text, "%02lld:%02lld", (t / 60) % 60, t % 60);
    return text;
}

int hudSubtitleMargin(bool barOverPicture, float scale, int clientHeightPx) {
    if (!barOverPicture || clientHeightPx < 1) return 22;
    int margin = int(112.0 * double(scale) * 720.0 / double(clientHeightPx) + 0.5);
    return margin < 22 ? 22 : margin;
}

std::string hudSpeedCaption(double speed) {
    double rounded = std::round(speed * 100.0) / 100.0;  // halves away from zero
    char text[32];
    snprintf(text, sizeof text, "%gx", rounded);
    return text;
}

std::string hudAudioCaption(const std::string& audioTrack) {
    return "AUD " + ((audioTrack.empty() || audioTrack == "no") ? std::string("-") : audioTrack);
}

bool hudWanted(const HudWantInputs& in) {
    if (in.docked || in.dragging) return true;
    if (in.cursorX < in.left || in.cursorX >= in.right || in.cursorY >= in.bottom ||
        in.cursorY < in.bottom - in.barHeightPx)
        return false;
    return in.hovered || in.recent || in.paused;
}

std::string hudStaticPaintKey(const HudModel& m, float scale) {
    char numbers[160];
    snprintf(numbers, sizeof numbers, "|%ld|%.2f|%d%d%d%d|%d|%d|%d|%d|%.3f|", std::lround(m.volume * 4), m.speed,
             m.paused, m.muted, m.subtitlesShown, m.loopA >= 0, m.width, m.hover, m.pressed, m.drag, double(scale));
    return hudTimeText(m.duration, m.duration >= 3600) + numbers + m.audioTrack;
}

std::string hudPaintKey(const HudModel& m, float scale) {
    const HudRect& bar = m.elements[kHudSeek];
    double d = m.duration > 0 ? m.duration : 1;
    double len = bar.right - bar.left;
    auto quarterPixel = [&](double seconds) { return std::lround(seconds / d * len * 4.0); };
    std::string key = hudTimeText(m.position, m.duration >= 3600);
    char numbers[96];
    snprintf(numbers, sizeof numbers, "|%ld|%ld|%ld|%ld",
             quarterPixel(m.position < 0 ? 0 : (m.position > d ? d : m.position)),
             m.loopA >= 0 ? quarterPixel(m.loopA) : -1L, m.loopB >= 0 ? quarterPixel(m.loopB) : -1L,
             std::lround(m.hoverFraction * len * 4));
    key += numbers;
    for (double t : m.markers) key += "|" + std::to_string(quarterPixel(t));
    return key + "#" + hudStaticPaintKey(m, scale);
}

HudPoint previewPlace(int anchorX, int aboveY, int gap, int w, int h, const int work[4]) {
    int x = anchorX - w / 2, y = aboveY - gap - h;
    x = std::max(work[0], std::min(x, work[2] - w));
    y = std::max(work[1], std::min(y, work[3] - h));
    return {x, y};
}

bool hudChipActive(const HudModel& m, int element) {
    switch (element) {
        case kHudSpeed: return m.speed - 1 > 0.001 || 1 - m.speed > 0.001;
        case kHudAb: return m.loopA >= 0;
        case kHudSub: return m.subtitlesShown;
        default: return false;
    }
}

namespace {

// The Thai source text each element is named by; the step buttons' are count patterns.
const wchar_t* const kHudAccessNames[kHudElementCount + 1] = {
    L"แถบควบคุม", L"กรอ", L"ไฟล์ก่อนหน้า", L"ย้อนหลัง %d วินาที", L"เล่น", L"ไปข้างหน้า %d วินาที", L"ไฟล์ถัดไป",
    L"ปิดเสียง", L"ระดับเสียง", L"ความเร็ว", L"ซ้ำ A-B", L"คำบรรยาย", L"เสียง", L"เต็มจอ", L"เปิดไฟล์...",
};

}  // namespace

bool hudAccessItem(const HudModel& m, int element, bool fullScreen, AccessItem& item) {
    if (element < 0 || element > kHudElementCount) return false;
    item = AccessItem();
    if (element == 0) {
        item.name = accessText(kHudAccessNames[0]);
        item.role = kRoleToolBar;
        return true;
    }
    const HudRect& r = m.elements[element];
    item.x = float(r.left), item.y = float(r.top), item.w = float(r.right - r.left), item.h = float(r.bottom - r.top);
    if (r.empty()) item.state |= kStateInvisible | kStateOffscreen;
    const AccessTexts& texts = accessTexts();
    if (element == kHudBack || element == kHudFwd)
        item.name = texts.countText ? texts.countText(kHudAccessNames[element], texts.seekStep ? texts.seekStep() : 5)
                                    : kHudAccessNames[element];
    else if (element == kHudPlay)
        item.name = accessText(m.paused ? L"เล่น" : L"หยุดชั่วคราว");  // what a press will do
    else
        item.name = accessText(kHudAccessNames[element]);
    if (element == kHudSeek || element == kHudVol) {
        item.role = kRoleSlider;
        item.state |= kStateFocusable;
        if (element == kHudVol) {
            item.value = std::to_wstring(int(m.volume + (m.volume < 0 ? -0.5 : 0.5))) + L"%";
        } else {
            bool hours = m.duration >= 3600;
            item.value = accessTimeValue(hudTimeText(m.position, hours), hudTimeText(m.duration, hours));
            if (!(m.duration > 0)) item.state |= kStateUnavailable;
        }
        return true;
    }
    item.role = kRolePushButton;
    item.action = accessPressAction();
    switch (element) {
        case kHudMute: if (m.muted) item.state |= kStatePressed; break;
        case kHudFs: if (fullScreen) item.state |= kStatePressed; break;
        case kHudSpeed: item.value = accessWide(hudSpeedCaption(m.speed)); break;
        case kHudAb: item.value = L"A-B"; break;
        case kHudSub: item.value = L"SUB"; break;
        case kHudAud: item.value = accessWide(hudAudioCaption(m.audioTrack)); break;
    }
    if (hudChipActive(m, element)) item.state |= kStatePressed;
    return true;
}
