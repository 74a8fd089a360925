#include "osd/accessible.h"

#include <oleacc.h>

#include <vector>

#include "osd/uiscale.h"

namespace {

// Declared here: the import library's IID_IAccessible is the address of a thunk, not the GUID.
const IID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
const IID kIidDispatch = {0x00020400, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIidUnknown = {0x00000000, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

bool childOf(const VARIANT& v, int& child) {
    if (v.vt != VT_I4) return false;
    child = v.lVal;
    return true;
}

// A default action runs after the client's call has returned, from the message loop, as a click
// would: what it starts (a dialog, a menu closing) must not keep the client waiting.
struct PendingPress {
    HWND window;
    const AccessProvider* provider;
    int child;
};
std::vector<PendingPress> pendingPresses;

void CALLBACK runPendingPresses(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    std::vector<PendingPress> due;
    due.swap(pendingPresses);
    for (const PendingPress& p : due)
        if (IsWindow(p.window)) p.provider->press(p.window, p.child);
}

BSTR bstrOrNull(const std::wstring& text) { return text.empty() ? nullptr : SysAllocString(text.c_str()); }

class WindowAccessible final : public IAccessible {
public:
    WindowAccessible(HWND window, const AccessProvider& provider) : window_(window), provider_(provider) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(riid, kIidUnknown) || IsEqualIID(riid, kIidDispatch) || IsEqualIID(riid, kIidAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return ULONG(left);
    }

    // IDispatch: clients use the interface's own methods.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!parent) return E_POINTER;
        return CreateStdAccessibleObject(window_, OBJID_WINDOW, kIidDispatch, reinterpret_cast<void**>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!count) return E_POINTER;
        *count = alive() ? provider_.count(window_) : 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        AccessItem item;
        return lookUp(child, item) ? S_FALSE : E_INVALIDARG;  // the elements are simple ones
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
        return text(child, out, &AccessItem::name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
        return text(child, out, &AccessItem::value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
        return text(child, out, &AccessItem::description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
        if (!out) return E_POINTER;
        VariantInit(out);
        AccessItem item;
        if (!lookUp(child, item)) return E_INVALIDARG;
        out->vt = VT_I4;
        out->lVal = item.role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
        if (!out) return E_POINTER;
        VariantInit(out);
        AccessItem item;
        if (!lookUp(child, item)) return E_INVALIDARG;
        int id = child.lVal;
        if (id == 0 && !IsWindowVisible(window_)) item.state |= kStateInvisible;
        if (id > 0 && provider_.focused && provider_.focused(window_) == id) item.state |= kStateFocused;
        out->vt = VT_I4;
        out->lVal = LONG(item.state);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* out) override {
        if (out) *out = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        if (file) *file = nullptr;
        if (topic) *topic = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
        return text(child, out, &AccessItem::shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
        if (!out) return E_POINTER;
        VariantInit(out);
        int id = alive() && provider_.focused ? provider_.focused(window_) : 0;
        if (id <= 0) return S_FALSE;
        out->vt = VT_I4;
        out->lVal = id;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
        if (out) VariantInit(out);
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
        return text(child, out, &AccessItem::action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        *left = *top = *width = *height = 0;
        AccessItem item;
        if (!lookUp(child, item)) return E_INVALIDARG;
        if (child.lVal == 0) {
            RECT r;
            GetWindowRect(window_, &r);
            *left = r.left, *top = r.top, *width = r.right - r.left, *height = r.bottom - r.top;
            return S_OK;
        }
        if (!(item.w > 0 && item.h > 0)) return S_FALSE;
        POINT origin = {0, 0};
        ClientToScreen(window_, &origin);
        const float scale = UiScale();
        *left = origin.x + LONG(item.x * scale);
        *top = origin.y + LONG(item.y * scale);
        *width = LONG((item.x + item.w) * scale) - LONG(item.x * scale);
        *height = LONG((item.y + item.h) * scale) - LONG(item.y * scale);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* out) override {
        if (!out) return E_POINTER;
        VariantInit(out);
        int from;
        if (!alive() || !childOf(start, from)) return E_INVALIDARG;
        const int count = provider_.count(window_);
        int to = 0;
        switch (direction) {
            case NAVDIR_FIRSTCHILD: to = from == 0 && count > 0 ? 1 : 0; break;
            case NAVDIR_LASTCHILD: to = from == 0 ? count : 0; break;
            case NAVDIR_NEXT:
            case NAVDIR_DOWN: to = from > 0 && from < count ? from + 1 : 0; break;
            case NAVDIR_PREVIOUS:
            case NAVDIR_UP: to = from > 1 ? from - 1 : 0; break;
            default: return E_NOTIMPL;
        }
        if (to <= 0) return S_FALSE;
        out->vt = VT_I4;
        out->lVal = to;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
        if (!out) return E_POINTER;
        VariantInit(out);
        if (!alive()) return E_FAIL;
        POINT p = {x, y};
        ScreenToClient(window_, &p);
        RECT client;
        GetClientRect(window_, &client);
        if (!PtInRect(&client, p)) return S_FALSE;
        // The boxes are the ones the window's own mouse handling uses; the last one listed wins,
        // as it is drawn over the others.
        const float scale = UiScale(), ux = float(p.x) / scale, uy = float(p.y) / scale;
        out->vt = VT_I4;
        out->lVal = CHILDID_SELF;
        if (provider_.hitTest) {
            out->lVal = provider_.hitTest(window_, int(ux), int(uy));
            return S_OK;
        }
        for (int id = provider_.count(window_); id >= 1; --id) {
            AccessItem item;
            if (provider_.describe(window_, id, item) && !(item.state & kStateInvisible) && item.contains(ux, uy)) {
                out->lVal = id;
                break;
            }
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        AccessItem item;
        if (!lookUp(child, item)) return E_INVALIDARG;
        if (!provider_.press || item.action.empty() || (item.state & (kStateUnavailable | kStateInvisible)))
            return DISP_E_MEMBERNOTFOUND;
        if (pendingPresses.empty()) SetTimer(nullptr, 0, 0, runPendingPresses);
        pendingPresses.push_back({window_, &provider_, int(child.lVal)});
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    bool alive() const { return IsWindow(window_) != FALSE; }

    bool lookUp(const VARIANT& child, AccessItem& item) const {
        int id;
        if (!alive() || !childOf(child, id) || id < 0 || id > provider_.count(window_)) return false;
        return provider_.describe(window_, id, item);
    }

    HRESULT text(const VARIANT& child, BSTR* out, std::wstring AccessItem::*field) const {
        if (!out) return E_POINTER;
        *out = nullptr;
        AccessItem item;
        if (!lookUp(child, item)) return E_INVALIDARG;
        *out = bstrOrNull(item.*field);
        return *out ? S_OK : S_FALSE;
    }

    LONG references_ = 1;
    HWND window_;
    const AccessProvider& provider_;
};

}  // namespace

bool AnswerAccessRequest(HWND window, WPARAM wParam, LPARAM lParam, const AccessProvider& provider,
                         LRESULT& result) {
    if (LONG(DWORD(lParam)) != OBJID_CLIENT) return false;
    // Handing the object to another process needs COM on this thread; the first question
    // starts it, so a program nobody asks never does.
    static bool comStarted = false;
    if (!comStarted) comStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    auto* object = new WindowAccessible(window, provider);
    result = LresultFromObject(kIidAccessible, wParam, object);
    object->Release();
    return true;
}

void NotifyAccess(DWORD event, HWND window, int child) {
    if (window) NotifyWinEvent(event, window, OBJID_CLIENT, child);
}

void NotifyShown(HWND window, bool shown) {
    NotifyAccess(shown ? EVENT_OBJECT_SHOW : EVENT_OBJECT_HIDE, window);
}
