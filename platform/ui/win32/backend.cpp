#include "platform/ui/win32/backend.h"

#include "platform/ui/native_backend.h"
#include "platform/ui/win32/app_window.h"
#include "platform/ui/win32/control_peers.h"
#include "platform/ui/win32/form.h"

#include <commctrl.h>

namespace components {

std::unique_ptr<Backend> CreateNativeBackend() { return std::make_unique<win32::Win32Backend>(); }

} // namespace components

namespace components::win32 {
namespace {

std::unique_ptr<WindowPeer> CreatePeer(Control& control, Resources& resources) {
    switch (control.kind()) {
    case Kind::Button: return CreateButtonPeer(static_cast<Button&>(control), resources);
    case Kind::CheckBox: return CreateCheckBoxPeer(static_cast<CheckBox&>(control), resources);
    case Kind::Label: return CreateLabelPeer(static_cast<Label&>(control), resources);
    case Kind::ListBox: return CreateListBoxPeer(static_cast<ListBox&>(control), resources);
    case Kind::ProgressBar: return CreateProgressBarPeer(static_cast<ProgressBar&>(control), resources);
    case Kind::StatusBar: return CreateStatusBarPeer(static_cast<StatusBar&>(control), resources);
    case Kind::Form:
    case Kind::OpenDialog: break;
    }
    return nullptr;
}

BOOL CALLBACK CollectVisibleForm(HWND window, LPARAM lParam) {
    if (::IsWindowVisible(window) && FormPeer::ForWindow(window))
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(window);
    return TRUE;
}

std::vector<HWND> VisibleForms() {
    std::vector<HWND> forms;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectVisibleForm, reinterpret_cast<LPARAM>(&forms));
    return forms;
}

} // namespace

Win32Backend::Win32Backend() {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&classes);
}

Win32Backend::~Win32Backend() = default;

HWND Win32Backend::ApplicationWindow() const { return appWindow_ ? appWindow_->Window() : nullptr; }

void Win32Backend::Realize(Form& form) {
    if (!appWindow_)
        appWindow_ = std::make_unique<AppWindow>(TheApplication ? TheApplication->Title : form.Caption());
    auto formPeer = std::make_unique<FormPeer>(form, resources_, appWindow_->Window());
    FormPeer& peer = *formPeer;
    form.AttachPeer(std::move(formPeer));
    if (!appWindow_->MainForm()) appWindow_->SetMainForm(peer.Window());

    // in the form's order, so a parent's window is there before its children's
    for (const auto& component : form.Components())
        if (auto* control = dynamic_cast<Control*>(component.get()))
            control->AttachPeer(CreatePeer(*control, resources_));
    peer.ArrangeTabOrder();
    appWindow_->ShowButton();
}

void Win32Backend::Run(Form& mainForm) {
    MSG message;
    while (!mainForm.Closed() && ::GetMessageA(&message, nullptr, 0, 0) > 0) {
        FormPeer* form = message.hwnd ? FormPeer::Containing(message.hwnd) : nullptr;
        if (form && form->TakeDialogKey(message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

void Win32Backend::CloseForm(Form& form) {
    HWND window = reinterpret_cast<HWND>(form.Handle());
    if (window) ::ShowWindow(window, SW_HIDE);
    if (appWindow_ && window && window == appWindow_->MainForm()) {
        appWindow_->HideButton();
        ::PostMessageA(appWindow_->Window(), WM_NULL, 0, 0); // wakes Run to see the form closed
    }
}

void Win32Backend::ProcessPaintMessages() {
    // a window that keeps invalidating itself cannot hold the run here
    constexpr int kMostPaints = 256;
    MSG message;
    for (int i = 0; i < kMostPaints && ::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT); ++i)
        ::DispatchMessageA(&message);
}

HWND Win32Backend::ModalOwner() const {
    HWND active = ::GetActiveWindow();
    if (FormPeer::ForWindow(active) && ::IsWindowVisible(active))
        return active;
    HWND main = appWindow_ ? appWindow_->MainForm() : nullptr;
    return main && ::IsWindowVisible(main) ? main : nullptr;
}

Win32Backend::ModalBoxScope::ModalBoxScope(AppWindow* appWindow) : forms_(VisibleForms()) {
    if (appWindow) appWindow->KeepBehind(); // activating a form may have raised it
    for (HWND form : forms_) FormPeer::ForWindow(form)->KeepOnTop(false);
}

Win32Backend::ModalBoxScope::~ModalBoxScope() {
    for (HWND form : forms_)
        if (FormPeer* peer = FormPeer::ForWindow(form)) peer->KeepOnTop(true);
}

} // namespace components::win32
