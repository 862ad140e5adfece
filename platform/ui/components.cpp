#include "platform/ui/components.h"

#include <algorithm>
#include <limits>

namespace components {

Application* TheApplication = nullptr;

void Control::SetParent(Control* parent) {
    if (parent_ == parent) return;
    parent_ = parent;
    Changed(Property::Parent);
}

void Control::SetBounds(const Rect& bounds) {
    if (bounds_ == bounds) return;
    bounds_ = bounds;
    Changed(Property::Bounds);
}

void Control::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    Changed(Property::Visible);
}

void Control::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Changed(Property::Enabled);
}

void Control::SetCaption(const std::string& caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    Changed(Property::Caption);
}

void Control::SetFont(const Font& font) {
    if (font_ == font) return;
    font_ = font;
    Changed(Property::Font);
}

void Control::SetTabOrder(int order) {
    if (tabOrder_ == order) return;
    tabOrder_ = order;
    Changed(Property::TabOrder);
}

void Control::SetExStyle(std::uint32_t exStyle) {
    if (exStyle_ == exStyle) return;
    exStyle_ = exStyle;
    Changed(Property::ExStyle);
}

void Button::Click() {
    if (!OnClick) return;
    if (TheApplication)
        TheApplication->Handle(OnClick);
    else
        OnClick();
}

void CheckBox::SetChecked(bool checked) {
    if (checked_ == checked) return;
    checked_ = checked;
    Changed(Property::Checked);
}

void ProgressBar::SetMax(std::int64_t max) {
    if (max_ == max) return;
    max_ = std::max(max, min_);
    position_ = std::clamp(position_, min_, max_);
    FindStep();
    Changed(Property::Range);
}

void ProgressBar::SetShownSteps(std::int64_t steps) {
    shownSteps_ = std::max<std::int64_t>(steps, 0);
    FindStep();
}

void ProgressBar::ShowPosition() {
    FindStep();
    Changed(Property::Position);
}

void ProgressBar::FindStep() {
    const auto span = static_cast<unsigned __int128>(max_ - min_);
    if (shownSteps_ == 0 || span == 0) {
        stepStart_ = nextStepStart_ = position_; // every other position is news
        return;
    }
    // the step a position shows is (position - min) * steps / span, rounded down;
    // the first position of step k is min + ceil(k * span / steps)
    const auto steps = static_cast<unsigned __int128>(shownSteps_);
    const auto step = static_cast<unsigned __int128>(position_ - min_) * steps / span;
    auto firstOf = [&](unsigned __int128 k) {
        return min_ + static_cast<std::int64_t>((k * span + steps - 1) / steps);
    };
    stepStart_ = firstOf(step);
    nextStepStart_ = step >= steps ? std::numeric_limits<std::int64_t>::max() : firstOf(step + 1);
}

void StatusBar::AddPanel(int width) {
    panels_.push_back({width, psText, {}});
    Changed(Property::Panels);
}

void StatusBar::SetPanelText(std::size_t index, const std::string& text) {
    if (index >= panels_.size()) throw platform::ListIndexError(index);
    panels_[index].text = text;
    Changed(Property::Panels);
}

void StatusBar::SetPanelStyle(std::size_t index, PanelStyle style) {
    if (index >= panels_.size()) throw platform::ListIndexError(index);
    panels_[index].style = style;
    Changed(Property::Panels);
}

std::vector<FilterEntry> ParseFilter(const std::string& filter) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (;;) {
        std::size_t bar = filter.find('|', start);
        pieces.push_back(filter.substr(start, bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    std::vector<FilterEntry> entries;
    for (std::size_t i = 0; i + 1 < pieces.size(); i += 2) entries.push_back({pieces[i], pieces[i + 1]});
    return entries;
}

OpenDialog::OpenDialog(Form& owner, std::string name)
    : Component(Kind::OpenDialog, std::move(name)), owner_(owner) {}

bool OpenDialog::Execute() {
    if (!TheApplication) return false;
    return TheApplication->backend().ExecuteOpenDialog(*this, owner_);
}

Form::~Form() = default;

Component* Form::Find(const std::string& name) const {
    for (const auto& component : components_)
        if (component->Name() == name) return component.get();
    return nullptr;
}

void Form::SetActiveControl(Control* control) {
    if (activeControl_ == control) return;
    activeControl_ = control;
    Changed(Property::Focus);
}

void Form::Close() {
    if (closed_) return;
    closed_ = true;
    if (TheApplication) TheApplication->backend().CloseForm(*this);
}

std::string ErrorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
    return message;
}

void Application::AddForm(Form& form) {
    backend_.Realize(form);
    if (form.OnCreate) Handle(form.OnCreate);
    form.Show();
    if (!mainForm_) mainForm_ = &form;
}

void Application::Run() {
    if (mainForm_ && !mainForm_->Closed()) backend_.Run(*mainForm_);
}

void Application::Handle(const NotifyEvent& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        ShowException(error);
    }
}

void Application::ShowException(const std::exception& error) {
    backend_.ShowErrorBox(ErrorBoxText(error.what()), Title);
}

} // namespace components
