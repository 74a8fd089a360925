// A minimal PNG encoder: 8-bit RGB, no filtering, zlib "stored" blocks.
// Screenshots only have to be valid images that any decoder (GDI+ included)
// opens; compression would buy nothing for a test double.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

uint32_t crc32Of(const uint8_t *bytes, size_t count, uint32_t crc = 0);

// rgb holds width * height * 3 bytes, rows from the top.
std::string encodePng(int width, int height, const std::vector<uint8_t> &rgb);
