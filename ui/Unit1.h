#pragma once

// The unit of the main window: TForm1 with its controls and command handlers,
// and the state the commands share.

#include "platform/ui/components.h"
#include "ui/repaint_pacer.h"

#include <cstdint>
#include <memory>
#include <string>

class TForm1 : public components::Form {
public:
    // Creates the controls from Form1's stored description.
    TForm1();

    components::CheckBox* CheckBox1;
    components::Label* Label1;
    components::Button* Otworz_bt;
    components::Button* konwertuj_bt;
    components::Button* Zamknij_bt;
    components::StatusBar* StatusBar1;
    components::ProgressBar* ProgressBar1;
    components::ListBox* ListBox1;
    components::ListBox* ListBox2;

    // Lays the progress bar flat into the status bar's right part.
    void FormCreate();
    // Lets the user choose a log, checks it opens, and readies the convert button.
    void Otworz_btClick();
    // Converts the chosen log into its KML track, showing progress and outcome.
    void konwertuj_btClick();
    void Zamknij_btClick();

private:
    components::NotifyEvent MethodAddress(const std::string& name);
    void ReportProgress(std::uint64_t lineNumber);

    RepaintPacer repaintPacer_;
};

// The chosen log's path; empty until a log has been opened.
extern std::string LogFileName;
// The chosen log's number of text lines: the progress bar's maximum.
extern std::uint64_t LineCount;
// The running line number of the latest conversion.
extern std::uint64_t LineNumber;

extern std::unique_ptr<TForm1> Form1;
