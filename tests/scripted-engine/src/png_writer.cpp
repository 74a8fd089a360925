#include "png_writer.h"

#include <cstddef>

namespace {

void appendBigEndian(std::string &out, uint32_t value) {
    out.push_back((char)(value >> 24));
    out.push_back((char)(value >> 16));
    out.push_back((char)(value >> 8));
    out.push_back((char)value);
}

void appendChunk(std::string &out, const char type[4], const std::string &data) {
    appendBigEndian(out, (uint32_t)data.size());
    std::string typed(type, 4);
    typed += data;
    out += typed;
    appendBigEndian(out, crc32Of((const uint8_t *)typed.data(), typed.size()));
}

// zlib stream made of stored (uncompressed) deflate blocks of at most 65535 bytes.
std::string zlibStored(const std::string &raw) {
    std::string out;
    out.push_back((char)0x78);
    out.push_back((char)0x01);
    size_t offset = 0;
    do {
        size_t length = raw.size() - offset;
        if (length > 65535) length = 65535;
        bool last = offset + length == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back((char)(length & 0xff));
        out.push_back((char)(length >> 8));
        out.push_back((char)(~length & 0xff));
        out.push_back((char)((~length >> 8) & 0xff));
        out.append(raw, offset, length);
        offset += length;
    } while (offset < raw.size());
    uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    appendBigEndian(out, (b << 16) | a);
    return out;
}

}  // namespace

uint32_t crc32Of(const uint8_t *bytes, size_t count, uint32_t crc) {
    static uint32_t table[256];
    static bool ready = false;
    if (!ready) {
        for (uint32_t n = 0; n < 256; n++) {
            uint32_t c = n;
            for (int k = 0; k < 8; k++) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        ready = true;
    }
    crc = ~crc;
    for (size_t i = 0; i < count; i++) crc = table[(crc ^ bytes[i]) & 0xff] ^ (crc >> 8);
    return ~crc;
}

std::string encodePng(int width, int height, const std::vector<uint8_t> &rgb) {
    std::string png("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    appendBigEndian(header, (uint32_t)width);
    appendBigEndian(header, (uint32_t)height);
    header +=
        std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter, no interlace
    appendChunk(png, "IHDR", header);

    std::string raw;
    raw.reserve((size_t)height * ((size_t)width * 3 + 1));
    for (int y = 0; y < height; y++) {
        raw.push_back(0);  // filter type "none"
        raw.append((const char *)&rgb[(size_t)y * width * 3], (size_t)width * 3);
    }
    appendChunk(png, "IDAT", zlibStored(raw));
    appendChunk(png, "IEND", std::string());
    return png;
}
