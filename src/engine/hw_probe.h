// Whether this machine has a device that decodes video. Asked once, on a thread of its own, so
// that the engine is not sent hunting for one where there is none: under Wine or without a
// usable GPU, mpv's own search costs half a second before the first picture.
#pragma once

enum class HwProbeAnswer { Unknown, Yes, No };

// Whether the program runs under Wine, whose Direct3D has neither video decoding nor a shader
// compiler that the engine's Direct3D 11 output can use.
bool runningOnWine();

// Starts the probe; later calls do nothing.
void startHardwareDecodingProbe();

// Never waits; Unknown until the probe is done, or when it was never started.
HwProbeAnswer hardwareDecodingProbeAnswer();

// Hardware decoding was wished for before the answer was in: the engine decodes in software for
// now (it needs the decoder only once a file is open) and is told later, never waited for.
void deferHardwareDecodingChoice();

// Polled by the engine thread: true once a deferred choice comes out for hardware. A probe still
// silent 1.5 s after the wish counts as a yes, so a slow machine with a GPU keeps it.
bool settleDeferredHardwareDecoding();
