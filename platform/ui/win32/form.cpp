#include "platform/ui/win32/form.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace components::win32 {
namespace {

constexpr char kFormClass[] = "TrasolinForm";

bool IsFormWindow(HWND window) {
    char name[sizeof kFormClass + 1] = {};
    return ::GetClassNameA(window, name, sizeof name) && std::strcmp(name, kFormClass) == 0;
}

// Styles set straight on a control's window (as FormCreate does on the progress
// bar) take effect once its frame is worked out again.
BOOL CALLBACK RecomputeFrame(HWND child, LPARAM) {
    ::SetWindowPos(child, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

bool CanTakeFocus(HWND control) {
    return control && ::IsWindow(control) && ::IsWindowVisible(control) && ::IsWindowEnabled(control);
}

} // namespace

FormPeer::FormPeer(Form& form, Resources& resources, HWND owner) : WindowPeer(form, resources) {
    static const bool registered = [] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = &FormPeer::WindowProc;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        windowClass.lpszClassName = kFormClass;
        return ::RegisterClassExA(&windowClass) != 0;
    }();
    (void)registered;

    RECT outer{0, 0, form.ClientWidth, form.ClientHeight};
    ::AdjustWindowRectEx(&outer, Style(), FALSE, ExStyle());
    const Rect designed = form.Bounds();
    const Rect bounds{designed.left, designed.top, outer.right - outer.left, outer.bottom - outer.top};
    ::CreateWindowExA(ExStyle(), kFormClass, form.Caption().c_str(), Style(), bounds.left, bounds.top,
                      bounds.width, bounds.height, owner, nullptr, ::GetModuleHandleA(nullptr), this);
    form.SetBounds(bounds);
}

DWORD FormPeer::Style() const {
    DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    // a tool window's caption has the close box only, and its border does not size
    if (form().Border == bsSizeable) style |= WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    return style;
}

DWORD FormPeer::ExStyle() const {
    DWORD exStyle = 0;
    if (form().Border == bsToolWindow) exStyle |= WS_EX_TOOLWINDOW;
    if (form().Style == fsStayOnTop) exStyle |= WS_EX_TOPMOST;
    return exStyle;
}

FormPeer* FormPeer::ForWindow(HWND window) {
    if (!window || !IsFormWindow(window)) return nullptr;
    return static_cast<FormPeer*>(Of(window));
}

LRESULT CALLBACK FormPeer::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<FormPeer*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->Attach(window);
    }
    auto* self = static_cast<FormPeer*>(Of(window));
    if (!self) return ::DefWindowProcA(window, message, wParam, lParam);
    return self->Handle(message, wParam, lParam);
}

LRESULT FormPeer::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        HWND control = reinterpret_cast<HWND>(lParam);
        if (control) {
            if (WindowPeer* peer = Of(control)) peer->Command(HIWORD(wParam));
        } else if (LOWORD(wParam) == IDOK) {
            // Enter: the dialog manager found no default button; the focused button is pressed
            HWND focus = ::GetFocus();
            WindowPeer* peer = ::IsChild(window_, focus) ? Of(focus) : nullptr;
            if (peer && peer->control().kind() == Kind::Button) peer->Command(BN_CLICKED);
        }
        return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (WindowPeer* peer = Of(reinterpret_cast<HWND>(lParam)))
            if (HBRUSH brush = peer->StaticColors(reinterpret_cast<HDC>(wParam)))
                return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_ERASEBKGND: {
        RECT client;
        ::GetClientRect(window_, &client);
        ::FillRect(reinterpret_cast<HDC>(wParam), &client, resources_.BrushFor(form().BackColor));
        return 1;
    }
    case WM_DRAWITEM:
        // the owner-drawn status panel has no drawing handler: it shows its background
        return TRUE;
    case WM_CLOSE:
        form().Close();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = ::GetFocus();
            if (focus && ::IsChild(window_, focus)) lastFocus_ = focus;
        } else if (!HIWORD(wParam)) {
            SetFocusTo(CanTakeFocus(lastFocus_) ? lastFocus_ : ActiveControlWindow());
        }
        return 0;
    case WM_SETTINGCHANGE:
        for (const auto& component : form().Components())
            if (auto* control = dynamic_cast<Control*>(component.get()))
                if (auto* peer = dynamic_cast<WindowPeer*>(control->Peer())) peer->SettingsChanged();
        break;
    default:
        break;
    }
    return ::DefWindowProcA(window_, message, wParam, lParam);
}

