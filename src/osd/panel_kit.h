// What the layered panels (menu, playlist, settings, file info, help) share: their window,
// placement over the owner, hover tracking, the mouse buttons they hand on to the main window,
// and presenting a finished canvas. Each panel keeps its own window procedure.
#pragma once
#include <windows.h>

#include "osd/drawing_kit.h"

// Registers the class on its first use and creates a hidden owned popup that is layered,
// never activated and kept off the task bar.
HWND CreatePanelWindow(const wchar_t* className, WNDPROC procedure, HWND owner);

// The owner's client area in screen pixels.
RECT OwnerClientOnScreen(HWND owner);

// Top-left corner for a panel of width × height real pixels centred over `area`, kept inside
// the work area of the monitor that holds most of `area`.
POINT CentreOver(const RECT& area, int width, int height);

// The mouse position of a client-area mouse message in unscaled (96-dpi) pixels.
POINT PanelMousePoint(LPARAM lParam);

// Asks once for the WM_MOUSELEAVE that ends a hover; the panel clears `tracking` when it comes.
void TrackMouseLeave(HWND window, bool& tracking);

struct AccessProvider;

// Messages every panel answers alike: it never takes activation, its whole area is client,
// and the middle and side buttons go on to the owner as if pressed on it, so a panel under
// the pointer does not swallow them; a screen reader's request for the panel's contents is
// answered over `access` when one is given. True when the message was handled here.
bool HandlePanelCommonMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result,
                              const AccessProvider* access = nullptr);
// The same for a panel with hover: a mouse move also asks for the WM_MOUSELEAVE that ends the
// hover, and that message clears `tracking`; both still go on to the panel.
bool HandlePanelCommonMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result,
                              bool& tracking, const AccessProvider* access = nullptr);

// Hands the canvas to the window at a screen position and shows it above its owner when it
// was hidden. False when the picture could not be handed over.
bool PresentPanel(HWND window, const Canvas& canvas, int x, int y);

// Hands over only `dirty` (real pixels) of the canvas, for a panel that patched the picture its
// window already shows at the same place and size. False when it could not; present it whole.
bool PresentPanelPart(HWND window, const Canvas& canvas, const RECT& dirty);

// What every floating panel keeps: its window, the owner it was handed, and whether it is shown.
struct PanelHandle {
    HWND window = nullptr;
    HWND owner = nullptr;
    bool visible = false;
};

// Creates the panel's window under its owner on first use and marks it shown; false when the
// window could not be made. The caller places and paints it.
bool OpenPanel(PanelHandle& panel, const wchar_t* className, WNDPROC procedure);

// Hides a shown panel and tells accessibility clients; false when it was not shown.
bool HidePanel(PanelHandle& panel);

// The panel's toggle: a shown panel is closed with `close`; a hidden one is opened, `show`
// places and paints it, and accessibility clients are told it is shown.
void TogglePanel(PanelHandle& panel, const wchar_t* className, WNDPROC procedure, void (*show)(), void (*close)());

// The close cross in a panel's title row, with its hover box of 24 × 24 logical pixels whose
// top-left corner is at (x, y).
void DrawPanelCloseCross(GpGraphics* g, float x, float y, bool hovered);

// Real pixels the panels and toasts keep clear at the top of the owner's client area (the
// title bar; none in full screen), asked of what the main window handed over; 0 before that.
void SetPanelTopInset(int (*topInset)());
int PanelTopInset();

// Puts the owner's visible owned windows back above it, keeping their order among themselves:
// under Wine a modal dialog or an activation can leave the owner above its own panels.
void RaiseOwnedPanels(HWND owner);
