#include "engine/preview_engine.h"

#include <windows.h>
#include <malloc.h>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>

#include "app/diaglog.h"
#include "engine/engine.h"
#include "engine/preview_core.h"
#include "osd/uiscale.h"
#include "store/settings.h"

namespace {

// Main thread: the playing file as the previews know it.
struct PlayingFile {
    unsigned generation = 0;
    PreviewFileFacts facts;
    bool factsKnown = false;
    const char* refusal = nullptr;
    bool failed = false, logged = false;
};
PlayingFile playing;
PreviewCache cache;
bool workerStarted = false;
bool wishPending = false;
long long pendingSlot = -1;

// Shared with the preview thread, under `lock`.
struct Wish {
    unsigned generation;
    std::string path;
    long long slot;
    double time;
    int width, height;
    HWND notify;
};
struct Finished {
    unsigned generation;
    long long slot;
    PreviewPicture picture;
    const char* failure;  // set instead of a picture when the file gets no previews
};
std::mutex lock;
bool wishWaiting = false;
Wish wish;
std::vector<Finished> finished;
HANDLE wishEvent = nullptr;
std::atomic<unsigned> liveGeneration{0};
std::atomic<bool> engineBroken{false};

void logOnce(const char* why) {
    if (playing.logged) return;
    playing.logged = true;
    diagLog("previews off for this file: %s", why);
}

// ---- The preview thread ----------------------------------------------------------------

std::atomic<bool> renderUpdate{false};
void onRenderUpdate(void*) { renderUpdate.store(true); }

struct PreviewEngine {
    mpv_handle* handle = nullptr;
    mpv_render_context* render = nullptr;
    unsigned loadedGeneration = 0;
    bool loaded = false;
    int framesOfFile = 0;
    int newFrames = 0;  // frames the renderer announced and we drew
};

const char* startPreviewEngine(PreviewEngine& e) {
    e.handle = engineApi.mpv_create();
    if (!e.handle) return "engine not created";
    static const char* const options[][2] = {
        {"config", "no"}, {"terminal", "no"}, {"osc", "no"}, {"load-scripts", "no"}, {"ytdl", "no"},
        {"load-stats-overlay", "no"}, {"load-console", "no"}, {"load-auto-profiles", "no"}, {"load-select", "no"},
        {"load-positioning", "no"}, {"load-commands", "no"},
        {"input-default-bindings", "no"}, {"input-vo-keyboard", "no"}, {"idle", "yes"}, {"keep-open", "yes"},
        {"pause", "yes"}, {"vid", "auto"}, {"aid", "no"}, {"sid", "no"}, {"ao", "null"},
        {"sub-auto", "no"}, {"audio-file-auto", "no"}, {"cover-art-auto", "no"}, {"autocreate-playlist", "no"},
        {"hwdec", "no"}, {"hr-seek", "no"}, {"vd-lavc-threads", "1"},
        {"vd-lavc-fast", "yes"}, {"vd-lavc-skiploopfilter", "all"}, {"cache", "no"},
        {"demuxer-max-bytes", "2MiB"}, {"demuxer-max-back-bytes", "0"}, {"demuxer-readahead-secs", "0"},
        {"resume-playback", "no"}, {"save-position-on-quit", "no"}, {"osd-level", "0"}, {"vo", "libmpv"},
        {"video-timing-offset", "0"}, {"sws-fast", "yes"},
    };
    for (const auto& option : options) engineSetOption(e.handle, option[0], option[1]);
    if (engineApi.mpv_initialize(e.handle) < 0) return "engine not initialised";
    char api[] = "sw";
    MpvRenderParam params[] = {{MPV_RENDER_PARAM_API_TYPE, api}, {0, nullptr}};
    if (engineApi.mpv_render_context_create(&e.render, e.handle, params) < 0) return "no software renderer";
    engineApi.mpv_render_context_set_update_callback(e.render, onRenderUpdate, nullptr);
    return nullptr;
}

// Takes the renderer's news; with a new frame, draws it into `picture`.
bool renderIfNew(PreviewEngine& e, PreviewPicture& picture, bool evenWithoutFrame) {
    bool frame = false;
    if (renderUpdate.exchange(false)) frame = (engineApi.mpv_render_context_update(e.render) & MPV_RENDER_UPDATE_FRAME) != 0;
    if (!frame && !evenWithoutFrame) return false;
    e.newFrames += frame ? 1 : 0;
    int size[2] = {picture.width, picture.height};
    size_t stride = (size_t(picture.width) * 4 + 63) & ~size_t(63);
    auto* buffer = static_cast<uint8_t*>(_aligned_malloc(stride * size_t(picture.height), 64));
    if (!buffer) return false;
    char format[] = "bgr0";
    MpvRenderParam params[] = {{MPV_RENDER_PARAM_SW_SIZE, size}, {MPV_RENDER_PARAM_SW_FORMAT, format},
                               {MPV_RENDER_PARAM_SW_STRIDE, &stride}, {MPV_RENDER_PARAM_SW_POINTER, buffer},
                               {0, nullptr}};
    bool drawn = engineApi.mpv_render_context_render(e.render, params) >= 0;
    if (drawn) {
        for (int y = 0; y < picture.height; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(buffer + stride * size_t(y));
            uint32_t* out = picture.pixels.data() + size_t(y) * size_t(picture.width);
            for (int x = 0; x < picture.width; ++x) out[x] = row[x] | 0xFF000000u;
        }
    }
    _aligned_free(buffer);
    return drawn;
}

// Waits for an engine event of `id` (or a failed end of the file) for at most `ms`,
// drawing frames as they come.
bool waitForEvent(PreviewEngine& e, int id, DWORD ms, PreviewPicture& picture, bool& endedInError) {
    ULONGLONG until = GetTickCount64() + ms;
    while (GetTickCount64() < until) {
        const MpvEvent* event = engineApi.mpv_wait_event(e.handle, 0.02);
        renderIfNew(e, picture, false);
        if (!event || event->eventId == MPV_EVENT_NONE) continue;
        if (event->eventId == id) return true;
        if (event->eventId == MPV_EVENT_END_FILE) {
            auto* end = static_cast<const MpvEventEndFile*>(event->data);
            if (end && end->reason == MPV_END_FILE_REASON_ERROR) {
                endedInError = true;
                return false;
            }
        }
    }
    return false;
}

void publish(const Wish& w, Finished result) {
    {
        std::lock_guard<std::mutex> guard(lock);
        finished.push_back(std::move(result));
    }
    PostMessageW(w.notify, kPreviewReadyMessage, 0, 0);
}

void makePicture(PreviewEngine& e, const Wish& w) {
    PreviewPicture picture;
    picture.width = w.width;
    picture.height = w.height;
    picture.pixels.assign(size_t(w.width) * size_t(w.height), 0xFF000000u);
    bool endedInError = false;
    char at[32];
    snprintf(at, sizeof at, "%.3f", w.time);
    bool restarted = false;
    int framesBefore = e.newFrames;
    if (w.generation != e.loadedGeneration) {
        // A new file opens straight at the wished time.
        e.loadedGeneration = w.generation;
        e.framesOfFile = 0;
        std::string start = std::string("start=") + at;
        const char* load[] = {"loadfile", w.path.c_str(), "replace", "-1", start.c_str(), nullptr};
        e.loaded = engineApi.mpv_command(e.handle, load) >= 0 &&
                   waitForEvent(e, MPV_EVENT_FILE_LOADED, kPreviewGiveUpMs, picture, endedInError);
        if (!e.loaded) {
            publish(w, {w.generation, w.slot, {}, endedInError ? "the file did not load" : "no file loaded in 2 s"});
            return;
        }
        restarted = waitForEvent(e, MPV_EVENT_PLAYBACK_RESTART, kPreviewGiveUpMs, picture, endedInError);
    } else {
        if (!e.loaded || w.generation != liveGeneration.load()) return;
        while (const MpvEvent* old = engineApi.mpv_wait_event(e.handle, 0)) {
            if (old->eventId == MPV_EVENT_NONE) break;
        }
        const char* seek[] = {"seek", at, "absolute+keyframes", nullptr};
        restarted = engineApi.mpv_command(e.handle, seek) >= 0 &&
                    waitForEvent(e, MPV_EVENT_PLAYBACK_RESTART, kPreviewGiveUpMs, picture, endedInError);
    }
    if (!restarted) {
        if (e.framesOfFile == 0) publish(w, {w.generation, w.slot, {}, "nothing drawn in 2 s"});
        return;
    }
    // The frame after the seek comes just before the restart or shortly after it; without
    // news the renderer draws the frame it holds, which is then that one.
    ULONGLONG until = GetTickCount64() + (e.newFrames > framesBefore ? 25 : 300);
    bool drawn = false;
    while (!drawn && GetTickCount64() < until) {
        drawn = renderIfNew(e, picture, false);
        if (!drawn) Sleep(5);
    }
    if (!drawn && !renderIfNew(e, picture, true)) return;
    ++e.framesOfFile;
    publish(w, {w.generation, w.slot, std::move(picture), nullptr});
}

DWORD WINAPI previewThreadMain(void*) {
    PreviewEngine e;
    const char* broken = startPreviewEngine(e);
    for (;;) {
        WaitForSingleObject(wishEvent, INFINITE);
        Wish w;
        {
            std::lock_guard<std::mutex> guard(lock);
            if (!wishWaiting) continue;
            wishWaiting = false;
            w = wish;
        }
        if (broken) {
            engineBroken.store(true);
            publish(w, {w.generation, w.slot, {}, broken});
            return 1;
        }
        makePicture(e, w);
    }
}

// ---- The main thread --------------------------------------------------------------------

void takeFinished() {
    std::vector<Finished> done;
    {
        std::lock_guard<std::mutex> guard(lock);
        done.swap(finished);
    }
    for (Finished& f : done) {
        if (f.slot == pendingSlot) wishPending = false;
        if (f.generation != playing.generation) continue;  // another file's picture is never kept
        if (f.failure) {
            playing.failed = true;
            logOnce(f.failure);
        } else {
            cache.put(f.slot, std::move(f.picture));
        }
    }
}

// A new path starts a new generation: its cache is empty and older pictures are dropped.
bool followPlayingFile() {
    char path[2048];
    if (!engineGetText("path", path, sizeof path)) return false;
    if (playing.facts.path != path) {
        playing = {};
        playing.generation = liveGeneration.fetch_add(1) + 1;
        playing.facts.path = path;
        cache.clear();
        wishPending = false;
    }
    if (playing.factsKnown) return true;
    PreviewFileFacts& facts = playing.facts;
    if (!engineGetDouble("duration", facts.duration)) return false;
    char id[16];
    bool coverArt = false;
    engineGetFlag("current-tracks/video/albumart", coverArt);
    facts.hasVideo = engineGetText("current-tracks/video/id", id, sizeof id) && !coverArt;
    long long w = 0, h = 0;
    if (facts.hasVideo) {
        // The picture's size is known once the video is set up; ask again until it is.
        if (!engineGetInt64("dwidth", w) || !engineGetInt64("dheight", h) || w <= 0 || h <= 0) return false;
        facts.aspect = double(w) / double(h);
    }
    playing.factsKnown = true;
    playing.refusal = previewRefusal(facts);
    return true;
}

}  // namespace

