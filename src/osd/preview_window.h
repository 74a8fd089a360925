// The picture preview over the seek bar: a small layered popup above the time bubble showing
// the picture at the time under the pointer. Where pictures come from is handed to it.
#pragma once
#include <cstdint>

struct HWND__;

struct PreviewImage {
    int width = 0, height = 0;         // real pixels
    const uint32_t* pixels = nullptr;  // rows top down, opaque 0xAARRGGBB; null when not ready
    double time = 0;                   // seconds of the picture
};

struct PreviewAnswer {
    int boxWidth = 0, boxHeight = 0;  // the picture's box, unscaled
    unsigned generation = 0;          // changes with the playing file
    PreviewImage image;
};

// Posted to the preview window when a wished picture may be ready.
constexpr unsigned kPreviewReadyMessage = 0x8000 + 1;

struct PreviewSource {
    // False when the playing file gets no previews. Otherwise the box and, when it is ready,
    // the picture for `seconds`; when it is not, the wish is handed on and `notify` gets
    // kPreviewReadyMessage. Never waits.
    bool (*want)(HWND__* notify, double seconds, PreviewAnswer& answer);
    // The pointer left the bar: a wish not yet started is dropped.
    void (*forget)();
    // True while something (an open menu) keeps previews away.
    bool (*blocked)();
};

void CreatePreviewWindow(HWND__* owner, const PreviewSource& source);
// The pointer rests at `seconds` on the bar; the preview centres on `anchorX` and sits above
// `aboveY` (screen pixels), inside the monitor's work area.
void ShowPreview(double seconds, int anchorX, int aboveY);
void HidePreview();
bool IsPreviewVisible();
