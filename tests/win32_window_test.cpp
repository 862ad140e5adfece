// The main window on the Win32 backend: the real windows (under Wine in the
// cross build), worked from a second thread with the mouse and the keyboard as
// a user would while the program runs its message loop. Screenshots of the
// window go to the top of the build folder.

#include "ui/Unit1.h"

#include "platform/ui/win32/backend.h"
#include "test_support.h"
#include "win32_driver.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <dlgs.h>

#include <cctype>
#include <climits>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace win32_driver;
using components::Control;
using components::Rect;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

// A header and three usable records.
const std::string kLog = "Time;Latitude;Longitude;Alt_AGL\r\n"
                         "12:00:01;52.1;21.0;120\r\n"
                         "12:00:02;52.2;21.1;130\r\n"
                         "12:00:03;52.3;21.2;140\r\n";

HWND WindowOf(const Control* control) { return reinterpret_cast<HWND>(control->Handle()); }

std::string ScreenshotPath(const std::string& name) {
    return std::string(TRASOLIN_SCREENSHOT_DIR) + "/" + name;
}

LOGFONTA FontOf(HWND window) {
    LOGFONTA font{};
    ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

// The Win32 backend, able to hold a run at one of its repaints while the test
// looks at the window: the window then answers messages sent to it (reads of
// what it shows) but takes no input, as during any repaint of a run.
class PausingBackend : public components::Backend {
public:
    void Realize(components::Form& form) override { backend_.Realize(form); }
    void Run(components::Form& mainForm) override { backend_.Run(mainForm); }
    void CloseForm(components::Form& form) override { backend_.CloseForm(form); }
    void ShowErrorBox(const std::string& text, const std::string& caption) override {
        backend_.ShowErrorBox(text, caption);
    }
    bool ExecuteOpenDialog(components::OpenDialog& dialog, components::Form& owner) override {
        return backend_.ExecuteOpenDialog(dialog, owner);
    }
    void ProcessPaintMessages() override {
        backend_.ProcessPaintMessages();
        if (++repaints_ != pauseAt_) return;
        ::SetEvent(paused_);
        while (::MsgWaitForMultipleObjects(1, &resumed_, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
            MSG message;
            ::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
    }
    HWND ApplicationWindow() const { return backend_.ApplicationWindow(); }

    // Holds the run at the `repaint`th repaint from now, until Resume().
    void PauseAt(int repaint) { pauseAt_ = repaints_ + repaint; }
    bool WaitUntilPaused() { return ::WaitForSingleObject(paused_, 10000) == WAIT_OBJECT_0; }
    void Resume() { ::SetEvent(resumed_); }

private:
    components::win32::Win32Backend backend_;
    int repaints_ = 0;
    int pauseAt_ = -1;
    HANDLE paused_ = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE resumed_ = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
};

class Win32WindowTest : public testing::Test {
protected:
    Win32WindowTest() {
        components::TheApplication = &application_;
        application_.Initialize();
        application_.Title = "Trasolin";
        application_.CreateForm(Form1);
        form_ = WindowOf(Form1.get());
        otworz_ = WindowOf(Form1->Otworz_bt);
        konwertuj_ = WindowOf(Form1->konwertuj_bt);
        zamknij_ = WindowOf(Form1->Zamknij_bt);
        plasko_ = WindowOf(Form1->CheckBox1);
        statusBar_ = WindowOf(Form1->StatusBar1);
        progressBar_ = WindowOf(Form1->ProgressBar1);
    }
    ~Win32WindowTest() override {
        Form1.reset();
        components::TheApplication = nullptr;
        LogFileName.clear();
        LineCount = 0;
        LineNumber = 0;
    }

    // Runs the program's message loop while `user` works the window from another
    // thread; a window the user left open is closed after.
    void RunWith(const std::function<void()>& user) {
        std::thread thread([&] {
            user();
            if (::IsWindowVisible(form_)) ::PostMessageA(form_, WM_CLOSE, 0, 0);
        });
        application_.Run();
        thread.join();
    }

    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = dir_.File(name);
        WriteBytes(path, bytes);
        return path;
    }

    // The user clicks "&Otwórz" and chooses `path` in the dialog.
    bool Open(const std::string& path) {
        Click(otworz_);
        HWND dialog = nullptr;
        if (!WaitFor([&] { return (dialog = OwnedDialog(form_)) != nullptr; })) {
            ADD_FAILURE() << "no open dialog";
            return false;
        }
        ChooseFile(dialog, path);
        return WaitFor([&] { return !::IsWindow(dialog); });
    }

    // The box the window shows now, once it shows.
    HWND Box() {
        HWND box = nullptr;
        WaitFor([&] { return (box = OwnedDialog(form_)) != nullptr; });
        return box;
    }

    PausingBackend backend_;
    components::Application application_{backend_};
    TempDir dir_;
    HWND form_, otworz_, konwertuj_, zamknij_, plasko_, statusBar_, progressBar_;
};

TEST_F(Win32WindowTest, ShowsTheWindowAsDesigned) {
    // a tool window with a close box only, always on top, centred on the screen
    RECT client, outer;
    ::GetClientRect(form_, &client);
    ::GetWindowRect(form_, &outer);
    EXPECT_EQ(client.right, 268);
    EXPECT_EQ(client.bottom, 86);
    const LONG style = ::GetWindowLongA(form_, GWL_STYLE);
    const LONG exStyle = ::GetWindowLongA(form_, GWL_EXSTYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_EQ(exStyle & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST), WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    EXPECT_EQ(TextOf(form_), "Trasolin");
    EXPECT_EQ(outer.left, std::max(0L, (::GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2));
    EXPECT_EQ(outer.top, std::max(0L, (::GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2));
    EXPECT_TRUE(::IsWindowVisible(form_));

    // the taskbar button: an unowned, ordinary window bearing the title, owning the form
    HWND app = backend_.ApplicationWindow();
    EXPECT_EQ(::GetWindow(form_, GW_OWNER), app);
    EXPECT_EQ(::GetWindow(app, GW_OWNER), nullptr);
    EXPECT_EQ(TextOf(app), "Trasolin");
    EXPECT_TRUE(::IsWindowVisible(app));
    EXPECT_EQ(::GetWindowLongA(app, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);

    struct {
        HWND window;
        HWND parent;
        RECT bounds; // left, top, right, bottom
        std::string caption;
        bool enabled;
    } const controls[] = {
        {plasko_, form_, {8, 0, 73, 25}, "Płasko", true},
        {otworz_, form_, {8, 32, 83, 57}, "&Otwórz", true},
        {konwertuj_, form_, {96, 32, 171, 57}, "&Konwertuj", false},
        {zamknij_, form_, {184, 32, 259, 57}, "&Zamknij", true},
        {statusBar_, form_, {0, 67, 268, 86}, "", true},
        // FormCreate put it into the status bar, over panel 1
        {progressBar_, statusBar_, {154, 4, 264, 18}, "", true},
    };
    for (const auto& c : controls) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(::GetParent(c.window), c.parent);
        const RECT r = RectInParent(c.window);
        EXPECT_EQ(r.left, c.bounds.left);
        EXPECT_EQ(r.top, c.bounds.top);
        EXPECT_EQ(r.right, c.bounds.right);
        EXPECT_EQ(r.bottom, c.bounds.bottom);
        if (!c.caption.empty()) {
            EXPECT_EQ(TextOf(c.window), c.caption);
        }
        EXPECT_EQ(::IsWindowEnabled(c.window) != 0, c.enabled);
        EXPECT_TRUE(::IsWindowVisible(c.window));
    }
    EXPECT_EQ(::SendMessageA(plasko_, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(::GetFocus(), otworz_);
    EXPECT_STREQ(FontOf(otworz_).lfFaceName, "MS Sans Serif");
    EXPECT_EQ(FontOf(otworz_).lfHeight, -11);

    // the signature, sized to its caption in the font it got (a stand-in without Renfrew)
    HWND label = WindowOf(Form1->Label1);
    EXPECT_STREQ(FontOf(label).lfFaceName, "Renfrew");
    EXPECT_EQ(FontOf(label).lfHeight, -21);
    HDC dc = ::GetDC(label);
    HGDIOBJ previous = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(label, WM_GETFONT, 0, 0)));
    SIZE extent;
    ::GetTextExtentPoint32A(dc, "brelquin", 8, &extent);
    TEXTMETRICA metrics;
    ::GetTextMetricsA(dc, &metrics);
    ::SelectObject(dc, previous);
    ::ReleaseDC(label, dc);
    const RECT labelRect = RectInParent(label);
    EXPECT_EQ(labelRect.left, 144);
    EXPECT_EQ(labelRect.top, 0);
    EXPECT_EQ(labelRect.right - labelRect.left, extent.cx);
    EXPECT_EQ(labelRect.bottom - labelRect.top, metrics.tmHeight);
    EXPECT_EQ(TextOf(label), "brelquin");

    // two panels, 150 pixels and the rest; no size grip; the system's status font
    int edges[4] = {};
    EXPECT_EQ(::SendMessageA(statusBar_, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 2);
    EXPECT_EQ(edges[0], 150);
    EXPECT_EQ(edges[1], -1);
    EXPECT_EQ(::GetWindowLongA(statusBar_, GWL_STYLE) & SBARS_SIZEGRIP, 0);
    EXPECT_EQ(StatusText(statusBar_, 0), "");
    EXPECT_TRUE(HIWORD(::SendMessageA(statusBar_, SB_GETTEXTLENGTHA, 1, 0)) & SBT_OWNERDRAW);
    NONCLIENTMETRICSA system{};
    system.cbSize = sizeof system;
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof system, &system, 0);
    EXPECT_STREQ(FontOf(statusBar_).lfFaceName, system.lfStatusFont.lfFaceName);
    EXPECT_EQ(FontOf(statusBar_).lfHeight, system.lfStatusFont.lfHeight);

    // the bar lies flat: no sunken edge, in its style or its frame
    EXPECT_EQ(::GetWindowLongA(progressBar_, GWL_EXSTYLE) & WS_EX_STATICEDGE, 0);
    RECT barClient;
    ::GetClientRect(progressBar_, &barClient);
    EXPECT_EQ(barClient.right, 110);
    EXPECT_EQ(barClient.bottom, 14);
    EXPECT_EQ(::GetWindowLongA(progressBar_, GWL_STYLE) & PBS_SMOOTH, 0);
    EXPECT_EQ(::SendMessageA(progressBar_, PBM_GETRANGE, FALSE, 0), 100);
    EXPECT_EQ(::SendMessageA(progressBar_, PBM_GETPOS, 0, 0), 0);

    // the manifest makes UTF-8 the code page of the A functions' texts
    EXPECT_EQ(::GetACP(), 65001u);

    // the picture once the window has painted, as the message loop lets it
    RunWith([&] { Screenshot({form_}, ScreenshotPath("win32-window.png")); });
}

// The icon resource as an icon directory holds it.
#pragma pack(push, 2)
struct IconEntry {
    BYTE width, height, colors, reserved;
    WORD planes, bitsPerPixel;
    DWORD bytes;
    WORD id;
};
struct IconDirectory {
    WORD reserved, type, count;
    IconEntry entries[1];
};
#pragma pack(pop)

TEST_F(Win32WindowTest, TaskbarButtonCarriesTheProgramsIcon) {
    // one image, 128 x 128 pixels of 32 bits
    HRSRC found = ::FindResourceA(nullptr, "MAINICON", MAKEINTRESOURCEA(14)); // RT_GROUP_ICON
    ASSERT_TRUE(found);
    const auto* icon = static_cast<const IconDirectory*>(::LockResource(::LoadResource(nullptr, found)));
    ASSERT_EQ(icon->count, 1);
    EXPECT_EQ(icon->entries[0].width, 128);
    EXPECT_EQ(icon->entries[0].height, 128);
    EXPECT_EQ(icon->entries[0].bitsPerPixel, 32);
    EXPECT_NE(::GetClassLongPtrA(backend_.ApplicationWindow(), GCLP_HICON), 0);
}

TEST_F(Win32WindowTest, TabVisitsTheEnabledControlsInTabOrder) {
    RunWith([&] {
        EXPECT_EQ(FocusIn(form_), otworz_);
        // "&Konwertuj" is disabled, so Tab passes it by
        for (HWND next : {zamknij_, plasko_, otworz_}) {
            PressKey(VK_TAB);
            EXPECT_TRUE(WaitFor([&] { return FocusIn(form_) == next; })) << TextOf(next);
        }
        PressKey(VK_TAB, false, true);
        EXPECT_TRUE(WaitFor([&] { return FocusIn(form_) == plasko_; }));
        // Space clears the box; the model learns of it
        PressKey(VK_SPACE);
        EXPECT_TRUE(WaitFor([&] { return Ask(plasko_, BM_GETCHECK) == BST_UNCHECKED; }));
        // Alt+Z closes the program
        PressKey('Z', true);
        EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(form_); }));
    });
    EXPECT_TRUE(Form1->Closed());
    EXPECT_FALSE(Form1->CheckBox1->Checked());
}

TEST_F(Win32WindowTest, OpenThenConvertShowsTheLinesReadAndWritesTheTrack) {
    const std::string log = Write("LOG00012.CSV", kLog);
    RunWith([&] {
        Click(otworz_);
        HWND dialog = Box();
        ASSERT_TRUE(dialog) << "no open dialog";
        // the dialog shows above the window, which leaves the topmost band meanwhile
        EXPECT_FALSE(IsTopmost(form_));
        EXPECT_EQ(FileTypes(dialog), (std::vector<std::string>{"Pliki logów (*.CSV) ", " Wszystkie pliki (*.*) "}));
        EXPECT_EQ(Ask(::GetDlgItem(dialog, cmb1), CB_GETCURSEL), 0);
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dialog, chx1))) << "the read-only box is hidden";
        Screenshot({form_, dialog}, ScreenshotPath("win32-open-dialog.png"));
        ChooseFile(dialog, log);

        EXPECT_TRUE(WaitFor([&] { return StatusText(statusBar_, 0) == "LOG00012.CSV"; }));
        EXPECT_TRUE(WaitFor([&] { return IsTopmost(form_); })) << "back on top after the dialog";
        EXPECT_TRUE(::IsWindowEnabled(konwertuj_));
        EXPECT_EQ(Ask(progressBar_, PBM_GETRANGE, FALSE), 4) << "the log's lines";

        // Tab now stops at "&Konwertuj", and Enter presses it
        EXPECT_TRUE(WaitFor([&] { return FocusIn(form_) == otworz_; }));
        PressKey(VK_TAB);
        EXPECT_TRUE(WaitFor([&] { return FocusIn(form_) == konwertuj_; }));
        PressKey(VK_RETURN);
        EXPECT_TRUE(WaitFor([&] { return StatusText(statusBar_, 1) == "OK!  4 wpisów"; }));
        EXPECT_EQ(TextOf(konwertuj_), "&Konwertuj");
        EXPECT_TRUE(::IsWindowEnabled(konwertuj_));
        EXPECT_FALSE(::IsWindowVisible(progressBar_));
        EXPECT_EQ(FocusIn(form_), konwertuj_) << "the button gets its focus back after the run";
        Screenshot({form_}, ScreenshotPath("win32-converted.png"));
        Click(zamknij_);
        EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(form_); }));
    });
    EXPECT_TRUE(Form1->Closed());
    const std::string track = ReadBytes(dir_.File("LOG00012.KML"));
    EXPECT_NE(track.find("<altitudeMode>clampToGround</altitudeMode>\r\n"), std::string::npos);
    EXPECT_NE(track.find("\r\n21.0,52.1,120\r\n21.1,52.2,130\r\n21.2,52.3,140\r\n"), std::string::npos);
}

