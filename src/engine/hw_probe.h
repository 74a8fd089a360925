// Whether this machine has a device that decodes video. Asked once, on a thread of its own, so
// that the engine is not sent hunting for one where there is none: under Wine or without a
// usable GPU, mpv's own search costs half a second before the first picture.
#pragma once

// Starts the probe; later calls do nothing.
void startHardwareDecodingProbe();

// True when the probe found a video decoder, or when it has not answered within waitMs (a slow
// machine with a GPU keeps its hardware decoding) or was never started.
bool hardwareDecodingLikely(unsigned waitMs);
