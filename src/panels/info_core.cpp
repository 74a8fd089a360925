#include "panels/info_core.h"

#include "osd/drawing_kit_core.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

struct CodecName {
    const char* id;
    const char* shown;
};

const CodecName CodecNames[] = {
    {"h264", "H.264 (AVC)"},
    {"hevc", "H.265 (HEVC)"},
    {"av1", "AV1"},
    {"vp9", "VP9"},
    {"vp8", "VP8"},
    {"mpeg2video", "MPEG-2"},
    {"mpeg4", "MPEG-4 Part 2"},
    {"vc1", "VC-1"},
    {"wmv3", "WMV 9"},
    {"aac", "AAC"},
    {"ac3", "Dolby Digital (AC-3)"},
    {"eac3", "Dolby Digital Plus"},
    {"truehd", "Dolby TrueHD"},
    {"dts", "DTS"},
    {"mp3", "MP3"},
    {"opus", "Opus"},
    {"vorbis", "Vorbis"},
    {"flac", "FLAC"},
    {"subrip", "SubRip (SRT)"},
    {"ass", "ASS / SSA"},
    {"hdmv_pgs_subtitle", "PGS (Blu-ray)"},
    {"dvd_subtitle", "VobSub (DVD)"},
    {"mov_text", "MP4 text"},
    {"webvtt", "WebVTT"},
};

std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));
std::string format(const char* pattern, ...) {
    char buffer[512];
    va_list args;
    va_start(args, pattern);
    int n = vsnprintf(buffer, sizeof buffer, pattern, args);
    va_end(args);
    return n < 0 ? std::string() : std::string(buffer);
}

// Our own formats are ASCII.
std::wstring widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::string upperAscii(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return text;
}

// What one code point shows as on a single line: itself, a space, nothing (0) or U+FFFD.
uint32_t displayCodePoint(uint32_t cp) {
    if (cp == '\t' || cp == '\n' || cp == '\r' || cp == 0x0B || cp == 0x0C || cp == 0x85 || cp == 0x2028 ||
        cp == 0x2029)
        return ' ';
    // Direction overrides and isolates would reorder the rest of the line, label included.
    if ((cp >= 0x202A && cp <= 0x202E) || (cp >= 0x2066 && cp <= 0x2069)) return 0;
    if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0)) return 0xFFFD;
    return cp;
}

class RowBuilder {
public:
    RowBuilder(const InfoReader& reader, Translate tr) : reader_(reader), tr_(tr) {}

    double number(const std::string& name, double fallback = -1) const {
        double value = 0;
        return reader_.getDouble(name.c_str(), value) ? value : fallback;
    }
    std::string text(const std::string& name) const {
        char buffer[kInfoTextBytes];
        if (!reader_.getText(name.c_str(), buffer, sizeof buffer)) return std::string();
        buffer[sizeof buffer - 1] = '\0';
        return buffer;
    }
    const wchar_t* tr(const wchar_t* thai) const { return tr_(thai); }

    void section(const std::wstring& label) { rows.push_back({kSectionHeading, label, std::wstring(), false}); }
    void row(const wchar_t* thaiLabel, const std::wstring& value, bool highlight = false) {
        if (!value.empty()) rows.push_back({kDataRow, tr_(thaiLabel), value, highlight});
    }
    void row(const wchar_t* thaiLabel, const std::string& ascii) { row(thaiLabel, widen(ascii)); }
    void engineRow(const wchar_t* thaiLabel, const std::string& utf8) {
        row(thaiLabel, engineTextForDisplay(utf8));
    }

    std::vector<InfoRow> rows;

private:
    const InfoReader& reader_;
    Translate tr_;
};

void addFileRows(RowBuilder& b) {
    b.section(b.tr(L"ไฟล์"));
    b.engineRow(L"ชื่อ", b.text("filename"));
    b.engineRow(L"ที่อยู่", b.text("path"));
    b.engineRow(L"รูปแบบ", upperAscii(b.text("file-format")));
    double size = b.number("file-size"), duration = b.number("duration");
    b.row(L"ขนาดไฟล์", fileSizeText(size));
    std::string length = durationText(duration);
    if (duration > 0 && !length.empty()) length += format("  (%.3f s)", duration);
    b.row(L"ความยาว", length);
    if (size > 0 && duration > 0) b.row(L"บิตเรตรวม", bitrateText(size * 8 / duration));
    double tags = std::min(b.number("metadata/list/count", 0), double(kInfoMaxTags));
    for (int i = 0; i < tags; ++i) {
        std::string prefix = format("metadata/list/%d/", i);
        std::string key = b.text(prefix + "key"), value = b.text(prefix + "value");
        if (!key.empty() && !value.empty())
            b.rows.push_back({kDataRow, engineTextForDisplay(key), engineTextForDisplay(value), false});
    }
}