TEST_F(Win32WindowTest, FailingConvertShowsTheErrorBoxAndTheWindowGoesOn) {
    // a blank last line has no longitude field (index 2)
    const std::string broken = Write("broken.csv", kLog + "\r\n");
    const std::string good = Write("good.csv", kLog);
    RunWith([&] {
        ASSERT_TRUE(Open(broken));
        PressKey('K', true);
        HWND box = Box();
        ASSERT_TRUE(box) << "no error box";
        EXPECT_EQ(TextOf(box), "Trasolin");
        EXPECT_EQ(MessageBoxText(box), "List index out of bounds (2)") << "no full stop after \")\"";
        HWND icon = IconOf(box);
        ASSERT_TRUE(icon);
        EXPECT_EQ(Ask(icon, STM_GETICON), reinterpret_cast<LRESULT>(::LoadIconA(nullptr, IDI_HAND)));
        // the box shows above the window, which waits for it
        EXPECT_FALSE(IsTopmost(form_));
        EXPECT_FALSE(::IsWindowEnabled(form_));
        Screenshot({form_, box}, ScreenshotPath("win32-error-box.png"));
        PressKey(VK_RETURN);
        EXPECT_TRUE(WaitFor([&] { return !::IsWindow(box); }));

        // the window goes on: back on top, and another log converts
        EXPECT_TRUE(WaitFor([&] { return IsTopmost(form_) && ::IsWindowEnabled(form_); }));
        ASSERT_TRUE(Open(good));
        PressKey('K', true);
        EXPECT_TRUE(WaitFor([&] { return StatusText(statusBar_, 1) == "OK!  4 wpisów"; }));
    });
    EXPECT_TRUE(Form1->Closed());
}

