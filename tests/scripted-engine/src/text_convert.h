// UTF-8 <-> UTF-16 conversion and small text helpers shared by the engine modules.
#pragma once

#include <string>
#include <vector>

std::wstring utf8ToWide(const std::string &text);
std::string wideToUtf8(const std::wstring &text);

// Reads an environment variable as UTF-8; empty when it is not set.
std::string environmentText(const wchar_t *name);

// Splits at every separator; empty pieces are kept.
std::vector<std::string> splitText(const std::string &text, char separator);

std::string trimmed(const std::string &text);
std::string lowerAscii(std::string text);

// Strict number parsing: the whole text must be the number (no trailing rubbish).
bool parseDouble(const std::string &text, double &out);
bool parseInteger(const std::string &text, long long &out);

// A whole file's bytes; empty and found = false when it cannot be opened. Other
// programs may be writing or replacing the file meanwhile, so every sharing mode is allowed.
std::string readWholeFile(const std::wstring &path, bool *found = nullptr);

// "%f", the engine's way of printing every floating-point value.
std::string formatFixed(double value);
