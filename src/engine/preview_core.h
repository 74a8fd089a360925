// Picture previews over the seek bar: the decisions that need no platform calls (which files
// get previews, the picture's box, the time step that keys the cache, where the window goes)
// and the small cache of finished pictures.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

constexpr int kPreviewBoxWidth = 192;      // unscaled
constexpr int kPreviewMaxPortraitHeight = 108;
constexpr int kPreviewCacheSlots = 100;
constexpr unsigned kPreviewGiveUpMs = 2000;  // a file that shows nothing this long gets no previews

// What the playing engine tells about the playing file.
struct PreviewFileFacts {
    std::string path;        // UTF-8
    double duration = 0;     // seconds, 0 when unknown
    bool hasVideo = false;   // a video track that is not cover art
    double aspect = 0;       // display width ÷ height, 0 when unknown
};

// Why a file gets no previews ("network stream", "audio only", "shorter than 2 s"), or null.
const char* previewRefusal(const PreviewFileFacts& facts);

// The picture's box in unscaled pixels: 192 wide at the video's aspect; a portrait picture is
// 108 high and narrower instead.
struct PreviewBox {
    int width, height;
};
PreviewBox previewBoxFor(double aspect);

// Times within one step share a cache slot: about 300 steps over the file, at least 1 s.
double previewStep(double duration);
// The slot of a time, and the time a slot's picture is taken at.
long long previewSlotOf(double seconds, double step);
double previewSlotTime(long long slot, double step, double duration);

// A finished picture: real pixels, rows top down, 0xAARRGGBB with alpha 255.
struct PreviewPicture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
};

// The last pictures of one file, by slot; the least recently used one goes first.
class PreviewCache {
public:
    const PreviewPicture* find(long long slot, int width, int height);
    void put(long long slot, PreviewPicture picture);
    void clear() { entries_.clear(); }
    size_t size() const { return entries_.size(); }

private:
    struct Entry {
        long long slot;
        uint64_t used;
        PreviewPicture picture;
    };
    std::vector<Entry> entries_;
    uint64_t clock_ = 0;
};
