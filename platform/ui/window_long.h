#pragma once

// GetWindowLongA and SetWindowLongA on a control's window, as the main window
// uses them on its progress bar. On Windows these are user32's own. Elsewhere
// the stand-ins below reach the control through its handle, which there is the
// control's own address (see ControlPeer::Handle); they know GWL_EXSTYLE only.
// Included by the code that makes these calls, never by components.h.

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdint>

struct HWND__;
using HWND = HWND__*;
using LONG = std::int32_t;

constexpr int GWL_EXSTYLE = -20;
constexpr LONG WS_EX_STATICEDGE = 0x00020000;

// The control's extended style for GWL_EXSTYLE; 0 for another index or no window.
LONG GetWindowLongA(HWND window, int index);
// Sets the control's extended style for GWL_EXSTYLE and returns the one it had;
// another index or no window changes nothing and returns 0.
LONG SetWindowLongA(HWND window, int index, LONG value);
#endif
