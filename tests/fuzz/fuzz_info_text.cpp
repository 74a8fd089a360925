// Engine texts (tags, titles, codec names) are outside input: any bytes must give rows within
// the read buffers' limits (at most two engine texts in one value) that copy as one line per row.
#include <cstdlib>
#include <cstring>
#include <string>

#include "panels/info_core.h"

namespace {
std::string input;

bool anyNumber(const char* name, double& value) {
    value = strstr(name, "count") ? 3 : double(input.size()) - 2;
    return true;
}
// The list properties get the words that select their rows, every other text the input.
bool anyText(const char* name, char* buffer, size_t size) {
    const char* word = strstr(name, "/type") ? "audio" : strstr(name, "/selected") ? "yes" : input.c_str();
    snprintf(buffer, size, "%s", word);
    return true;
}
const wchar_t* same(const wchar_t* text) { return text; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    input.assign(reinterpret_cast<const char*>(data), size);
    if (engineTextForDisplay(input).size() > input.size()) abort();
    std::vector<InfoRow> rows = buildInfoRows({anyNumber, anyText}, same);
    for (const InfoRow& row : rows)
        if (row.value.size() > 2 * kInfoTextBytes + 64 || infoDrawnText(row.value).size() > kInfoDrawnMaxChars + 1)
            abort();
    std::wstring copy = infoClipboardText(rows, L"File info");
    size_t breaks = 0, headings = 0;
    for (wchar_t c : copy) breaks += c == L'\n' || c == L'\r';
    for (const InfoRow& row : rows) headings += row.kind == kSectionHeading;
    if (breaks != 2 * (1 + rows.size() + headings)) abort();
    return 0;
}
