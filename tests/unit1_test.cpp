// The main window's commands on the headless backend, with real logs in a
// temporary folder.

#include "ui/Unit1.h"

#include "platform/file/file.h"
#include "platform/ui/headless/headless_backend.h"
#include "headless_window.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using components::Application;
using components::Button;
using components::Control;
using components::Kind;
using components::Rect;
using components::headless::HeadlessBackend;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

using ErrorBoxes = std::vector<HeadlessBackend::ErrorBox>;

const std::string& kLog = testing_support::kFourLineLog;

int CountOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

using Unit1Test = testing_support::HeadlessWindowTest;

TEST_F(Unit1Test, FormCreateLaysTheBarFlatIntoTheStatusBar) {
    TForm1& form = *Form1;
    EXPECT_EQ(application_.MainForm(), &form);
    EXPECT_TRUE(form.Visible());

    // Panel 1 shows blank until a conversion writes there.
    ASSERT_EQ(form.StatusBar1->Panels().size(), 2u);
    EXPECT_EQ(form.StatusBar1->Panels()[0].style, components::psText);
    EXPECT_EQ(form.StatusBar1->Panels()[1].style, components::psOwnerDraw);
    EXPECT_EQ(form.StatusBar1->Panels()[0].text, "");
    EXPECT_EQ(form.StatusBar1->Panels()[1].text, "");

    // The bar's stored bounds now count from the status bar, over panel 1.
    EXPECT_EQ(form.ProgressBar1->Parent(), form.StatusBar1);
    EXPECT_EQ(form.ProgressBar1->Bounds(), (Rect{154, 4, 110, 14}));
    EXPECT_TRUE(form.ProgressBar1->Visible());
    EXPECT_EQ(form.ProgressBar1->Position(), 0);
    EXPECT_EQ(form.ProgressBar1->Max(), 100);

#ifdef _WIN32
    GTEST_SKIP() << "the sunken edge is user32's: the Win32 backend's tests check the real window";
#else
    // A progress bar is born with the sunken edge; FormCreate took it away.
    EXPECT_EQ(components::ProgressBar("fresh").ExStyle() & 0x20000u, 0x20000u);
    EXPECT_EQ(form.ProgressBar1->ExStyle() & 0x20000u, 0u);
#endif
}

TEST_F(Unit1Test, ControlsAreAsDesigned) {
    TForm1& form = *Form1;
    EXPECT_EQ(form.Caption(), "Trasolin");
    EXPECT_EQ(form.ClientWidth, 268);
    EXPECT_EQ(form.ClientHeight, 86);
    EXPECT_EQ(form.Border, components::bsToolWindow);
    EXPECT_EQ(form.Style, components::fsStayOnTop);
    EXPECT_EQ(form.Position, components::poMainFormCenter);
    EXPECT_FALSE(form.Scaled);
    const components::Font formFont{"MS Sans Serif", -11, components::clWindowText};
    EXPECT_EQ(form.GetFont(), formFont);

    struct Designed {
        Control* control;
        Kind kind;
        Rect bounds;
        std::string caption;
        int tabOrder;
        bool visible, enabled;
    };
    const Designed designed[] = {
        {form.CheckBox1, Kind::CheckBox, {8, 0, 65, 25}, "Płasko", 6, true, true},
        {form.Label1, Kind::Label, {144, 0, 111, 27}, "brelquin", -1, true, true},
        {form.Otworz_bt, Kind::Button, {8, 32, 75, 25}, "&Otwórz", 0, true, true},
        {form.konwertuj_bt, Kind::Button, {96, 32, 75, 25}, "&Konwertuj", 1, true, false},
        {form.Zamknij_bt, Kind::Button, {184, 32, 75, 25}, "&Zamknij", 5, true, true},
        {form.StatusBar1, Kind::StatusBar, {0, 67, 268, 19}, "", -1, true, true},
        {form.ProgressBar1, Kind::ProgressBar, {154, 4, 110, 14}, "", 4, true, true},
        {form.ListBox1, Kind::ListBox, {264, 8, 17, 25}, "", 2, false, true},
        {form.ListBox2, Kind::ListBox, {280, 8, 17, 25}, "", 3, false, true},
    };
    for (const Designed& d : designed) {
        SCOPED_TRACE(d.control->Name());
        EXPECT_EQ(d.control->kind(), d.kind);
        EXPECT_EQ(d.control->Bounds(), d.bounds);
        EXPECT_EQ(d.control->Caption(), d.caption);
        EXPECT_EQ(d.control->TabOrder(), d.tabOrder);
        EXPECT_EQ(d.control->Visible(), d.visible);
        EXPECT_EQ(d.control->Enabled(), d.enabled);
        if (d.control != form.Label1) {
            EXPECT_EQ(d.control->GetFont(), formFont);
        }
    }
    EXPECT_EQ(form.Label1->GetFont(), (components::Font{"Renfrew", -21, components::clNavy}));
    EXPECT_TRUE(form.CheckBox1->Checked());
    EXPECT_EQ(form.StatusBar1->Panels()[0].width, 150);
    EXPECT_EQ(form.StatusBar1->Panels()[1].width, 50);
    EXPECT_FALSE(form.StatusBar1->SizeGrip);
    EXPECT_FALSE(form.ProgressBar1->Smooth);
    // "&Otwórz" has the focus as the window first shows
    EXPECT_EQ(form.ActiveControl(), form.Otworz_bt);
}

