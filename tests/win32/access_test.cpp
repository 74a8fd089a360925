#include <gtest/gtest.h>
#include <windows.h>
#include <oleacc.h>

#include <vector>

#include "osd/accessible.h"
#include "osd/uiscale.h"

namespace {

const IID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
int presses = 0;

// Two buttons, the second one hidden, in unscaled client pixels.
const AccessProvider kTwoButtons = {
    [](HWND) { return 2; },
    [](HWND, int child, AccessItem& item) {
        item = AccessItem();
        item.role = child ? kRolePushButton : kRoleDialog;
        item.name = child == 1 ? L"One" : L"Two";
        item.action = L"Press";
        item.x = 10, item.y = 20, item.w = 30, item.h = 10;
        if (child == 2) item.state = kStateInvisible;
        return true;
    },
    [](HWND, int child) { return presses += child, true; },
    [](HWND) { return 1; },
};

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (message == WM_GETOBJECT && AnswerAccessRequest(window, wParam, lParam, kTwoButtons, result)) return result;
    return DefWindowProcW(window, message, wParam, lParam);
}

VARIANT child(long id) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

// What a client gets: places scaled to screen pixels, the mouse's boxes for hit tests, the
// highlight as focus, and a default action that runs later from the message loop, as a click.
TEST(Accessible, AnswersInScreenPixelsAndPressesFromTheMessageLoop) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = windowProc;
    wc.lpszClassName = L"AccessTest";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, L"AccessTest", L"", WS_POPUP | WS_VISIBLE, 100, 50, 200, 100, nullptr, nullptr,
                                  nullptr, nullptr);
    SetUiScale(1.5f);
    IAccessible* object = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(window, DWORD(OBJID_CLIENT), kIidAccessible, reinterpret_cast<void**>(&object)),
              S_OK);
    long x, y, w, h;
    ASSERT_EQ(object->accLocation(&x, &y, &w, &h, child(1)), S_OK);
    EXPECT_EQ(std::vector<long>({x - 100, y - 50, w, h}), std::vector<long>({15, 30, 45, 15}));
    VARIANT hit, state;
    ASSERT_EQ(object->accHitTest(100 + 16, 50 + 31, &hit), S_OK);  // the hidden second one is skipped
    EXPECT_EQ(hit.lVal, 1);
    object->accHitTest(100 + 14, 50 + 31, &hit);
    EXPECT_EQ(hit.lVal, CHILDID_SELF);
    object->get_accState(child(1), &state);
    EXPECT_EQ(state.lVal, STATE_SYSTEM_FOCUSED);
    EXPECT_EQ(object->accDoDefaultAction(child(2)), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(object->accDoDefaultAction(child(3)), E_INVALIDARG);
    EXPECT_EQ(object->accDoDefaultAction(child(1)), S_OK);
    EXPECT_EQ(presses, 0);
    MSG msg;
    for (DWORD end = GetTickCount() + 500; presses == 0 && int(end - GetTickCount()) > 0;)
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    EXPECT_EQ(presses, 1);
    object->Release();
    SetUiScale(1.0f);
    DestroyWindow(window);
}

}  // namespace