TEST_F(Win32WindowTest, OpeningAMissingFileShowsFileNotFound) {
    RunWith([&] {
        // a typed name of a file that does not exist is taken by the dialog
        ASSERT_TRUE(Open(dir_.File("none.csv")));
        HWND box = Box();
        ASSERT_TRUE(box) << "no error box";
        EXPECT_EQ(MessageBoxText(box), "File not found.");
        PressKey(VK_RETURN);
        EXPECT_TRUE(WaitFor([&] { return !::IsWindow(box); }));
        EXPECT_FALSE(::IsWindowEnabled(konwertuj_));
        EXPECT_EQ(StatusText(statusBar_, 0), "");
    });
}

TEST_F(Win32WindowTest, TaskbarButtonMinimisesAndRestoresTheWindow) {
    RunWith([&] {
        HWND app = backend_.ApplicationWindow();
        Ask(app, WM_SYSCOMMAND, SC_MINIMIZE);
        EXPECT_FALSE(::IsWindowVisible(form_));
        EXPECT_TRUE(::IsIconic(app));
        Ask(app, WM_SYSCOMMAND, SC_RESTORE);
        EXPECT_TRUE(::IsWindowVisible(form_));
        EXPECT_FALSE(::IsIconic(app));
        EXPECT_TRUE(IsTopmost(form_));
        EXPECT_TRUE(WaitFor([&] { return FocusIn(form_) == otworz_; }));
    });
}

