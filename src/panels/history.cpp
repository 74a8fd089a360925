#include "panels/history.h"

void readWatchHistory(const std::wstring&) {}
