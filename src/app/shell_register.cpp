#include "app/shell_register.h"

#include <windows.h>
#include <shlobj.h>

#include <set>

#include "app/desktop_core.h"
#include "app/textconv.h"

namespace {

std::wstring wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

std::wstring refused(const std::u16string& key, LSTATUS status) {
    return L"the registry refused HKEY_CURRENT_USER\\" + wide(key) + L" (error " + std::to_wstring(status) + L")";
}

LSTATUS writeValue(const RegistryValue& value) {
    HKEY key = nullptr;
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, wide(value.key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                     &key, nullptr);
    if (status != ERROR_SUCCESS) return status;
    std::wstring data = wide(value.data);
    status = RegSetValueExW(key, value.name.empty() ? nullptr : wide(value.name).c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(data.c_str()), DWORD((data.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return status;
}

bool gone(LSTATUS status) { return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND; }

// Deletes the key and then its parents while they hold nothing, up to the shared roots.
void pruneEmpty(std::u16string key) {
    static const std::set<std::u16string> roots = {u"Software", u"Software\\Classes"};
    while (!key.empty() && !roots.count(key)) {
        HKEY open = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, wide(key).c_str(), 0, KEY_READ, &open) == ERROR_SUCCESS) {
            DWORD subkeys = 1, values = 1;
            RegQueryInfoKeyW(open, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                             nullptr, nullptr);
            RegCloseKey(open);
            if (subkeys || values || RegDeleteKeyW(HKEY_CURRENT_USER, wide(key).c_str()) != ERROR_SUCCESS) return;
        }
        size_t slash = key.find_last_of(u'\\');
        key = slash == std::u16string::npos ? std::u16string() : key.substr(0, slash);
    }
}

std::u16string programPath() {
    wchar_t path[MAX_PATH * 4];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    return std::u16string(reinterpret_cast<const char16_t*>(path), n);
}

void printLine(const std::wstring& line) {
    // A windowed program has no console of its own: write to a redirected output, else to the
    // console of whoever started it.
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if ((!out || out == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS))
        out = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (!out || out == INVALID_HANDLE_VALUE) return;
    std::string text = toUtf8(line) + "\r\n";
    DWORD written = 0;
    WriteFile(out, text.data(), DWORD(text.size()), &written, nullptr);
}

}  // namespace

RegistrationOutcome registerFileTypes() {
    const std::u16string exe = programPath();
    RegistrationPlan plan = registrationPlan(exe);
    for (const RegistryValue& value : plan.values) {
        LSTATUS status = writeValue(value);
        if (status != ERROR_SUCCESS) return {false, refused(value.key, status)};
    }
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    size_t types = kVideoExtensions.size() + kAudioExtensions.size();
    return {true, L"Registered KivoPlayer for this user: " + std::to_wstring(types) +
                      L" file types in \"Open with\" and Default Apps, \"Play with KivoPlayer\" on folders, "
                      L"\"Add to KivoPlayer queue\" on media files; program " + wide(exe) + L"."};
}

RegistrationOutcome unregisterFileTypes() {
    RegistrationPlan plan = registrationPlan(programPath());
    int keys = 0, values = 0;
    for (const std::u16string& key : plan.ownKeys) {
        LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, wide(key).c_str());
        if (!gone(status)) return {false, refused(key, status)};
        keys += status == ERROR_SUCCESS;
    }
    for (const RegistryValue& value : plan.values) {
        if (!value.shared) continue;
        HKEY key = nullptr;
        LSTATUS status = RegOpenKeyExW(HKEY_CURRENT_USER, wide(value.key).c_str(), 0, KEY_SET_VALUE, &key);
        if (status == ERROR_SUCCESS) {
            status = RegDeleteValueW(key, wide(value.name).c_str());
            RegCloseKey(key);
        }
        if (!gone(status)) return {false, refused(value.key, status)};
        values += status == ERROR_SUCCESS;
    }
    std::set<std::u16string> touched(plan.ownKeys.begin(), plan.ownKeys.end());
    for (const RegistryValue& value : plan.values) touched.insert(value.key);
    for (auto key = touched.rbegin(); key != touched.rend(); ++key) pruneEmpty(*key);
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    return {true, L"Removed KivoPlayer's registration for this user: " + std::to_wstring(keys) + L" keys and " +
                      std::to_wstring(values) + L" values in shared keys."};
}

int runRegistrationCommand(bool unregister) {
    RegistrationOutcome outcome = unregister ? unregisterFileTypes() : registerFileTypes();
    printLine(outcome.ok ? outcome.summary : L"KivoPlayer: " + outcome.summary);
    return outcome.ok ? 0 : 1;
}
