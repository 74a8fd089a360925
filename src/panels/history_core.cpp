#include "panels/history_core.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr char kRedirectMark[] = "# redirect entry";
constexpr char kStartKey[] = "start=";

// Larger positions do not fit the hours:minutes:seconds arithmetic in 32 bits.
constexpr double kPositionLimit = 2147483648.0;

}  // namespace

bool parseResumeFile(const char* data, size_t size, ResumeFileEntry& entry) {
    if (!data) return false;
    size = std::min(size, kResumeFileMaxBytes - 1);
    const char* nul = static_cast<const char*>(memchr(data, 0, size));
    std::string text(data, nul ? size_t(nul - data) : size);
    if (text.compare(0, 2, "# ") != 0) return false;
    if (text.compare(0, sizeof kRedirectMark - 1, kRedirectMark) == 0) return false;
    size_t lineEnd = text.find('\n');
    if (lineEnd == std::string::npos) return false;
    std::string path = text.substr(2, lineEnd - 2);
    if (!path.empty() && path.back() == '\r') path.pop_back();

    // The position only counts on a line of its own: the media path may itself hold "start=".
    for (size_t line = lineEnd + 1; line < text.size();) {
        size_t next = text.find('\n', line);
        if (next == std::string::npos) next = text.size();
        if (text.compare(line, sizeof kStartKey - 1, kStartKey) == 0) {
            std::string number = text.substr(line + sizeof kStartKey - 1, next - line - (sizeof kStartKey - 1));
            double seconds = strtod(number.c_str(), nullptr);
            if (!std::isfinite(seconds) || seconds < kHistoryMinSeconds || seconds >= kPositionLimit) return false;
            entry.mediaPath = path;
            entry.seconds = seconds;
            return true;
        }
        line = next + 1;
    }
    return false;
}

std::vector<size_t> newestFirst(const std::vector<uint64_t>& writeTimes, size_t limit) {
    std::vector<size_t> order(writeTimes.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return writeTimes[a] > writeTimes[b]; });
    if (order.size() > limit) order.resize(limit);
    return order;
}

std::wstring displayNameOfPath(const std::wstring& path) {
    size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::string resumeTimeText(double seconds) {
    if (!(seconds > 0.0)) seconds = 0.0;
    if (seconds > 359999999.0) seconds = 359999999.0;  // 99,999 hours: keeps the int conversion defined
    long total = long(seconds);
    char text[24];
    snprintf(text, sizeof text, "%d:%02d:%02d", int(total / 3600), int(total / 60 % 60), int(total % 60));
    return text;
}
