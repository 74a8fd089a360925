// The option set the engine is started with, and other decisions of opening files that
// need no platform calls.
#pragma once
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "store/settings_core.h"

struct EngineStartInputs {
    const Settings* settings;
    bool resumeEnabled;
    bool moreFilesGiven;        // further files are appended after the first
    std::string resumeFolder;   // UTF-8, empty when there is none
    long long pictureWindow;    // handle of the picture window, as a number
    bool hardwareDecoding;      // the setting asks for it and the machine likely has a decoder
    bool direct3d9Output;       // the machine can only show pictures through Direct3D 9 (Wine)
    bool testMode;
};

using EngineOptions = std::vector<std::pair<std::string, std::string>>;

// The options in the order they are set.
EngineOptions engineStartOptions(const EngineStartInputs& in);

extern const char* const kLoudnessFilter;

// The name shown for a path: the text after its last backslash, or all of it.
std::u16string displayNameOf(const std::u16string& fullPath);

// The open-file dialog's result: one full path, or a folder followed by file names.
std::vector<std::u16string> parseOpenDialogResult(const char16_t* buffer, size_t capacity);
