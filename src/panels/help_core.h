// The help panel's fixed table: every mouse action, control-bar button and key, with its
// description in Thai and English. No platform headers.
#pragma once
#include <cstddef>
#include <cwchar>

struct HelpRow {
    const wchar_t* key;  // null for a section heading
    const wchar_t* thai;
    const wchar_t* english;
};

constexpr size_t kHelpRowCount = 85;
extern const HelpRow helpRows[kHelpRowCount];

// Logical pixel heights of the two kinds of row.
constexpr int kHelpHeadingHeight = 32, kHelpActionHeight = 23;

// The help speaks Thai only when the UI language is exactly "th"; a pack gets English.
bool helpInThai(const char* languageCode);
// The key text to show (null for a heading): Thai key names become English outside Thai.
const wchar_t* helpKeyText(const HelpRow& row, bool thai);
const wchar_t* helpDescription(const HelpRow& row, bool thai);

int helpActionCount();
int helpContentHeight();
