// Start-up decisions that need no platform calls: the command line, the hand-over
// payload a second instance sends, the language choice and the first window size.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// WM_COPYDATA codes of the hand-over: open the files, or queue them.
constexpr uint32_t kHandoverOpen = 0x4B49564F;   // "KIVO"
constexpr uint32_t kHandoverQueue = 0x4B565155;  // "KVQU"

// "--register" / "--unregister": write or remove the program's file types and end.
enum class Registration { None, Register, Unregister };

struct StartArguments {
    std::vector<std::u16string> files;  // in command-line order
    bool enqueue = false;               // "--enqueue" was given
    Registration registration = Registration::None;  // the last of the two switches given
};

// Sorts the arguments after the program name into files and the switches.
StartArguments splitStartArguments(const std::vector<std::u16string>& argsAfterProgram);

// Each path followed by a NUL, then one more NUL (an empty list is a single NUL).
std::u16string buildHandoverPayload(const std::vector<std::u16string>& fullPaths);

// Reads the paths back from `count` UTF-16 units; stops at the first empty path.
std::vector<std::u16string> parseHandoverPayload(const char16_t* data, size_t count);

// The UI language code: the registry value wins when non-empty, then the settings
// value, then the default; cut to the 15 bytes the settings field holds.
std::string chooseLanguageCode(const std::string& settingsLang, const std::string& registryLang,
                               const std::string& defaultLang);

struct PixelSize {
    int width;
    int height;
};

// The main window's first size: 1100 x 640 logical pixels at the UI scale, cut toward zero,
// and no larger than the screen, so that a large scale on a small screen still leaves the
// title bar and its buttons on the screen once the window is centred.
PixelSize mainWindowSize(float scale, PixelSize screen);
