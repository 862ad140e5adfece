#include "platform/ui/win32/app_window.h"

#include "platform/ui/win32/form.h"

namespace components::win32 {
namespace {

constexpr char kAppWindowClass[] = "TrasolinApplication";

HICON ProgramIcon(int sizeMetric) {
    const int size = ::GetSystemMetrics(sizeMetric);
    return static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, size,
                                           size, LR_DEFAULTCOLOR | LR_SHARED));
}

BOOL CALLBACK CollectOwnedForm(HWND window, LPARAM lParam) {
    auto& found = *reinterpret_cast<std::pair<HWND, std::vector<HWND>*>*>(lParam);
    if (::GetWindow(window, GW_OWNER) == found.first && ::IsWindowVisible(window) &&
        FormPeer::ForWindow(window))
        found.second->push_back(window);
    return TRUE;
}

} // namespace

AppWindow::AppWindow(const std::string& title) {
    static const bool registered = [] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &AppWindow::WindowProc;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.hIcon = ProgramIcon(SM_CXICON);
        windowClass.hIconSm = ProgramIcon(SM_CXSMICON);
        windowClass.lpszClassName = kAppWindowClass;
        return ::RegisterClassExA(&windowClass) != 0;
    }();
    (void)registered;
    // no size, so nothing of it shows but its taskbar button
    ::CreateWindowExA(0, kAppWindowClass, title.c_str(),
                      WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                      ::GetSystemMetrics(SM_CXSCREEN) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                      nullptr, nullptr, ::GetModuleHandleA(nullptr), this);
}

AppWindow::~AppWindow() {
    if (!window_) return;
    ::SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    ::DestroyWindow(window_);
}

HWND AppWindow::MainForm() const {
    return FormPeer::ForWindow(mainForm_) ? mainForm_ : nullptr;
}

void AppWindow::ShowButton() {
    ::ShowWindow(window_, SW_SHOWNOACTIVATE);
    KeepBehind();
}

void AppWindow::KeepBehind() {
    ::SetWindowPos(window_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void AppWindow::HideButton() { ::ShowWindow(window_, SW_HIDE); }

LRESULT CALLBACK AppWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<AppWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window_ = window;
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<AppWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return ::DefWindowProcA(window, message, wParam, lParam);
    return self->Handle(message, wParam, lParam);
}

LRESULT AppWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_MINIMIZE:
            Minimize();
            return 0;
        case SC_RESTORE:
            Restore();
            return 0;
        }
        break;
    case WM_CLOSE:
        // closing the taskbar button closes the main form, and so the program
        if (FormPeer* form = FormPeer::ForWindow(MainForm())) form->form().Close();
        return 0;
    case WM_ACTIVATE:
        // the button was clicked: the window it stands for takes the activation
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) ActivateForm();
        return 0;
    default:
        break;
    }
    return ::DefWindowProcA(window_, message, wParam, lParam);
}

void AppWindow::Minimize() {
    if (::IsIconic(window_)) return;
    std::vector<HWND> shown;
    std::pair<HWND, std::vector<HWND>*> search{window_, &shown};
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectOwnedForm, reinterpret_cast<LPARAM>(&search));
    for (HWND form : shown) ::ShowWindow(form, SW_HIDE);
    hiddenForms_.insert(hiddenForms_.end(), shown.begin(), shown.end());
    ::DefWindowProcA(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void AppWindow::Restore() {
    ::DefWindowProcA(window_, WM_SYSCOMMAND, SC_RESTORE, 0);
    for (HWND form : hiddenForms_) {
        FormPeer* peer = FormPeer::ForWindow(form);
        if (!peer || peer->form().Closed()) continue;
        ::ShowWindow(form, SW_SHOWNA);
        peer->KeepOnTop(true); // back into the topmost band
    }
    hiddenForms_.clear();
    ActivateForm();
}

void AppWindow::ActivateForm() {
    HWND form = MainForm();
    if (!form || !::IsWindowVisible(form)) return;
    // while a modal box shows, the form is disabled and the box takes the activation
    HWND target = ::IsWindowEnabled(form) ? form : ::GetLastActivePopup(form);
    ::SetActiveWindow(target ? target : form);
}

} // namespace components::win32
