#pragma once

// A backend without windows, for tests: controls keep their state in the model
// only, the open dialog gives scripted answers, and error boxes, paints and
// closes are recorded for the test to read.

#include "platform/ui/components.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace components::headless {

class HeadlessBackend : public Backend {
public:
    struct ErrorBox {
        std::string text, caption;
        bool operator==(const ErrorBox&) const = default;
    };
    // What the open dialog was set up with when it was shown.
    struct ShownDialog {
        std::string filter;
        int filterIndex = 0;
        unsigned options = 0;
    };

    // Gives every control of the form a peer whose handle is the control's address
    // (0 on Windows, where handles are user32's).
    void Realize(Form& form) override;
    // Returns at once: the test drives the form itself.
    void Run(Form& mainForm) override;
    void CloseForm(Form& form) override;
    void ProcessPaintMessages() override;
    void ShowErrorBox(const std::string& text, const std::string& caption) override;
    // Takes the next scripted answer; with none left the user cancels.
    bool ExecuteOpenDialog(OpenDialog& dialog, Form& owner) override;

    // Scripts the open dialog's next answers, in order.
    void WillChooseFile(const std::string& fileName) { answers_.emplace_back(fileName); }
    void WillCancel() { answers_.emplace_back(std::nullopt); }

    const std::vector<ErrorBox>& ErrorBoxes() const { return errorBoxes_; }
    const std::vector<ShownDialog>& ShownDialogs() const { return shownDialogs_; }
    const std::vector<const Form*>& ClosedForms() const { return closedForms_; }
    int RunCount() const { return runs_; }
    int PaintCount() const { return paints_; }
    // Called at each paint, so a test can see what the window shows meanwhile.
    std::function<void()> OnPaint;

private:
    std::deque<std::optional<std::string>> answers_;
    std::vector<ErrorBox> errorBoxes_;
    std::vector<ShownDialog> shownDialogs_;
    std::vector<const Form*> closedForms_;
    int runs_ = 0;
    int paints_ = 0;
};

} // namespace components::headless
