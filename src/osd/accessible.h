// The program's windows as a screen reader sees them: one small IAccessible object that asks
// the window's provider, a record of plain functions, about the elements the window draws.
// Nothing is made until a client asks (WM_GETOBJECT), and the objects keep no state of their
// own: every answer is read from the window's state at the moment of the question.
#pragma once
#include <windows.h>

#include "osd/access_core.h"

struct AccessProvider {
    // Elements are numbered 1..count; 0 stands for the window itself.
    int (*count)(HWND window);
    // Fills `item` for element `child` (0: the window); false when there is no such element.
    bool (*describe)(HWND window, int child, AccessItem& item);
    // The default action of element `child`, as a click on it; false when it has none.
    bool (*press)(HWND window, int child);
    // The element that has the keyboard highlight, or 0; may be null.
    int (*focused)(HWND window);
    // The element under an unscaled client point, or 0, from the window's own mouse hit test;
    // null: the last element whose box holds the point.
    int (*hitTest)(HWND window, int x, int y);
};

// Answers WM_GETOBJECT for the client object with an object over `provider`; false (and the
// message goes on to the default procedure) for any other object.
bool AnswerAccessRequest(HWND window, WPARAM wParam, LPARAM lParam, const AccessProvider& provider,
                         LRESULT& result);

// Tells accessibility clients about a change of element `child` (0: the window) of the client
// object; costs next to nothing when none listens.
void NotifyAccess(DWORD event, HWND window, int child = 0);
// A window that was shown or hidden with its accessible contents.
void NotifyShown(HWND window, bool shown);