// The ways the user closes the program: each ends the message loop at once.
class Win32ClosingTest : public Win32WindowTest, public testing::WithParamInterface<const char*> {};

TEST_P(Win32ClosingTest, EndsTheProgram) {
    const std::string way = GetParam();
    HWND app = backend_.ApplicationWindow();
    RunWith([&] {
        if (way == "Zamknij")
            Click(zamknij_);
        else if (way == "Alt+Z")
            PressKey('Z', true);
        else if (way == "close box")
            ::PostMessageA(form_, WM_SYSCOMMAND, SC_CLOSE, 0);
        else if (way == "taskbar")
            ::PostMessageA(app, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(form_); }));
    });
    EXPECT_TRUE(Form1->Closed());
    EXPECT_FALSE(::IsWindowVisible(app)) << "the taskbar button has gone";
}

INSTANTIATE_TEST_SUITE_P(Ways, Win32ClosingTest, testing::Values("Zamknij", "Alt+Z", "close box", "taskbar"),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
                             return name;
                         });

// Counts the progress bar's messages, passing them on.
WNDPROC progressProc = nullptr;
int setPositions = 0;
int paints = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == PBM_SETPOS) ++setPositions;
    if (message == WM_PAINT) ++paints;
    return ::CallWindowProcA(progressProc, window, message, wParam, lParam);
}

