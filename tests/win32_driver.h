#pragma once

// Drives the program's real windows from a second thread, the way a user
// would: mouse clicks and key presses through SendInput, and what the window
// shows read back through messages. Every read has a time limit, so a window
// that stopped answering fails the test instead of hanging it.

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace win32_driver {

using namespace std::chrono_literals;

// Checks `done` every 10 ms until it holds; false once `timeout` has passed.
bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout = 10s);

// SendMessage that gives up after two seconds (and then gives 0).
LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
std::string TextOf(HWND window);
std::string StatusText(HWND statusBar, int part);
// The window with the keyboard focus in `window`'s thread.
HWND FocusIn(HWND window);
bool IsTopmost(HWND window);
// `window`'s rectangle in its parent's client area (the screen for a top-level window).
RECT RectInParent(HWND window);

// A left click in the middle of `window`.
void Click(HWND window);
// Presses and releases `key`, with Alt or Shift held when asked.
void PressKey(WORD key, bool alt = false, bool shift = false);

// The visible dialog box (open dialog, message box) that `owner` owns, or nullptr.
HWND OwnedDialog(HWND owner);
// A message box's text.
std::string MessageBoxText(HWND box);
// The child of `box` that shows an icon, or nullptr.
HWND IconOf(HWND box);
// Answers an open dialog by typing `path` as the file name and pressing Open.
void ChooseFile(HWND dialog, const std::string& path);
// The texts of the open dialog's file-type list.
std::vector<std::string> FileTypes(HWND dialog);

// Saves what the screen shows of `windows` (their bounding rectangle) as the
// PNG file `path`, a path of the Unix side, and waits until it is written.
// Under Wine it runs ImageMagick's `import` on the X screen; elsewhere it saves
// nothing and says so.
bool Screenshot(const std::vector<HWND>& windows, const std::string& path);

} // namespace win32_driver
