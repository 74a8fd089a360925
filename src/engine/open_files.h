// Opening files: the first list starts the engine, later lists replace or queue.
#pragma once
#include <string>
#include <vector>

void startPlayback(const std::vector<std::wstring>& files);

// The files that started the engine go to the shell's recent items once the first picture is out.
void noteRecentFilesOfFirstOpen();

// Loads the engine library on a thread of its own, ahead of the engine thread: it is some 40 MB,
// and loading it takes a good part of the time to the first picture. Called while the window is
// still being made, the engine thread's own load later finds it done, or waits in the loader for
// it to finish.
void preloadEngineLibrary();

// Adds the files behind the queue, as full paths, without a toast.
void queueFiles(const std::vector<std::wstring>& files);

// The open-file dialog; `append` queues the chosen files instead of replacing.
void openFileDialog(bool append);

// The engine thread's handle once it was started (also after a failed start).
void* engineThread();
