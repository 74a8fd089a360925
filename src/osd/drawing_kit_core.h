// The palette, the font-family choice and the text decoding shared by every panel; no platform
// headers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Colours are 32-bit ARGB, alpha in the top byte.
using Argb = uint32_t;

constexpr Argb withAlpha(uint32_t rgb, unsigned alpha) { return Argb(alpha & 0xFFu) << 24 | (rgb & 0xFFFFFFu); }

// Four colours take an alpha chosen where they are used.
constexpr Argb AccentCyan(unsigned alpha) { return withAlpha(0x00E5FF, alpha); }
constexpr Argb TextBright(unsigned alpha) { return withAlpha(0xD6F5FF, alpha); }
constexpr Argb TextMuted(unsigned alpha) { return withAlpha(0x6D93A4, alpha); }
constexpr Argb AmberWarn(unsigned alpha) { return withAlpha(0xFFB547, alpha); }

constexpr Argb PanelNavy = 0xE205141F;         // HUD and toasts
constexpr Argb PanelNavyDense = 0xEC05141F;    // menu, playlist, file information
constexpr Argb PanelNavyDensest = 0xF005141F;  // settings and help
constexpr Argb GradientTop = 0xFF3FF0FF;
constexpr Argb GradientBottom = 0xFF00B8FF;
constexpr Argb GlyphNavy = 0xFF00121B;         // glyph on a gradient fill
constexpr Argb BubbleNavy = 0xF0081E2E;        // time bubble over the seek bar
constexpr Argb DisabledSlate = 0xFF3A5968;     // disabled menu rows
constexpr Argb MuteCoral = 0xFFFF4D61;         // the HUD's mute cross only

// The families the kit looks for in its private font files, and how many leading
// characters must agree: a collection may name the family with its weight appended
// ("Chakra Petch Medium").
struct FontFamilyWish {
    const char16_t* name;
    size_t comparedChars;
    const char16_t* installedFallback;
};
constexpr FontFamilyWish kUiFamilyWish = {u"Chakra Petch", 12, u"Leelawadee UI"};
constexpr FontFamilyWish kMonoFamilyWish = {u"Share Tech Mono", 15, u"Consolas"};

// Index of the first of `count` family names that matches the wish, or -1.
int matchingFamily(const char16_t* const* names, int count, const FontFamilyWish& wish);

// Whether the monospaced family can show every character of the text: it has Latin and
// punctuation only, so Thai and symbols such as ▶ are set in the UI family instead of boxes.
bool monoFamilyCovers(const wchar_t* text);

// Pixel sizes of the four fonts.
constexpr float kUiFontSize = 13, kMonoFontSize = 13, kMonoFontLargeSize = 15, kMonoFontSmallSize = 11;

// Outside text (UTF-8) made into one line to draw: every byte that does not start a valid
// sequence (stray, cut short, overlong, surrogate, beyond U+10FFFF) stands as U+FFFD, `show` maps
// each code point to what is drawn (0: nothing), and an ellipsis ends the line after `maxChars`
// drawn characters when more follow.
std::wstring oneLineFromUtf8(const char* text, size_t size, size_t maxChars, uint32_t (*show)(uint32_t));
