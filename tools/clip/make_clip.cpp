// Writes examples/clip.avi: a small silent clip that an animation control
// opens without a decompressor (uncompressed 8-bit frames, the kind the
// control plays itself). Eight 64 x 64 frames of a busy wheel: eight dots
// round a circle, the bright one moving on by one dot a frame and the
// others fading behind it, so that any frame shows the wheel.
//
//   g++ -std=c++17 -O2 -o /tmp/make-clip tools/clip/make_clip.cpp
//   /tmp/make-clip examples/clip.avi
//
// The clip is checked in; this program says how it was made.
#include <math.h>
#include <stdint.h>
#include <stdio.h>

#include <vector>

namespace {

constexpr int kSize = 64;        // width and height; rows need no padding
constexpr int kFrames = 8;
constexpr int kDots = 8;
constexpr uint32_t kMicrosecondsPerFrame = 100000;  // 10 frames a second
constexpr int kPaletteSize = 256;
constexpr uint32_t kFrameBytes = kSize * kSize;

// Palette: 0 the background, 1 the rim, 2.. the dots from faint to bright.
constexpr int kBackground = 0;
constexpr int kRim = 1;
constexpr int kFirstShade = 2;

typedef std::vector<uint8_t> Bytes;

void Put16(Bytes& out, uint16_t v) { out.push_back(v & 0xFF), out.push_back(v >> 8); }
void Put32(Bytes& out, uint32_t v) { Put16(out, v & 0xFFFF), Put16(out, v >> 16); }
void PutTag(Bytes& out, const char* four) { out.insert(out.end(), four, four + 4); }
void PutBytes(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

// A chunk: tag, size, contents, padded to an even length.
void PutChunk(Bytes& out, const char* tag, const Bytes& contents) {
    PutTag(out, tag);
    Put32(out, static_cast<uint32_t>(contents.size()));
    PutBytes(out, contents);
    if (contents.size() % 2) out.push_back(0);
}

// A list: a chunk whose contents start with the list's type.
void PutList(Bytes& out, const char* listType, const Bytes& contents, const char* tag = "LIST") {
    Bytes inner;
    PutTag(inner, listType);
    PutBytes(inner, contents);
    PutChunk(out, tag, inner);
}

// One frame, bottom row first as DIBs are stored.
std::vector<uint8_t> DrawFrame(int frame) {
    std::vector<uint8_t> pixels(kSize * kSize, kBackground);
    const double centre = (kSize - 1) / 2.0;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const double distance = hypot(x - centre, y - centre);
            if (distance > 29.5 && distance <= 31.5) pixels[(kSize - 1 - y) * kSize + x] = kRim;
        }
    }
    for (int dot = 0; dot < kDots; ++dot) {
        const double angle = 2 * M_PI * dot / kDots - M_PI / 2;  // dot 0 at the top, clockwise
        const double dotX = centre + 19 * cos(angle), dotY = centre + 19 * sin(angle);
        // The bright dot is this frame's; those behind it fade.
        const int behind = (frame - dot + kDots) % kDots;
        const uint8_t shade = static_cast<uint8_t>(kFirstShade + (kDots - 1 - behind));
        const double radius = behind == 0 ? 7.0 : 6.0 - 0.4 * behind;
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                if (hypot(x - dotX, y - dotY) <= radius) pixels[(kSize - 1 - y) * kSize + x] = shade;
            }
        }
    }
    return pixels;
}

// The frame format: a BITMAPINFOHEADER and the palette.
Bytes FrameFormat() {
    Bytes f;
    Put32(f, 40);
    Put32(f, kSize);
    Put32(f, kSize);  // positive: bottom row first
    Put16(f, 1);      // planes
    Put16(f, 8);      // bits a pixel
    Put32(f, 0);      // BI_RGB: uncompressed
    Put32(f, kFrameBytes);
    Put32(f, 0), Put32(f, 0);  // pixels a metre
    Put32(f, kPaletteSize), Put32(f, 0);
    auto entry = [&](int r, int g, int b) { f.push_back(b), f.push_back(g), f.push_back(r), f.push_back(0); };
    entry(255, 255, 255);  // background
    entry(40, 70, 150);    // rim
    for (int shade = 0; shade < kDots; ++shade) {
        // From a pale blue to a strong one.
        const double t = shade / double(kDots - 1);
        entry(int(215 - 185 * t), int(228 - 148 * t), int(250 - 30 * t));
    }
    for (int i = kFirstShade + kDots; i < kPaletteSize; ++i) entry(0, 0, 0);
    return f;
}

// avih: the clip as a whole.
Bytes MainHeader() {
    Bytes h;
    Put32(h, kMicrosecondsPerFrame);
    Put32(h, kFrameBytes * (1000000 / kMicrosecondsPerFrame));  // bytes a second
    Put32(h, 0);     // padding granularity
    Put32(h, 0x10);  // AVIF_HASINDEX
    Put32(h, kFrames);
    Put32(h, 0);  // initial frames
    Put32(h, 1);  // streams
    Put32(h, kFrameBytes);
    Put32(h, kSize);
    Put32(h, kSize);
    for (int i = 0; i < 4; ++i) Put32(h, 0);
    return h;
}

// strh: its one stream, video frames that need no decompressor.
Bytes StreamHeader() {
    Bytes h;
    PutTag(h, "vids");
    PutTag(h, "DIB ");
    Put32(h, 0);  // flags
    Put16(h, 0);  // priority
    Put16(h, 0);  // language
    Put32(h, 0);  // initial frames
    Put32(h, kMicrosecondsPerFrame);  // scale / rate: seconds a frame
    Put32(h, 1000000);
    Put32(h, 0);  // start
    Put32(h, kFrames);
    Put32(h, kFrameBytes);
    Put32(h, 0xFFFFFFFF);  // quality: the default
    Put32(h, 0);           // sample size: 0 for video
    Put16(h, 0), Put16(h, 0), Put16(h, kSize), Put16(h, kSize);
    return h;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: make-clip file.avi\n");
        return 2;
    }
    Bytes streamList;
    PutChunk(streamList, "strh", StreamHeader());
    PutChunk(streamList, "strf", FrameFormat());
    Bytes headerList;
    PutChunk(headerList, "avih", MainHeader());
    PutList(headerList, "strl", streamList);

    Bytes frames, index;
    uint32_t offset = 4;  // from the "movi" tag
    for (int frame = 0; frame < kFrames; ++frame) {
        PutChunk(frames, "00db", DrawFrame(frame));
        PutTag(index, "00db");
        Put32(index, 0x10);  // AVIIF_KEYFRAME
        Put32(index, offset);
        Put32(index, kFrameBytes);
        offset += 8 + kFrameBytes;
    }

    Bytes body;
    PutList(body, "hdrl", headerList);
    PutList(body, "movi", frames);
    PutChunk(body, "idx1", index);
    Bytes file;
    PutList(file, "AVI ", body, "RIFF");

    FILE* out = fopen(argv[1], "wb");
    if (!out || fwrite(file.data(), 1, file.size(), out) != file.size() || fclose(out) != 0) {
        fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