TEST_F(Unit1Test, OpenRemembersTheLogAndReadiesConvert) {
    const std::string path = Write("flight.csv", kLog);
    Open(path);

    EXPECT_EQ(backend_.ErrorBoxes(), ErrorBoxes{});
    EXPECT_EQ(LogFileName, path);
    EXPECT_EQ(Form1->StatusBar1->Panels()[0].text, "flight.csv");
    EXPECT_TRUE(Form1->konwertuj_bt->Enabled());
    EXPECT_EQ(LineCount, 4u);
    EXPECT_EQ(Form1->ProgressBar1->Max(), 4);
    EXPECT_EQ(Form1->ProgressBar1->Position(), 0);

    ASSERT_EQ(backend_.ShownDialogs().size(), 1u);
    const auto& dialog = backend_.ShownDialogs()[0];
    EXPECT_EQ(dialog.filter, "Pliki logów (*.CSV) | *.CSV| Wszystkie pliki (*.*) | *.*");
    EXPECT_EQ(dialog.filterIndex, 1);
    EXPECT_EQ(dialog.options, unsigned(components::ofHideReadOnly | components::ofEnableSizing));

    // Nothing stays open: the log can be replaced at once.
    EXPECT_NO_THROW(platform::OutputFile(path, platform::OutputFile::Mode::CreateOrReplace));
}

TEST_F(Unit1Test, SecondLogReplacesTheFirstAndCancelKeepsIt) {
    Open(Write("first.csv", kLog));
    Convert();
    ASSERT_EQ(Form1->ProgressBar1->Position(), 4);

    const std::string second = Write("second.CSV", "Time;Latitude;Longitude\n1;2;3\n");
    Open(second);
    EXPECT_EQ(LogFileName, second);
    EXPECT_EQ(Form1->StatusBar1->Panels()[0].text, "second.CSV");
    EXPECT_EQ(Form1->ProgressBar1->Max(), 2);
    EXPECT_EQ(Form1->ProgressBar1->Position(), 0);

    backend_.WillCancel();
    Form1->Otworz_bt->Click();
    EXPECT_EQ(backend_.ShownDialogs().size(), 3u);
    EXPECT_EQ(LogFileName, second);
    EXPECT_EQ(Form1->StatusBar1->Panels()[0].text, "second.CSV");
    EXPECT_EQ(Form1->ProgressBar1->Max(), 2);
    EXPECT_TRUE(Form1->konwertuj_bt->Enabled());
    EXPECT_EQ(backend_.ErrorBoxes(), ErrorBoxes{});
}

