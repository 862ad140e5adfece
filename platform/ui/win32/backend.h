#pragma once

// The component layer on Win32: user32 windows, comctl32 controls (version 6,
// by the program's manifest) and comdlg32's open dialog. Texts go to the A
// functions as they are, in the process's code page (UTF-8 by the manifest).

#include "platform/ui/components.h"
#include "platform/ui/win32/resources.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace components::win32 {

class AppWindow;
class FormPeer;

class Win32Backend final : public Backend {
public:
    Win32Backend();
    ~Win32Backend() override;

    // The first form realized is the main one: its window's taskbar button is
    // the application window's, titled with the application's title.
    void Realize(Form& form) override;
    // Dispatches messages, the dialog manager taking the keys of the forms (Tab,
    // access keys, Enter), until the main form closes.
    void Run(Form& mainForm) override;
    // Hides the form; for the main form, the taskbar button goes too and Run ends.
    void CloseForm(Form& form) override;
    // Dispatches pending paint messages only, so no input is taken.
    void ProcessPaintMessages() override;
    // MessageBoxA with the stop icon, owned by the active form.
    void ShowErrorBox(const std::string& text, const std::string& caption) override;
    // GetOpenFileNameA, owned by `owner`, with the dialog's filter and options.
    bool ExecuteOpenDialog(OpenDialog& dialog, Form& owner) override;

    // The window behind the taskbar button; null before the first form.
    HWND ApplicationWindow() const;

private:
    // Our stay-on-top forms step aside while a modal box of ours shows.
    class ModalBoxScope {
    public:
        explicit ModalBoxScope(AppWindow* appWindow);
        ~ModalBoxScope();
        ModalBoxScope(const ModalBoxScope&) = delete;
        ModalBoxScope& operator=(const ModalBoxScope&) = delete;

    private:
        std::vector<HWND> forms_;
    };

    HWND ModalOwner() const;

    Resources resources_;
    std::unique_ptr<AppWindow> appWindow_;
};

} // namespace components::win32
