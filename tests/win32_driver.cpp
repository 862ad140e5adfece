#include "win32_driver.h"

#include <commctrl.h>
#include <dlgs.h>

#include <algorithm>
#include <cstdio>
#include <thread>

namespace win32_driver {
namespace {

constexpr UINT kAnswerTime = 2000; // ms

void Send(std::vector<INPUT>& inputs) {
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT Key(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

INPUT Mouse(DWORD flags, LONG x = 0, LONG y = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = x;
    input.mi.dy = y;
    input.mi.dwFlags = flags;
    return input;
}

BOOL CALLBACK FindDialog(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<std::pair<HWND, HWND>*>(lParam);
    char name[16] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "#32770" && ::GetWindow(window, GW_OWNER) == search.first &&
        ::IsWindowVisible(window)) {
        search.second = window;
        return FALSE;
    }
    return TRUE;
}

// The Windows path of a file of the Unix side, through Wine's own kernel32
// export; empty off Wine.
std::string WindowsPath(const std::string& unixPath) {
    using ToDos = wchar_t* (*)(const char*);
    auto toDos = reinterpret_cast<ToDos>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
    if (!toDos) return {};
    wchar_t* wide = toDos(unixPath.c_str());
    if (!wide) return {};
    char path[MAX_PATH * 4] = {};
    ::WideCharToMultiByte(CP_ACP, 0, wide, -1, path, sizeof path, nullptr, nullptr);
    ::HeapFree(::GetProcessHeap(), 0, wide);
    return path;
}

} // namespace

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kAnswerTime, &result))
        return 0;
    return static_cast<LRESULT>(result);
}

std::string TextOf(HWND window) {
    char text[512] = {};
    Ask(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string StatusText(HWND statusBar, int part) {
    char text[512] = {};
    const LRESULT length = Ask(statusBar, SB_GETTEXTLENGTHA, part);
    if (LOWORD(length) >= sizeof text) return "(too long)";
    Ask(statusBar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
    return text;
}

HWND FocusIn(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

bool IsTopmost(HWND window) { return (::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

RECT RectInParent(HWND window) {
    RECT r;
    ::GetWindowRect(window, &r);
    if (HWND parent = ::GetParent(window); parent && (::GetWindowLongA(window, GWL_STYLE) & WS_CHILD))
        ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void Click(HWND window) {
    RECT r;
    ::GetWindowRect(window, &r);
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    std::vector<INPUT> move{
        Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x * 65535 / (width - 1), y * 65535 / (height - 1))};
    Send(move);
    // the pointer is there before the button goes down
    WaitFor([&] {
        POINT at;
        return ::GetCursorPos(&at) && at.x == x && at.y == y;
    }, 2s);
    std::vector<INPUT> press{Mouse(MOUSEEVENTF_LEFTDOWN), Mouse(MOUSEEVENTF_LEFTUP)};
    Send(press);
}

void PressKey(WORD key, bool alt, bool shift) {
    std::vector<INPUT> inputs;
    if (alt) inputs.push_back(Key(VK_MENU, false));
    if (shift) inputs.push_back(Key(VK_SHIFT, false));
    inputs.push_back(Key(key, false));
    inputs.push_back(Key(key, true));
    if (shift) inputs.push_back(Key(VK_SHIFT, true));
    if (alt) inputs.push_back(Key(VK_MENU, true));
    Send(inputs);
}

HWND OwnedDialog(HWND owner) {
    std::pair<HWND, HWND> search{owner, nullptr};
    ::EnumWindows(&FindDialog, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

std::string MessageBoxText(HWND box) {
    // a message box's text is the static with the id 0xFFFF
    HWND text = ::GetDlgItem(box, 0xFFFF);
    return text ? TextOf(text) : std::string("(no text)");
}

HWND IconOf(HWND box) {
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if ((::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) return child;
    return nullptr;
}

void ChooseFile(HWND dialog, const std::string& path) {
    // the file name box is a combo box in explorer-style dialogs, an edit in others
    HWND name = ::GetDlgItem(dialog, cmb13);
    if (!name) name = ::GetDlgItem(dialog, edt1);
    Ask(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
}

std::vector<std::string> FileTypes(HWND dialog) {
    std::vector<std::string> types;
    HWND list = ::GetDlgItem(dialog, cmb1);
    const LRESULT count = Ask(list, CB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i) {
        char text[256] = {};
        if (Ask(list, CB_GETLBTEXTLEN, i) < static_cast<LRESULT>(sizeof text))
            Ask(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        types.emplace_back(text);
    }
    return types;
}

bool Screenshot(const std::vector<HWND>& windows, const std::string& path) {
    RECT area{};
    for (HWND window : windows) {
        RECT r;
        ::GetWindowRect(window, &r);
        if (::IsRectEmpty(&area))
            area = r;
        else
            ::UnionRect(&area, &area, &r);
    }
    const std::string file = WindowsPath(path);
    if (file.empty()) {
        std::printf("no screenshot %s: not running under Wine\n", path.c_str());
        return false;
    }
    ::DeleteFileA(file.c_str());
    // Wine starts Unix programs too, but does not wait for them to end: the
    // picture is written aside and put in its place when it is whole
    char command[2048];
    std::snprintf(command, sizeof command,
                  "/bin/sh -c \"/usr/bin/import -window root -crop %ldx%ld+%ld+%ld +repage '%s.part.png' && "
                  "mv '%s.part.png' '%s'\"",
                  area.right - area.left, area.bottom - area.top, area.left, area.top, path.c_str(),
                  path.c_str(), path.c_str());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::printf("no screenshot %s: cannot start import (%lu)\n", path.c_str(), ::GetLastError());
        return false;
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    if (!WaitFor([&] { return ::GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES; }, 20s)) {
        std::printf("no screenshot %s: import wrote nothing\n", path.c_str());
        return false;
    }
    std::printf("screenshot: %s\n", path.c_str());
    return true;
}

} // namespace win32_driver
