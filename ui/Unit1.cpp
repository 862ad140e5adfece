#include "ui/Unit1.h"

#include "conversion/convert_log.h"
#include "conversion/field_splitter.h"
#include "conversion/line_count.h"
#include "platform/file/file.h"
#include "platform/ui/form_description.h"
#include "platform/ui/window_long.h"
#include "ui/Unit1_form.h"

#include <filesystem>
#include <map>

using namespace components;

std::string LogFileName;
std::uint64_t LineCount = 0;
std::uint64_t LineNumber = 0;
std::unique_ptr<TForm1> Form1;

namespace {

// The file's own name is the last part of its path; the platform's separator cuts it.
constexpr unsigned char kPathDelimiter = std::filesystem::path::preferred_separator;

const char* const kLogFilter = "Pliki logów (*.CSV) | *.CSV| Wszystkie pliki (*.*) | *.*";
const char* const kConvertCaption = "&Konwertuj";

} // namespace

TForm1::TForm1() : Form("Form1") {
    LoadForm(*this, Form1Description(), [this](const std::string& name) { return MethodAddress(name); });
    CheckBox1 = &FindComponent<CheckBox>(*this, "CheckBox1");
    Label1 = &FindComponent<Label>(*this, "Label1");
    Otworz_bt = &FindComponent<Button>(*this, "Otworz_bt");
    konwertuj_bt = &FindComponent<Button>(*this, "konwertuj_bt");
    Zamknij_bt = &FindComponent<Button>(*this, "Zamknij_bt");
    StatusBar1 = &FindComponent<StatusBar>(*this, "StatusBar1");
    ProgressBar1 = &FindComponent<ProgressBar>(*this, "ProgressBar1");
    ListBox1 = &FindComponent<ListBox>(*this, "ListBox1");
    ListBox2 = &FindComponent<ListBox>(*this, "ListBox2");
}

NotifyEvent TForm1::MethodAddress(const std::string& name) {
    static const std::map<std::string, void (TForm1::*)()> methods = {
        {"FormCreate", &TForm1::FormCreate},
        {"Otworz_btClick", &TForm1::Otworz_btClick},
        {"konwertuj_btClick", &TForm1::konwertuj_btClick},
        {"Zamknij_btClick", &TForm1::Zamknij_btClick},
    };
    auto found = methods.find(name);
    if (found == methods.end()) return {};
    return [this, method = found->second] { (this->*method)(); };
}

void TForm1::FormCreate() {
    // nothing draws panel 1: it shows blank until a conversion writes its result there
    StatusBar1->SetPanelStyle(1, psOwnerDraw);
    ProgressBar1->SetParent(StatusBar1);
    // drop the sunken edge the progress control is born with, so it sits flat in the bar
    HWND bar = reinterpret_cast<HWND>(ProgressBar1->Handle());
    SetWindowLongA(bar, GWL_EXSTYLE, GetWindowLongA(bar, GWL_EXSTYLE) & ~WS_EX_STATICEDGE);
}

void TForm1::Otworz_btClick() {
    // every click makes a new dialog; the form keeps them until it goes
    auto& dialog = Create<OpenDialog>(*this);
    dialog.Filter = kLogFilter;
    dialog.FilterIndex = 1;
    dialog.Options = ofHideReadOnly | ofEnableSizing;
    if (!dialog.Execute()) return;

    try {
        // open as the check that the log can be read; it stays open until the end
        platform::InputFile log(dialog.FileName);
        LogFileName = dialog.FileName;
        platform::StringList& pathParts = ListBox2->Items();
        conversion::ExtractFields({kPathDelimiter}, {}, LogFileName, &pathParts);
        StatusBar1->SetPanelText(0, pathParts.Get(pathParts.Count() - 1));
        konwertuj_bt->SetEnabled(true);
        LineCount = conversion::CountLogLines(LogFileName);
        ProgressBar1->SetMax(static_cast<std::int64_t>(LineCount));
        ProgressBar1->SetPosition(0);
    } catch (...) {
        konwertuj_bt->SetEnabled(false);
        throw;
    }
}

void TForm1::konwertuj_btClick() {
    konwertuj_bt->SetCaption("Czekaj!");
    konwertuj_bt->SetEnabled(false);
    ProgressBar1->Show();
    // let the busy button and the bar show before the run holds the thread
    TheApplication->ProcessPaintMessages();
    repaintPacer_.Restart();

    std::uint64_t entryCount = 0;
    try {
        LineNumber = 0;
        entryCount = conversion::ConvertLog({LogFileName, CheckBox1->Checked()},
                                            [this](std::uint64_t n) { ReportProgress(n); });
    } catch (...) {
        // the button comes back so the run can be tried again; the bar and panel 1
        // stay as the run left them
        konwertuj_bt->SetCaption(kConvertCaption);
        konwertuj_bt->SetEnabled(true);
        throw;
    }

    konwertuj_bt->SetCaption(kConvertCaption);
    konwertuj_bt->SetEnabled(true);
    ProgressBar1->Hide();
    StatusBar1->SetPanelStyle(1, psText);
    StatusBar1->SetPanelText(1, "OK!  " + std::to_string(entryCount) + " wpisów");
}

void TForm1::ReportProgress(std::uint64_t lineNumber) {
    LineNumber = lineNumber;
    ProgressBar1->SetPosition(static_cast<std::int64_t>(lineNumber));
    // the window repaints now and then, but takes no input until the run ends
    if (repaintPacer_.Due()) TheApplication->ProcessPaintMessages();
}

void TForm1::Zamknij_btClick() { Close(); }