void CountProgressMessages(HWND bar) {
    progressProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc)));
    setPositions = paints = 0;
}

TEST_F(Win32WindowTest, ProgressBarHearsOfANewWidthOnlyAsItPaints) {
    components::ProgressBar& bar = *Form1->ProgressBar1;
    bar.SetMax(1'000'000);
    CountProgressMessages(progressBar_);
    // a run's positions, the window repainting every 1000 lines
    for (std::int64_t line = 1; line <= 1'000'000; ++line) {
        bar.SetPosition(line);
        if (line % 1000 == 0) backend_.ProcessPaintMessages();
    }
    RECT client;
    ::GetClientRect(progressBar_, &client);
    EXPECT_EQ(setPositions, client.right) << "once per pixel of the bar's width";
    EXPECT_EQ(::SendMessageA(progressBar_, PBM_GETPOS, 0, 0), ::SendMessageA(progressBar_, PBM_GETRANGE, FALSE, 0));

    // between paints it hears nothing; a position within the same pixel tells nothing
    setPositions = 0;
    bar.SetPosition(500'000);
    EXPECT_EQ(setPositions, 0);
    backend_.ProcessPaintMessages();
    bar.SetPosition(500'001);
    backend_.ProcessPaintMessages();
    EXPECT_EQ(setPositions, 1);
    EXPECT_EQ(::SendMessageA(progressBar_, PBM_GETPOS, 0, 0) * 2, ::SendMessageA(progressBar_, PBM_GETRANGE, FALSE, 0));

    // a range too wide for the control's 32 bits is scaled down
    bar.SetMax(std::int64_t{1} << 40);
    bar.SetPosition(std::int64_t{1} << 39);
    backend_.ProcessPaintMessages();
    const LRESULT nativeMax = ::SendMessageA(progressBar_, PBM_GETRANGE, FALSE, 0);
    EXPECT_GE(nativeMax, 1 << 30) << "keeps 30 bits of resolution";
    EXPECT_LE(nativeMax, INT_MAX);
    EXPECT_EQ(::SendMessageA(progressBar_, PBM_GETPOS, 0, 0) * 2, nativeMax);
}

TEST_F(Win32WindowTest, RepaintsWhileAConversionRuns) {
    std::string log = "Time;Latitude;Longitude;Alt_AGL\r\n";
    constexpr int kRecords = 2'000'000; // long enough for repaints on a fast machine too
    log.reserve(log.size() + kRecords * 24);
    for (int i = 0; i < kRecords; ++i) log += "12:00:01;52.1;21.0;120\r\n";
    const std::string path = Write("long.csv", log);
    CountProgressMessages(progressBar_);
    int paintsBeforeRun = 0;
    RunWith([&] {
        ASSERT_TRUE(Open(path));
        paintsBeforeRun = paints;
        // the first repaint comes before the run, the next ones during it
        backend_.PauseAt(2);
        PressKey('K', true);
        ASSERT_TRUE(backend_.WaitUntilPaused()) << "no repaint during the run";
        EXPECT_EQ(TextOf(konwertuj_), "Czekaj!");
        EXPECT_FALSE(::IsWindowEnabled(konwertuj_));
        EXPECT_TRUE(::IsWindowVisible(progressBar_));
        const LRESULT shown = Ask(progressBar_, PBM_GETPOS);
        EXPECT_GT(shown, 0);
        EXPECT_LT(shown, Ask(progressBar_, PBM_GETRANGE, FALSE));
        Screenshot({form_}, ScreenshotPath("win32-converting.png"));
        backend_.Resume();
        EXPECT_TRUE(WaitFor([&] { return StatusText(statusBar_, 1) == "OK!  " + std::to_string(kRecords + 1) + " wpisów"; }));
    });
    EXPECT_GE(paints - paintsBeforeRun, 2) << "the bar repainted during the run";
}

} // namespace
