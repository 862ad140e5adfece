#include "platform/ui/win32/window_peer.h"

#include "platform/ui/win32/form.h"

namespace components::win32 {
namespace {

// The property that ties our windows to their peers; windows of others lack it.
constexpr char kPeerProperty[] = "TrasolinPeer";

// Child control ids start above the dialog manager's IDOK and IDCANCEL, which
// it sends on Enter and Escape.
int NextControlId() {
    static int id = 100;
    return id++;
}

const Form* FormOf(const Control& control) {
    const Control* c = &control;
    while (c && c->kind() != Kind::Form) c = c->Parent();
    return static_cast<const Form*>(c);
}

} // namespace

WindowPeer::~WindowPeer() {
    // a child may have gone already with its parent (the progress bar with the status bar)
    if (window_ && ::IsWindow(window_)) {
        ::RemovePropA(window_, kPeerProperty);
        ::DestroyWindow(window_);
    }
}

WindowPeer* WindowPeer::Of(HWND window) {
    if (!window) return nullptr;
    return static_cast<WindowPeer*>(::GetPropA(window, kPeerProperty));
}

void WindowPeer::Attach(HWND window) {
    window_ = window;
    ::SetPropA(window_, kPeerProperty, this);
}

HWND WindowPeer::ParentWindow() const {
    const Control* parent = control_.Parent();
    return parent ? reinterpret_cast<HWND>(parent->Handle()) : nullptr;
}

HBRUSH WindowPeer::FormBrush() const {
    const Form* form = FormOf(control_);
    return resources_.BrushFor(form ? form->BackColor : clBtnFace);
}

void WindowPeer::CreateChild(const char* windowClass, DWORD style, DWORD exStyle) {
    const Rect& r = control_.Bounds();
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    if (control_.Visible()) style |= WS_VISIBLE;
    if (!control_.Enabled()) style |= WS_DISABLED;
    HWND window = ::CreateWindowExA(exStyle | control_.ExStyle(), windowClass, control_.Caption().c_str(),
                                    style, r.left, r.top, r.width, r.height, ParentWindow(),
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(NextControlId())),
                                    ::GetModuleHandleA(nullptr), nullptr);
    Attach(window);
    ::SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(resources_.FontFor(control_.GetFont())), FALSE);
}

void WindowPeer::Place() {
    const Rect& r = control_.Bounds();
    ::SetWindowPos(window_, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowPeer::Update(Property changed) {
    if (!window_) return;
    switch (changed) {
    case Property::Bounds:
        Place();
        break;
    case Property::Visible:
        ::ShowWindow(window_, control_.Visible() ? SW_SHOWNA : SW_HIDE);
        break;
    case Property::Enabled: {
        FormPeer* form = FormPeer::Containing(window_);
        if (form && !control_.Enabled()) form->ControlDisabling(window_);
        ::EnableWindow(window_, control_.Enabled());
        if (form && control_.Enabled()) form->ControlEnabled(window_);
        break;
    }
    case Property::Caption:
        ::SetWindowTextA(window_, control_.Caption().c_str());
        break;
    case Property::Parent:
        ::SetParent(window_, ParentWindow());
        Place();
        break;
    case Property::Font:
        ::SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(resources_.FontFor(control_.GetFont())), TRUE);
        break;
    case Property::TabOrder:
        if (FormPeer* form = FormPeer::Containing(window_)) form->ArrangeTabOrder();
        break;
    case Property::ExStyle:
        ::SetWindowLongA(window_, GWL_EXSTYLE, static_cast<LONG>(control_.ExStyle()));
        ::SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                       SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        break;
    default:
        break;
    }
}

} // namespace components::win32
