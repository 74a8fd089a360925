// Simulated playback: the event queue, the position clock (real time x speed
// while playing), loading playlist entries, the end of a file and seeking.
//
// Every client call first runs advanceClock, which brings the position up to
// "now" and fires whatever happened meanwhile (A-B loop jumps, file loops, the
// end of the file and moving on to the next entry). After that the state is
// settled at the present moment, so a change of pause or speed simply takes
// effect from then on.
#pragma once

#include <cstdint>
#include <string>

#include "engine_state.h"

double monotonicSeconds();

void queueEvent(Engine &engine, int id, int error = 0, uint64_t replyUserdata = 0);
void queueStartFile(Engine &engine, long long entryId);
void queueEndFile(Engine &engine, int reason, int error, long long entryId, long long insertId = 0,
                  int insertCount = 0);

// Loaded, not paused and not held at the end by keep-open.
bool isRunning(const Engine &engine);

void advanceClock(Engine &engine);

// The position at this moment without changing any state (for painting).
double positionNow(const Engine &engine);

// Seconds of real time until the clock next has to fire something, or a
// negative number when nothing is due (paused, idle).
double secondsUntilNextBoundary(const Engine &engine);

// Ends the loaded file (if any) with `reasonForCurrent` and plays the entry at
// `index`; entries that fail to load are reported and skipped.
void playEntry(Engine &engine, int index, int reasonForCurrent);

// Ends the loaded file with `reason` and goes idle; the playlist stays.
void stopCurrent(Engine &engine, int reason);

// Seek to `target` seconds. `keyframes` rounds to the media's keyframe grid in
// the direction of the seek. Fails when no file is loaded.
int seekTo(Engine &engine, double target, bool keyframes, bool forward);

// Runs the quit: optional resume save, end-file (quit) and then shutdown.
void quitEngine(Engine &engine, bool saveResume);

// A-B loop points when both are set and B lies after A.
bool abLoopRange(const Engine &engine, double &a, double &b);

bool isUrl(const std::string &path);
