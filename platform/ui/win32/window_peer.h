#pragma once

// A control's native window and what every kind of control mirrors into it:
// bounds, visibility, enabled state, caption, parent, font and extended style.
// The window knows its peer (a window property), so the form can hand its children's
// notifications to them.

#include "platform/ui/components.h"
#include "platform/ui/win32/resources.h"

#include <windows.h>

namespace components::win32 {

class WindowPeer : public ControlPeer {
public:
    WindowPeer(Control& control, Resources& resources) : control_(control), resources_(resources) {}
    ~WindowPeer() override; // destroys the window
    WindowPeer(const WindowPeer&) = delete;
    WindowPeer& operator=(const WindowPeer&) = delete;

    void Update(Property changed) override;
    std::intptr_t Handle() const override { return reinterpret_cast<std::intptr_t>(window_); }
    HWND Window() const { return window_; }
    Control& control() const { return control_; }

    // The peer of one of our windows; nullptr for any other window.
    static WindowPeer* Of(HWND window);

    // A WM_COMMAND notification from this control, passed on by its parent.
    virtual void Command(WORD /*code*/) {}
    // WM_CTLCOLORSTATIC: sets the colours up in `dc` and gives the background
    // brush, or nullptr for the system's default.
    virtual HBRUSH StaticColors(HDC /*dc*/) { return nullptr; }
    // The system's settings (fonts, colours) have changed.
    virtual void SettingsChanged() {}

protected:
    // Makes the control's window under its parent's window, with the state the
    // control holds, and ties it to this peer.
    void CreateChild(const char* windowClass, DWORD style, DWORD exStyle = 0);
    // Moves the window to the control's bounds within its parent.
    void Place();
    HWND ParentWindow() const;
    // The background brush of the form the control lies on.
    HBRUSH FormBrush() const;
    void Attach(HWND window);

    Control& control_;
    Resources& resources_;
    HWND window_ = nullptr;
};

} // namespace components::win32
