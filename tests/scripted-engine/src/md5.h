// MD5 (RFC 1321). The engine names resume files by the digest of the media path,
// so the double computes it the same way instead of pulling in a crypto library.
#pragma once

#include <array>
#include <cstdint>
#include <string>

std::array<uint8_t, 16> md5Digest(const std::string &bytes);

// Upper-case hexadecimal digest, the form used for resume file names.
std::string md5HexUpper(const std::string &bytes);
