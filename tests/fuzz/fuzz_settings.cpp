// settings.ini comes from disk and may hold anything: parsing never fails, always
// ends inside the valid ranges, and what it writes reads back unchanged.
#include <cstdlib>
#include <cstring>

#include "store/settings_core.h"

static bool sameRecord(const Settings& a, const Settings& b) {
    return a.seek == b.seek && a.volume == b.volume && a.boost == b.boost && a.hide == b.hide &&
           a.sublang == b.sublang && a.resume == b.resume && a.autoqueue == b.autoqueue &&
           a.single == b.single && a.hwdec == b.hwdec && strcmp(a.lang, b.lang) == 0 &&
           strcmp(a.shotdir, b.shotdir) == 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    Settings s;
    parseSettingsText(reinterpret_cast<const char*>(data), size, s);
    if (s.seek < 1 || s.seek > 600 || s.volume < 1 || s.volume > 25 || s.hide < 500 ||
        s.hide > 10000 || s.sublang > 2 || s.boost > 1 || s.resume > 1 || strlen(s.lang) > 15 ||
        strlen(s.shotdir) > 1023)
        abort();
    std::string text = formatSettingsText(s);
    Settings again;
    parseSettingsText(text.data(), text.size(), again);
    // A value holding "=" or a line break cannot survive the round trip by design of the
    // format; everything else must.
    bool plain = !strpbrk(s.lang, "\r\n") && !strpbrk(s.shotdir, "\r\n");
    if (plain && !sameRecord(s, again)) abort();
    return 0;
}