void FormPeer::Update(Property changed) {
    switch (changed) {
    case Property::Visible:
        if (form().Visible())
            Show();
        else
            ::ShowWindow(window_, SW_HIDE);
        break;
    case Property::Bounds: {
        const Rect& r = form().Bounds();
        ::SetWindowPos(window_, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
        break;
    }
    case Property::Focus:
        if (::IsWindowVisible(window_)) FocusActiveControl();
        break;
    case Property::Caption:
    case Property::Enabled:
        WindowPeer::Update(changed);
        break;
    default:
        break;
    }
}

void FormPeer::Show() {
    if (!shownBefore_) {
        shownBefore_ = true;
        if (form().Position == poMainFormCenter) {
            // shown while it is created, before any form is the main one: centred on the screen
            Rect r = form().Bounds();
            r.left = std::max(0, (::GetSystemMetrics(SM_CXSCREEN) - r.width) / 2);
            r.top = std::max(0, (::GetSystemMetrics(SM_CYSCREEN) - r.height) / 2);
            form().SetBounds(r);
        }
        ::EnumChildWindows(window_, &RecomputeFrame, 0);
    }
    ::SetWindowPos(window_, form().Style == fsStayOnTop ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::ShowWindow(window_, SW_SHOW);
    ::SetForegroundWindow(window_);
    FocusActiveControl();
}

HWND FormPeer::ActiveControlWindow() const {
    const Control* active = form().ActiveControl();
    return active ? reinterpret_cast<HWND>(active->Handle()) : nullptr;
}

void FormPeer::FocusActiveControl() { SetFocusTo(ActiveControlWindow()); }

void FormPeer::SetFocusTo(HWND control) {
    if (!CanTakeFocus(control)) control = ::GetNextDlgTabItem(window_, nullptr, FALSE);
    if (control) ::SetFocus(control);
}

void FormPeer::ArrangeTabOrder() {
    std::vector<Control*> children;
    for (const auto& component : form().Components()) {
        auto* control = dynamic_cast<Control*>(component.get());
        if (control && control->Parent() == &form() && control->Handle()) children.push_back(control);
    }
    auto place = [](const Control* c) { return c->TabOrder() < 0 ? INT_MAX : c->TabOrder(); };
    std::stable_sort(children.begin(), children.end(),
                     [&](const Control* a, const Control* b) { return place(a) < place(b); });
    // the dialog manager's Tab follows the stacking order, top first
    HWND above = HWND_TOP;
    for (Control* child : children) {
        HWND window = reinterpret_cast<HWND>(child->Handle());
        ::SetWindowPos(window, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        above = window;
    }
}

bool FormPeer::TakeDialogKey(MSG& message) { return ::IsDialogMessageA(window_, &message) != 0; }

void FormPeer::KeepOnTop(bool keep) {
    if (form().Style != fsStayOnTop || !::IsWindowVisible(window_)) return;
    // the owner (the application window) stays where it is
    ::SetWindowPos(window_, keep ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void FormPeer::ControlDisabling(HWND control) {
    if (::GetFocus() != control) return;
    parkedFocus_ = control;
    ::SetFocus(window_);
}

void FormPeer::ControlEnabled(HWND control) {
    if (parkedFocus_ != control) return;
    parkedFocus_ = nullptr;
    if (::GetFocus() == window_) ::SetFocus(control);
}

} // namespace components::win32
