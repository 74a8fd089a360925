// Writes a stored file whole: the bytes go to "<path>.tmp", which replaces the old file
// only when every write, the flush and the close succeeded. On any failure the temporary
// file is removed and the old file is left exactly as it was.
#pragma once
#include <string>

bool writeStoredFile(const std::wstring& path, const std::string& bytes);

// Reads a whole file as raw bytes; false (and `bytes` left empty) when it cannot be opened.
bool readStoredFile(const std::wstring& path, std::string& bytes);
