#include "engine/preview_core.h"

#include <algorithm>
#include <cmath>

const char* previewRefusal(const PreviewFileFacts& facts) {
    if (facts.path.empty()) return "no file";
    if (facts.path.find("://") != std::string::npos) return "network stream";
    if (!facts.hasVideo) return "audio only";
    if (!(facts.duration >= 2.0)) return "shorter than 2 s";
    return nullptr;
}

PreviewBox previewBoxFor(double aspect) {
    if (!(aspect > 0.05 && aspect < 20)) aspect = 16.0 / 9.0;
    if (aspect >= 1) return {kPreviewBoxWidth, std::max(8, int(std::lround(kPreviewBoxWidth / aspect)))};
    return {std::max(8, int(std::lround(kPreviewMaxPortraitHeight * aspect))), kPreviewMaxPortraitHeight};
}

double previewStep(double duration) { return std::max(1.0, duration / 300.0); }

long long previewSlotOf(double seconds, double step) {
    if (!(seconds > 0)) return 0;
    return std::llround(std::min(seconds, 1e9) / step);
}

double previewSlotTime(long long slot, double step, double duration) {
    double t = double(slot) * step;
    // The very end has no picture to seek to; the last frames are just before it.
    return std::max(0.0, std::min(t, duration - 0.5));
}

const PreviewPicture* PreviewCache::find(long long slot, int width, int height) {
    for (Entry& e : entries_) {
        if (e.slot != slot || e.picture.width != width || e.picture.height != height) continue;
        e.used = ++clock_;
        return &e.picture;
    }
    return nullptr;
}

void PreviewCache::put(long long slot, PreviewPicture picture) {
    auto same = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.slot == slot; });
    if (same == entries_.end() && entries_.size() >= size_t(kPreviewCacheSlots))
        same = std::min_element(entries_.begin(), entries_.end(),
                                [](const Entry& a, const Entry& b) { return a.used < b.used; });
    if (same == entries_.end()) {
        entries_.push_back({slot, ++clock_, std::move(picture)});
    } else {
        *same = {slot, ++clock_, std::move(picture)};
    }
}
