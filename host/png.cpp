// A PNG writer small enough to carry along: 24-bit RGB, no filtering, and a
// zlib stream of stored (uncompressed) deflate blocks. Snapshots are
// evidence, not artwork, so size does not matter and no library is needed.
#include "png.h"

#include <stdio.h>

#include <vector>

namespace png {
namespace {

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
    static uint32_t table[256];
    if (!table[1]) {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
    }
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

uint32_t Adler32(const uint8_t* data, size_t size) {
    uint32_t a = 1, b = 0;
    for (size_t i = 0; i < size; ++i) {
        a = (a + data[i]) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void PutBig32(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value >> 24));
    out.push_back(static_cast<uint8_t>(value >> 16));
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value));
}

void PutChunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& body) {
    PutBig32(out, static_cast<uint32_t>(body.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    PutBig32(out, Crc32(out.data() + start, out.size() - start));
}

// rgb holds height rows of width pixels, 3 bytes each (red, green, blue),
// top row first.
std::vector<uint8_t> Encode(int width, int height, const uint8_t* rgb) {
    std::vector<uint8_t> raw;
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    raw.reserve((rowBytes + 1) * height);
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // filter type None
        raw.insert(raw.end(), rgb + y * rowBytes, rgb + (y + 1) * rowBytes);
    }

    std::vector<uint8_t> zlib = {0x78, 0x01};
    size_t offset = 0;
    do {
        const size_t piece = raw.size() - offset > 65535 ? 65535 : raw.size() - offset;
        const bool last = offset + piece == raw.size();
        zlib.push_back(last ? 1 : 0);  // BFINAL, BTYPE 00 (stored)
        zlib.push_back(static_cast<uint8_t>(piece));
        zlib.push_back(static_cast<uint8_t>(piece >> 8));
        zlib.push_back(static_cast<uint8_t>(~piece));
        zlib.push_back(static_cast<uint8_t>(~piece >> 8));
        zlib.insert(zlib.end(), raw.begin() + offset, raw.begin() + offset + piece);
        offset += piece;
    } while (offset < raw.size());
    PutBig32(zlib, Adler32(raw.data(), raw.size()));

    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBig32(header, static_cast<uint32_t>(width));
    PutBig32(header, static_cast<uint32_t>(height));
    header.push_back(8);  // bit depth
    header.push_back(2);  // colour type: RGB
    header.push_back(0);  // compression
    header.push_back(0);  // filter method
    header.push_back(0);  // no interlace
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", zlib);
    PutChunk(out, "IEND", {});
    return out;
}

}  // namespace

bool WritePng(const std::string& path, int width, int height, const uint8_t* rgb) {
    const std::vector<uint8_t> bytes = Encode(width, height, rgb);
    FILE* file = fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && written;
}

}  // namespace png
