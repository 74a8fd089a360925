#include "input/keymap_core.h"

namespace {
constexpr uint32_t kNone = 0;
constexpr uint32_t kCtrl = kModCtrl;
constexpr uint32_t kShift = kModShift;
constexpr uint32_t kAlt = kModAlt;
constexpr uint32_t kCtrlShift = kModCtrl | kModShift;
constexpr bool kRepeat = true;
constexpr bool kOnce = false;
}  // namespace

const KeyBinding keyBindings[kKeyBindingCount] = {
    {0x20, kNone, "cycle pause", kOnce},
    {0x20, kCtrl, "set pause yes ; seek 0 absolute", kOnce},
    {0x25, kNone, "@step -1", kRepeat},
    {0x27, kNone, "@step 1", kRepeat},
    {0x25, kCtrl, "seek -60 relative+keyframes", kRepeat},
    {0x27, kCtrl, "seek 60 relative+keyframes", kRepeat},
    {0x25, kShift, "seek -300 relative+keyframes", kRepeat},
    {0x27, kShift, "seek 300 relative+keyframes", kRepeat},
    {0x08, kNone, "seek 0 absolute", kOnce},
    {0x21, kNone, "playlist-prev", kOnce},
    {0x22, kNone, "playlist-next", kOnce},
    {0x46, kNone, "frame-step", kRepeat},
    {0xBE, kCtrl, "frame-step", kRepeat},
    {0xBC, kCtrl, "frame-back-step", kRepeat},
    {0x24, kNone, "sub-seek -1", kOnce},
    {0x23, kNone, "sub-seek 1", kOnce},
    // The raw position, not the shown one: the shown form drops the fraction, which puts B behind
    // the playhead, and the engine only loops when playback crosses B.
    {0xDB, kNone, "set ab-loop-a ${=time-pos}", kOnce},
    {0xDD, kNone, "set ab-loop-b ${=time-pos}", kOnce},
    {0xDC, kNone, "set ab-loop-a no ; set ab-loop-b no", kOnce},
    {0x5A, kNone, "set speed 1", kOnce},
    {0x58, kNone, "add speed -0.1", kRepeat},
    {0x43, kNone, "add speed 0.1", kRepeat},
    {0x26, kNone, "@vol 1", kRepeat},
    {0x28, kNone, "@vol -1", kRepeat},
    {0x4D, kNone, "cycle mute", kOnce},
    {0xBE, kShift, "add audio-delay -0.1", kRepeat},
    {0xBC, kShift, "add audio-delay 0.1", kRepeat},
    {0xBF, kShift, "set audio-delay 0", kOnce},
    {0xBE, kNone, "add sub-delay -0.5", kRepeat},
    {0xBC, kNone, "add sub-delay 0.5", kRepeat},
    {0xBF, kNone, "set sub-delay 0", kOnce},
    {0x48, kAlt, "cycle sub-visibility", kOnce},
    {0x53, kNone, "cycle sub", kOnce},
    {0x41, kNone, "cycle audio", kOnce},
    {0x26, kAlt, "add sub-pos -2", kRepeat},
    {0x28, kAlt, "add sub-pos 2", kRepeat},
    {0x21, kAlt, "add sub-scale 0.1", kRepeat},
    {0x22, kAlt, "add sub-scale -0.1", kRepeat},
    {0x42, kAlt, "cycle sub-bold", kOnce},
    {0x45, kNone, "add brightness -1", kRepeat},
    {0x52, kNone, "add brightness 1", kRepeat},
    {0x54, kNone, "add contrast -1", kRepeat},
    {0x59, kNone, "add contrast 1", kRepeat},
    {0x55, kNone, "add saturation -1", kRepeat},
    {0x49, kNone, "add saturation 1", kRepeat},
    {0x4F, kNone, "add hue -1", kRepeat},
    {0x50, kNone, "add hue 1", kRepeat},
    {0x51, kNone, "set brightness 0 ; set contrast 0 ; set saturation 0 ; set hue 0", kOnce},
    {0x75, kCtrl, "set video-aspect-override -1", kOnce},
    {0x76, kCtrl, "set video-aspect-override 4:3", kOnce},
    {0x77, kCtrl, "set video-aspect-override 16:9", kOnce},
    {0x78, kCtrl, "set video-aspect-override 1.85:1", kOnce},
    {0x79, kCtrl, "set video-aspect-override 2.35:1", kOnce},
    {0x6B, kNone, "add video-zoom 0.1", kRepeat},
    {0x6D, kNone, "add video-zoom -0.1", kRepeat},
    {0x64, kNone, "add video-pan-x 0.01", kRepeat},
    {0x66, kNone, "add video-pan-x -0.01", kRepeat},
    {0x68, kNone, "add video-pan-y 0.01", kRepeat},
    {0x62, kNone, "add video-pan-y -0.01", kRepeat},
    {0x65, kNone, "@psreset", kOnce},
    {0x53, kCtrlShift, "cycle-values video-rotate 90 180 270 0", kOnce},
    {0x45, kCtrl, "@saveframe", kOnce},
    {0x43, kCtrl, "@copyframe", kOnce},
    {0x70, kNone, "@info", kOnce},
    {0x70, kCtrl, "@info", kOnce},
    {0x0D, kNone, "@fullscreen", kOnce},
    {0x1B, kNone, "@exitfs", kOnce},
    {0x31, kNone, "@size 0.5", kOnce},
    {0x32, kNone, "@size 1", kOnce},
    {0x33, kNone, "@size 1.5", kOnce},
    {0x34, kNone, "@size 2", kOnce},
    {0x36, kNone, "@maximize", kOnce},
    {0x30, kNone, "@fill", kOnce},
    {0x60, kNone, "@fill", kOnce},
    {0x37, kNone, "@size 1", kOnce},
    {0x2E, kNone, "@size 1", kOnce},
    {0x41, kCtrl, "@ontop", kOnce},
    {0x4F, kCtrl, "@open", kOnce},
    {0x71, kNone, "@open", kOnce},
    {0x73, kNone, "@close", kOnce},
    {0x77, kNone, "@playlist", kOnce},
    {0x74, kNone, "@settings", kOnce},
    {0x4E, kNone, "@bmadd", kOnce},
    {0x42, kNone, "@bmmenu", kOnce},
    {0x21, kShift, "@bmprev", kOnce},
    {0x22, kShift, "@bmnext", kOnce},
    // Media keys do what their keyboard twins do: Space, Ctrl+Space, PgDn, PgUp.
    {0xB3, kNone, "cycle pause", kOnce},
    {0xB2, kNone, "set pause yes ; seek 0 absolute", kOnce},
    {0xB0, kNone, "playlist-next", kOnce},
    {0xB1, kNone, "playlist-prev", kOnce},
    {0x56, kCtrl, "@paste", kOnce},
    {0x56, kCtrlShift, "@pastequeue", kOnce},
};

