// The file information panel's text model: which rows come from which engine property, the
// number, size and time formats, the clipboard text, and the geometry it shares with the help
// panel. No platform headers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "osd/access_core.h"

enum InfoRowKind { kDataRow, kSectionHeading };

struct InfoRow {
    InfoRowKind kind = kDataRow;  // a section heading has no value
    std::wstring label;
    std::wstring value;
    bool highlight = false;  // the value is drawn in the accent colour
};

// The two engine reads the panel needs; a failed read answers false.
struct InfoReader {
    bool (*getDouble)(const char* property, double& value);
    bool (*getText)(const char* property, char* buffer, size_t size);
};

// The UI text for a Thai source text in the current language.
using Translate = const wchar_t* (*)(const wchar_t* thai);

// Logical pixel heights of the two kinds of row.
constexpr int kInfoHeadingHeight = 30, kInfoRowHeight = 21;
// Every engine text is read into this many bytes (a path included) and kept whole within it,
// in the rows and in the copy.
constexpr size_t kInfoTextBytes = 1024;
// A drawn row shows at most this many characters before its ellipsis: far more than fit in its
// box, and few enough that the drawing never lays out a whole path.
constexpr size_t kInfoDrawnMaxChars = 240;
// Bounds on the engine's lists, so that a file with thousands of tags or tracks cannot stall
// the once-a-second refresh.
constexpr int kInfoMaxTags = 200, kInfoMaxTracks = 200, kInfoMaxChapters = 60;

std::vector<InfoRow> buildInfoRows(const InfoReader& reader, Translate tr);
int infoContentHeight(const std::vector<InfoRow>& rows);
int infoRowHeight(const InfoRow& row);

// "H:MM:SS" of the whole seconds; empty for a negative, non-finite or unrepresentable time.
std::string durationText(double seconds);
// "12.34 Mbps" or "128 kbps"; empty for b <= 0.
std::string bitrateText(double bitsPerSecond);
// "734.0 MB  (734003200 bytes)"; empty for s <= 0.
std::string fileSizeText(double bytes);
// The display name of a codec id, or the id upper-cased.
std::string codecDisplayName(const std::string& codec);

// An engine text made safe to show on one line and to copy: invalid UTF-8 becomes U+FFFD, line
// breaks and tabs become spaces, other control and direction-override characters are
// replaced or dropped. Nothing is cut: the result has no more UTF-16 units than the input has
// bytes.
std::wstring engineTextForDisplay(const std::string& utf8);
// A row's text as drawn: cut after kInfoDrawnMaxChars with an ellipsis, never inside a
// surrogate pair.
std::wstring infoDrawnText(const std::wstring& text);


// The whole panel as text for the clipboard, CR LF line ends.
std::wstring infoClipboardText(const std::vector<InfoRow>& rows, const wchar_t* title);

// Whether the copy button still reads "Copied" at `now`; 0 means not copied. Safe across the
// wrap of the 32-bit tick count.
bool copiedShown(uint32_t copiedUntil, uint32_t now);

// Placement shared by the file information and help panels (logical pixels unless named).
constexpr int kFloatingPanelWidth = 640, kFloatingPanelChrome = 56;
int floatingPanelHeight(int contentHeight, int clientHeightPx, int hudReservePx, int topPx, float scale);
int clampPanelScroll(int offset, int contentHeight, int panelHeight);
struct ScrollThumb {
    bool shown;
    float trackLength, top, length;
};
ScrollThumb panelScrollThumb(int contentHeight, int panelHeight, int scroll);

// A row of a floating panel for a screen reader: a heading as static text, any other row as a
// list item named by its label with its value. `contentTop` is the row's top in the scrolled
// content; a row scrolled out of view has no place.
void floatingRowAccessItem(const std::wstring& label, const std::wstring& value, bool heading, int contentTop,
                           int rowHeight, int scroll, int panelHeight, AccessItem& item);
// A floating panel's close cross and (file info) copy button.
void floatingButtonAccessItem(const std::wstring& name, float x, float y, float w, float h, AccessItem& item);
constexpr float kFloatingCloseX = 602, kFloatingCloseY = 11, kFloatingCloseSize = 24;
