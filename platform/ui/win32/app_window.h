#pragma once

// The application window: never seen itself, it carries the program's taskbar
// button, titled with the application's title, and owns the forms. A tool
// window has no taskbar button of its own, so the button is this window's:
// minimising it hides the forms, restoring it brings them back, and closing it
// closes the main form.

#include <windows.h>

#include <string>
#include <vector>

namespace components::win32 {

class AppWindow {
public:
    explicit AppWindow(const std::string& title);
    ~AppWindow();
    AppWindow(const AppWindow&) = delete;
    AppWindow& operator=(const AppWindow&) = delete;

    HWND Window() const { return window_; }
    // The form the taskbar button stands for; null before there is one and after
    // its window has gone.
    HWND MainForm() const;
    void SetMainForm(HWND form) { mainForm_ = form; }
    void ShowButton();
    void HideButton();
    // Nothing of this window shows, so it keeps to the bottom of the stacking
    // order. Wine keeps an owned window above an owner that lies right below it,
    // topmost band or not, so there the form could not step out of the band.
    void KeepBehind();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Minimize();
    void Restore();
    void ActivateForm();

    HWND window_ = nullptr;
    HWND mainForm_ = nullptr;
    std::vector<HWND> hiddenForms_; // what minimising hid
};

} // namespace components::win32