namespace {
// Application commands of keyboards and remotes; volume and mute stay the system's.
struct AppCommandRow {
    int appCommand;
    const char* command;
};
constexpr AppCommandRow kAppCommands[] = {
    {1, "@step -1"},   // browser back
    {2, "@step 1"},    // browser forward
    {11, "playlist-next"},
    {12, "playlist-prev"},
    {13, "set pause yes ; seek 0 absolute"},
    {14, "cycle pause"},
    {46, "set pause no"},   // play
    {47, "set pause yes"},  // pause
};
}  // namespace

const char* appCommandAction(int appCommand) {
    for (const AppCommandRow& row : kAppCommands)
        if (row.appCommand == appCommand) return row.command;
    return nullptr;
}

const KeyBinding* findKeyBinding(uint32_t virtualKey, uint32_t modifiers) {
    for (const KeyBinding& row : keyBindings)
        if (row.virtualKey == virtualKey && row.modifiers == modifiers) return &row;
    return nullptr;
}

KeyOutcome decideKey(uint32_t virtualKey, uint32_t modifiers, bool repeat, const char** command) {
    const KeyBinding* row = findKeyBinding(virtualKey, modifiers);
    if (!row) return KeyOutcome::NotHandled;
    if (repeat && !row->repeatable) return KeyOutcome::Swallowed;
    if (command) *command = row->command;
    return KeyOutcome::Run;
}
