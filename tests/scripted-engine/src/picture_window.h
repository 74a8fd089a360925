// The engine's own picture window: one child window of class "mpv" inside the
// window given by the "wid" option, owned by a thread of the engine's (as the
// real engine's video thread owns its window). It follows the parent's client
// size and repaints the test pattern with the current position several times a
// second. It forwards nothing; the program may replace its window procedure from
// another thread, and everything the procedure needs is kept in a window
// property so that it keeps working when it is called through a subclass.
#pragma once

#include "engine_state.h"

// Starts the window thread for the handle in the "wid" option (nothing for -1).
void startPictureWindow(Engine &engine);
