#pragma once

// A form's top-level window: sized from its client area and border, placed and
// stacked as the form says, painting its background, and handing its controls'
// notifications and colour questions to their peers.

#include "platform/ui/win32/window_peer.h"

namespace components::win32 {

class FormPeer : public WindowPeer {
public:
    // Makes the window, hidden, owned by `owner` (the application window).
    FormPeer(Form& form, Resources& resources, HWND owner);

    void Update(Property changed) override;
    Form& form() const { return static_cast<Form&>(control_); }

    // The form whose window `window` is, or nullptr.
    static FormPeer* ForWindow(HWND window);
    // The form whose window holds `window`, or nullptr.
    static FormPeer* Containing(HWND window) { return ForWindow(::GetAncestor(window, GA_ROOT)); }

    // Stacks the form's controls by TabOrder, which is the order Tab visits them in.
    void ArrangeTabOrder();
    // Lets the dialog manager take keys meant for the form (Tab, access keys,
    // Enter); true when it did.
    bool TakeDialogKey(MSG& message);
    // A stay-on-top form leaves the topmost band (false) while one of the
    // program's modal boxes shows, so that the box shows above it, and takes its
    // place there again (true) when the box has closed.
    void KeepOnTop(bool keep);

    // Called before a control of the form is disabled, and after one is enabled:
    // a focused control hands the focus to the form and gets it back when it is
    // enabled again, so keys keep reaching the window meanwhile.
    void ControlDisabling(HWND control);
    void ControlEnabled(HWND control);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Show();
    HWND ActiveControlWindow() const;
    void FocusActiveControl();
    void SetFocusTo(HWND control);
    DWORD Style() const;
    DWORD ExStyle() const;

    bool shownBefore_ = false;
    HWND lastFocus_ = nullptr;   // the control that had the focus as the form went inactive
    HWND parkedFocus_ = nullptr; // the focused control that was disabled
};

} // namespace components::win32