std::wstring trackHeading(RowBuilder& b, const std::string& type, int number, bool coverArt, bool selected) {
    std::wstring heading = b.tr(type == "video" ? L"ภาพ" : type == "audio" ? L"เสียง" : L"คำบรรยาย");
    heading += widen(format("  #%d", number));
    if (coverArt) heading += L"  (cover art)";
    if (selected) heading += b.tr(L"  ▶ กำลังเล่น");
    return heading;
}

void addBitrateRow(RowBuilder& b, const std::string& prefix, bool selected, const char* globalProperty) {
    double own = b.number(prefix + "demux-bitrate");
    if (own > 0) b.row(L"บิตเรต", bitrateText(own));
    else if (selected) b.row(L"บิตเรต", bitrateText(b.number(globalProperty)));
}

void addVideoRows(RowBuilder& b, const std::string& prefix, bool selected) {
    double w = b.number(prefix + "demux-w"), h = b.number(prefix + "demux-h");
    if (w > 0) b.row(L"ความละเอียด", format("%.0f x %.0f", w, h));
    if (selected) {
        double dw = b.number("dwidth"), dh = b.number("dheight");
        if (dw > 0 && (dw != w || dh != h)) b.row(L"ขนาดที่แสดง", format("%.0f x %.0f", dw, dh));
        double aspect = b.number("video-params/aspect");
        if (aspect > 0) b.row(L"สัดส่วนภาพ", format("%.3f : 1", aspect));
    }
    double fps = b.number(prefix + "demux-fps");
    if (fps > 0) b.row(L"เฟรมเรต", format("%.3f fps", fps));
    addBitrateRow(b, prefix, selected, "video-bitrate");
    if (!selected) return;
    std::string hwdec = b.text("hwdec-current");
    if (hwdec.empty() || hwdec == "no")
        b.row(L"การถอดรหัส", std::wstring(b.tr(L"ซอฟต์แวร์ (CPU)")));
    else
        b.row(L"การถอดรหัส", engineTextForDisplay(hwdec) + L"  " + b.tr(L"(การ์ดจอ)"));
    std::string pixelFormat = b.text("video-params/hw-pixelformat");
    if (pixelFormat.empty()) pixelFormat = b.text("video-params/pixelformat");
    b.engineRow(L"รูปแบบพิกเซล", pixelFormat);
    b.engineRow(L"ระบบสี", b.text("video-params/colormatrix"));
    b.engineRow(L"แม่สี", b.text("video-params/primaries"));
    b.engineRow(L"แกมมา", b.text("video-params/gamma"));
    b.engineRow(L"ช่วงสี", b.text("video-params/colorlevels"));
    b.engineRow(L"โครมา", b.text("video-params/chroma-location"));
    double rotate = b.number("video-params/rotate", 0);
    if (rotate != 0) b.row(L"หมุน", widen(format("%.0f", rotate)) + L"°");
}

void addAudioRows(RowBuilder& b, const std::string& prefix, bool selected) {
    double channels = b.number(prefix + "demux-channel-count");
    std::string layout = b.text(prefix + "demux-channels");
    if (layout.compare(0, 7, "unknown") == 0) layout.clear();
    if (channels > 0) {
        std::wstring value = engineTextForDisplay(layout);
        if (!value.empty()) value += L"  ";
        b.row(L"ช่องเสียง", value + widen(format("(%.0f ch)", channels)));
    }
    double rate = b.number(prefix + "demux-samplerate");
    if (rate > 0) b.row(L"อัตราสุ่ม", format("%.1f kHz", rate / 1000));
    addBitrateRow(b, prefix, selected, "audio-bitrate");
    if (!selected) return;
    std::wstring output = engineTextForDisplay(b.text("audio-out-params/hr-channels"));
    if (output.empty()) return;
    double outRate = b.number("audio-out-params/samplerate");
    if (outRate > 0) output += widen(format("  %.1f kHz", outRate / 1000));
    b.row(L"ส่งออกลำโพง", output);
}