bool previewWant(HWND notify, double seconds, PreviewAnswer& answer) {
    if (!appSettings().previews || !engineRunning()) return false;
    if (!followPlayingFile()) return false;
    if (!engineApi.mpv_render_context_create) {
        logOnce("the engine has no software render API");
        return false;
    }
    if (playing.refusal) {
        logOnce(playing.refusal);
        return false;
    }
    takeFinished();
    if (playing.failed || engineBroken.load()) {
        logOnce("the preview engine failed");
        return false;
    }
    PreviewBox box = previewBoxFor(playing.facts.aspect);
    double step = previewStep(playing.facts.duration);
    long long slot = previewSlotOf(seconds, step);
    int width = ScalePx(float(box.width)), height = ScalePx(float(box.height));
    answer.boxWidth = box.width;
    answer.boxHeight = box.height;
    answer.generation = playing.generation;
    if (const PreviewPicture* picture = cache.find(slot, width, height)) {
        answer.image = {picture->width, picture->height, picture->pixels.data(),
                        previewSlotTime(slot, step, playing.facts.duration)};
        return true;
    }
    if (wishPending && slot == pendingSlot) return true;
    if (!workerStarted) {
        workerStarted = true;
        wishEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        HANDLE thread = CreateThread(nullptr, 0, previewThreadMain, nullptr, 0, nullptr);
        if (!wishEvent || !thread) {
            engineBroken.store(true);
            logOnce("no preview thread");
            return false;
        }
        SetThreadPriority(thread, THREAD_PRIORITY_BELOW_NORMAL);
        CloseHandle(thread);
        diagLog("preview engine starting");
    }
    {
        std::lock_guard<std::mutex> guard(lock);
        wish = {playing.generation, playing.facts.path, slot, previewSlotTime(slot, step, playing.facts.duration),
                width, height, notify};
        wishWaiting = true;
    }
    wishPending = true;
    pendingSlot = slot;
    SetEvent(wishEvent);
    return true;
}

void previewForget() {
    wishPending = false;
    std::lock_guard<std::mutex> guard(lock);
    wishWaiting = false;
}