TEST_F(Unit1Test, LogThatCannotBeOpenedIsReportedAndDisablesConvert) {
    const std::string good = Write("good.csv", kLog);
    const std::string held = Write("held.csv", kLog);
    // another program writing a log keeps readers out
    platform::OutputFile writer(held, platform::OutputFile::Mode::CreateOrReplace);

    struct Case {
        std::string path, box;
    };
    const Case cases[] = {
        {dir_.File("missing.csv"), "File not found."},
        {held, "I/O error 32."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        Open(good);
        ASSERT_TRUE(Form1->konwertuj_bt->Enabled());

        Open(c.path);
        EXPECT_EQ(backend_.ErrorBoxes().back(), (HeadlessBackend::ErrorBox{c.box, "Trasolin"}));
        EXPECT_FALSE(Form1->konwertuj_bt->Enabled());
        EXPECT_EQ(LogFileName, good);
        EXPECT_EQ(Form1->StatusBar1->Panels()[0].text, "good.csv");
        EXPECT_EQ(Form1->ProgressBar1->Max(), 4);
    }
    EXPECT_EQ(backend_.ErrorBoxes().size(), 2u);
}

TEST_F(Unit1Test, ProgressRangeIsTheLogsLineCount) {
    struct Case {
        const char* what;
        std::string bytes;
        std::int64_t range;
    };
    const Case cases[] = {
        {"CR LF line ends", kLog, 4},
        {"a blank line after the records", kLog + "\r\n", 5},
        // the conversion reads this as one line; the count sees four
        {"CR alone ends a line", "a;Latitude;Longitude\r1;2;3\r1;2;3\r1;2;3\r", 4},
        {"no end after the last line", "a;Latitude;Longitude\n1;2;3", 2},
        {"empty", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Open(Write("log.csv", c.bytes));
        EXPECT_EQ(Form1->ProgressBar1->Max(), c.range);
        EXPECT_EQ(LineCount, static_cast<std::uint64_t>(c.range));
    }
}

TEST_F(Unit1Test, StatusShowsTheLastPartOfThePath) {
    constexpr char separator = std::filesystem::path::preferred_separator;
    std::filesystem::create_directory(dir_.path() / "pilot's flights");
    struct Case {
        std::string name, shown;
    };
    const Case cases[] = {
        {"LOG00012.CSV", "LOG00012.CSV"},
        // the apostrophe opens a quoted stretch that runs over the separator
        {std::string("pilot's flights") + separator + "log1.csv",
         std::string("pilot's flights") + separator + "log1.csv"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Open(Write(c.name, kLog));
        EXPECT_EQ(Form1->StatusBar1->Panels()[0].text, c.shown);
    }
}

TEST_F(Unit1Test, ConvertShowsTheNumberOfLinesRead) {
    const std::string log = Write("flight.csv", kLog);
    Open(log);

    struct Seen {
        std::string caption;
        bool enabled, barShown;
    };
    std::vector<Seen> seen;
    backend_.OnPaint = [&] {
        seen.push_back({Form1->konwertuj_bt->Caption(), Form1->konwertuj_bt->Enabled(),
                        Form1->ProgressBar1->Visible()});
    };
    Convert();

    EXPECT_EQ(backend_.ErrorBoxes(), ErrorBoxes{});
    // the busy window shows before the run
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen[0].caption, "Czekaj!");
    EXPECT_FALSE(seen[0].enabled);
    EXPECT_TRUE(seen[0].barShown);

    EXPECT_EQ(Form1->konwertuj_bt->Caption(), "&Konwertuj");
    EXPECT_TRUE(Form1->konwertuj_bt->Enabled());
    EXPECT_FALSE(Form1->ProgressBar1->Visible());
    EXPECT_EQ(Form1->StatusBar1->Panels()[1].style, components::psText);
    EXPECT_EQ(Form1->StatusBar1->Panels()[1].text, "OK!  4 wpisów");
    EXPECT_EQ(LineNumber, 4u);

    const std::string track = dir_.File("flight.KML");
    std::string kml = ReadBytes(track);
    EXPECT_EQ(CountOf(kml, "<altitudeMode>clampToGround</altitudeMode>"), 1);
    EXPECT_EQ(CountOf(kml, "\r\n21.1,52.2,130\r\n"), 1);

    // "Płasko" cleared: the next track is drawn at the logged height
    Form1->CheckBox1->SetChecked(false);
    Convert();
    kml = ReadBytes(track);
    EXPECT_EQ(CountOf(kml, "<altitudeMode>relativeToGround</altitudeMode>"), 1);
    EXPECT_EQ(CountOf(kml, "clampToGround"), 0);
    EXPECT_EQ(Form1->StatusBar1->Panels()[1].text, "OK!  4 wpisów");
}

TEST_F(Unit1Test, ConvertThatStopsGivesTheButtonBack) {
    Open(Write("good.csv", kLog));
    Convert();
    ASSERT_EQ(Form1->StatusBar1->Panels()[1].text, "OK!  4 wpisów");

    // the blank fourth line has no longitude field (index 2)
    Open(Write("blank.csv", "Time;Latitude;Longitude;Alt_AGL\r\n"
                            "12:00:01;52.1;21.0;120\r\n"
                            "12:00:02;52.2;21.1;130\r\n"
                            "\r\n"
                            "12:00:04;52.4;21.3;150\r\n"));
    Convert();

    EXPECT_EQ(backend_.ErrorBoxes(),
              (ErrorBoxes{{"List index out of bounds (2)", "Trasolin"}}));
    EXPECT_EQ(Form1->konwertuj_bt->Caption(), "&Konwertuj");
    EXPECT_TRUE(Form1->konwertuj_bt->Enabled());
    // the bar stays shown where the run stopped; panel 1 keeps the earlier result
    EXPECT_TRUE(Form1->ProgressBar1->Visible());
    EXPECT_EQ(Form1->ProgressBar1->Position(), 4);
    EXPECT_EQ(LineNumber, 4u);
    EXPECT_EQ(Form1->StatusBar1->Panels()[1].style, components::psText);
    EXPECT_EQ(Form1->StatusBar1->Panels()[1].text, "OK!  4 wpisów");
}

TEST_F(Unit1Test, ZamknijClosesTheWindow) {
    Form1->Zamknij_bt->Click();
    EXPECT_TRUE(Form1->Closed());
    EXPECT_EQ(backend_.ClosedForms(), std::vector<const components::Form*>{Form1.get()});
}

} // namespace