void addTrackRows(RowBuilder& b) {
    double tracks = std::min(b.number("track-list/count", 0), double(kInfoMaxTracks));
    int videoCount = 0, audioCount = 0, subCount = 0;
    for (int i = 0; i < tracks; ++i) {
        std::string prefix = format("track-list/%d/", i);
        std::string type = b.text(prefix + "type");
        int* counter = type == "video" ? &videoCount : type == "audio" ? &audioCount : type == "sub" ? &subCount
                                                                                                      : nullptr;
        if (!counter) continue;
        bool selected = b.text(prefix + "selected") == "yes";
        std::string lang = b.text(prefix + "lang"), title = b.text(prefix + "title");
        b.section(trackHeading(b, type, ++*counter, b.text(prefix + "image") == "yes", selected));
        b.engineRow(L"ภาษา", lang);
        b.engineRow(L"ชื่อแทร็ก", title);
        std::string codec = codecDisplayName(b.text(prefix + "codec"));
        std::string desc = b.text(prefix + "codec-desc");
        std::wstring codecValue = engineTextForDisplay(codec);
        if (!desc.empty() && desc != codec) codecValue += L"  —  " + engineTextForDisplay(desc);
        b.row(L"ตัวเข้ารหัส", codecValue, selected);
        b.engineRow(L"โปรไฟล์", b.text(prefix + "codec-profile"));
        if (type == "video") addVideoRows(b, prefix, selected);
        if (type == "audio") addAudioRows(b, prefix, selected);
        std::wstring flags;
        if (b.text(prefix + "default") == "yes") flags += b.tr(L"ค่าเริ่มต้น  ");
        if (b.text(prefix + "forced") == "yes") flags += L"forced  ";
        if (b.text(prefix + "external") == "yes")
            flags += b.tr(L"ไฟล์แยก  ") + engineTextForDisplay(b.text(prefix + "external-filename"));
        b.row(L"สถานะ", flags);
    }
}

void addChapterRows(RowBuilder& b, double chapters) {
    if (chapters <= 0) return;
    b.section(b.tr(L"ตอน (chapter)"));
    for (int i = 0; i < chapters && i < kInfoMaxChapters; ++i) {
        std::string prefix = format("chapter-list/%d/", i);
        std::wstring title = engineTextForDisplay(b.text(prefix + "title"));
        // No translation exists for the fallback; it reads the same in every language.
        if (title.empty()) title = widen(format("Chapter %d", i + 1));
        b.rows.push_back({kDataRow, widen(durationText(b.number(prefix + "time", 0))), title, false});
    }
}

void addPlaybackRows(RowBuilder& b) {
    b.section(b.tr(L"การเล่น"));
    b.row(L"ตำแหน่ง", durationText(b.number("time-pos")) + format("  (%.1f %%)", b.number("percent-pos", 0)));
    b.row(L"ความเร็ว", format("%.2fx", b.number("speed", 1.0)));
    double shown = b.number("estimated-vf-fps"), refresh = b.number("display-fps");
    if (shown > 0) {
        std::string value = format("%.3f fps", shown);
        if (refresh > 0) value += format("   (%.0f Hz)", refresh);
        b.row(L"เฟรมที่แสดงจริง", value);
    }
    b.row(L"เฟรมที่ตกหล่น",
          format("%.0f", b.number("frame-drop-count", 0) + b.number("decoder-frame-drop-count", 0)));
    b.row(L"ภาพ-เสียงตรงกัน", format("%+.3f s", b.number("avsync", 0)));
    double buffer = b.number("demuxer-cache-duration");
    if (buffer > 0) b.row(L"บัฟเฟอร์", format("%.1f s", buffer));
    b.row(L"ตัวเล่น", engineTextForDisplay(b.text("mpv-version")) + L"  ·  " +
                          engineTextForDisplay(b.text("ffmpeg-version")));
}

}  // namespace

std::string durationText(double seconds) {
    // A file whose streams start a moment late reports its first chapter a few milliseconds
    // before zero: that chapter begins at the start.
    if (seconds > -1 && seconds < 0) seconds = 0;
    if (!(seconds >= 0 && seconds < 2147483648.0)) return std::string();
    long whole = long(seconds);
    return format("%ld:%02ld:%02ld", whole / 3600, whole / 60 % 60, whole % 60);
}

std::string bitrateText(double b) {
    if (!(b > 0)) return std::string();
    if (b >= 1000000) return format("%.2f Mbps", b / 1000000);
    return format("%.0f kbps", b / 1000);
}

