#include "platform/ui/headless/headless_backend.h"

#include <memory>

namespace components::headless {
namespace {

class Peer : public ControlPeer {
public:
    explicit Peer(const Control& control) : control_(control) {}
    void Update(Property) override {}
    std::intptr_t Handle() const override {
#ifdef _WIN32
        return 0; // there user32 takes handles, and no window stands behind this one
#else
        return reinterpret_cast<std::intptr_t>(&control_);
#endif
    }

private:
    const Control& control_;
};

void Attach(Control& control) {
    control.AttachPeer(std::make_unique<Peer>(control));
    // a bar as wide as designed shows no more steps than it has pixels
    if (auto* bar = dynamic_cast<ProgressBar*>(&control)) bar->SetShownSteps(bar->Bounds().width);
}

} // namespace

void HeadlessBackend::Realize(Form& form) {
    Attach(form);
    for (const auto& component : form.Components())
        if (auto* control = dynamic_cast<Control*>(component.get())) Attach(*control);
}

void HeadlessBackend::Run(Form&) { ++runs_; }

void HeadlessBackend::CloseForm(Form& form) { closedForms_.push_back(&form); }

void HeadlessBackend::ProcessPaintMessages() {
    ++paints_;
    if (OnPaint) OnPaint();
}

void HeadlessBackend::ShowErrorBox(const std::string& text, const std::string& caption) {
    errorBoxes_.push_back({text, caption});
}

bool HeadlessBackend::ExecuteOpenDialog(OpenDialog& dialog, Form&) {
    shownDialogs_.push_back({dialog.Filter, dialog.FilterIndex, dialog.Options});
    if (answers_.empty()) return false;
    std::optional<std::string> answer = std::move(answers_.front());
    answers_.pop_front();
    if (!answer) return false;
    dialog.FileName = *answer;
    return true;
}

} // namespace components::headless