std::string fileSizeText(double s) {
    if (!(s > 0)) return std::string();
    std::string size = s < 1e9 ? format("%.1f MB", s / 1e6) : format("%.2f GB", s / 1e9);
    return size + format("  (%.0f bytes)", s);
}

std::string codecDisplayName(const std::string& codec) {
    for (const CodecName& name : CodecNames)
        if (codec == name.id) return name.shown;
    return upperAscii(codec);
}

std::wstring engineTextForDisplay(const std::string& utf8) {
    // Not cut here: the read buffer bounds the text, and the copy must get all of it.
    return oneLineFromUtf8(utf8.data(), utf8.size(), SIZE_MAX, displayCodePoint);
}

std::wstring infoDrawnText(const std::wstring& text) {
    if (text.size() <= kInfoDrawnMaxChars) return text;
    size_t keep = kInfoDrawnMaxChars;
    if (text[keep - 1] >= 0xD800 && text[keep - 1] <= 0xDBFF) --keep;
    return text.substr(0, keep) + L'…';
}

std::vector<InfoRow> buildInfoRows(const InfoReader& reader, Translate tr) {
    RowBuilder b(reader, tr);
    addFileRows(b);
    double chapters = std::floor(b.number("chapter-list/count", 0));
    if (chapters > 0) b.row(L"ตอน (chapter)", format("%.0f", chapters));
    addTrackRows(b);
    addChapterRows(b, chapters);
    addPlaybackRows(b);
    return b.rows;
}

int infoRowHeight(const InfoRow& row) { return row.kind == kSectionHeading ? kInfoHeadingHeight : kInfoRowHeight; }

int infoContentHeight(const std::vector<InfoRow>& rows) {
    int height = 0;
    for (const InfoRow& row : rows) height += infoRowHeight(row);
    return height;
}

std::wstring infoClipboardText(const std::vector<InfoRow>& rows, const wchar_t* title) {
    std::wstring text = L"KivoPlayer - ";
    text += title;
    text += L"\r\n";
    for (const InfoRow& row : rows) {
        if (row.kind == kSectionHeading) text += L"\r\n[" + row.label + L"]\r\n";
        else text += L"  " + row.label + L": " + row.value + L"\r\n";
    }
    return text;
}

bool copiedShown(uint32_t copiedUntil, uint32_t now) {
    return copiedUntil != 0 && int32_t(copiedUntil - now) > 0;
}

int floatingPanelHeight(int contentHeight, int clientHeightPx, int hudReservePx, int topPx, float scale) {
    int room = int(float(clientHeightPx - hudReservePx - topPx) / scale) - 32;
    return std::max(std::min(contentHeight + kFloatingPanelChrome, room), 160);
}

int clampPanelScroll(int offset, int contentHeight, int panelHeight) {
    int most = std::max(0, contentHeight - (panelHeight - kFloatingPanelChrome));
    return std::max(0, std::min(offset, most));
}

ScrollThumb panelScrollThumb(int contentHeight, int panelHeight, int scroll) {
    float view = float(panelHeight - kFloatingPanelChrome);
    if (contentHeight <= view) return {false, 0, 0, 0};
    float track = view - 8;
    float length = std::max(24.0f, view * track / float(contentHeight));
    return {true, track, 50 + float(scroll) * (track - length) / (float(contentHeight) - view), length};
}

void floatingRowAccessItem(const std::wstring& label, const std::wstring& value, bool heading, int contentTop,
                           int rowHeight, int scroll, int panelHeight, AccessItem& item) {
    item = AccessItem();
    item.role = heading ? kRoleStaticText : kRoleListItem;
    item.state = kStateReadOnly;
    item.name = label;
    item.value = value;
    // The rows show between the rule under the heading and the panel's bottom margin.
    const int top = 46 + contentTop - scroll, viewBottom = panelHeight - (kFloatingPanelChrome - 47);
    if (top + rowHeight <= 47 || top >= viewBottom) {
        item.state |= kStateOffscreen;
        return;
    }
    item.x = 14, item.w = 612, item.y = float(top), item.h = float(rowHeight);
}

void floatingButtonAccessItem(const std::wstring& name, float x, float y, float w, float h, AccessItem& item) {
    item = AccessItem();
    item.role = kRolePushButton;
    item.name = name;
    item.action = accessPressAction();
    item.x = x, item.y = y, item.w = w, item.h = h;
}
