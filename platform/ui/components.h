#pragma once

// The component layer: the window program's forms and controls as plain objects
// that hold their own state. A backend (Win32, Qt, or headless for tests) gives
// each control a native peer that mirrors that state and feeds user actions back
// (Button::Click, CheckBox::SetChecked, Form::Close). Nothing here knows a
// windowing system. Texts are byte strings in the system's code page (UTF-8 on
// our platforms), never converted.

#include "platform/string_list.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace components {

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Rect&) const = default;
};

// Colours as Windows stores them: 0x00BBGGRR, or a system colour.
using Color = std::uint32_t;
constexpr Color clNavy = 0x00800000;
constexpr Color clWindowText = 0x80000008; // system colours: 0x80000000 | COLOR_* index
constexpr Color clBtnFace = 0x8000000F;
constexpr Color clBtnText = 0x80000012;

struct Font {
    std::string name = "MS Sans Serif";
    int height = -11; // negative: character height in pixels, as Windows' lfHeight
    Color color = clWindowText;
    bool operator==(const Font&) const = default;
};

using NotifyEvent = std::function<void()>;

enum class Property {
    Bounds, Visible, Enabled, Caption, Parent, Font, TabOrder, ExStyle, // every control
    Checked,                 // CheckBox
    Range, Position,         // ProgressBar
    Panels,                  // StatusBar
    Focus,                   // Form: ActiveControl
};

// What a backend attaches to a control: told of every change of the control's
// state, it reads the new state from the control and shows it.
class ControlPeer {
public:
    virtual ~ControlPeer() = default;
    virtual void Update(Property changed) = 0;
    // The native window, or 0 where there is none. Where the windowing system has
    // no window handles (Qt, headless) it is the control's own address, which the
    // window-long stand-ins of platform/ui/window_long.h rely on.
    virtual std::intptr_t Handle() const { return 0; }
};

enum class Kind { Form, Button, CheckBox, Label, ListBox, ProgressBar, StatusBar, OpenDialog };

class Form;

// Anything a form owns: controls and dialogs.
class Component {
public:
    Component(Kind kind, std::string name) : kind_(kind), name_(std::move(name)) {}
    virtual ~Component() = default;
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    Kind kind() const { return kind_; }
    const std::string& Name() const { return name_; }

private:
    Kind kind_;
    std::string name_;
};

class Control : public Component {
public:
    using Component::Component;

    // The control it lies in: its form, or for the progress bar the status bar.
    Control* Parent() const { return parent_; }
    void SetParent(Control* parent);
    // Left and top count from the parent's client area.
    const Rect& Bounds() const { return bounds_; }
    void SetBounds(const Rect& bounds);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    const Font& GetFont() const { return font_; }
    void SetFont(const Font& font);
    // Place in the Tab cycle; -1 for a control Tab does not stop at.
    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int order);
    // Extended window style bits, Win32 numbering (WS_EX_STATICEDGE is 0x20000).
    std::uint32_t ExStyle() const { return exStyle_; }
    void SetExStyle(std::uint32_t exStyle);

    ControlPeer* Peer() const { return peer_.get(); }
    void AttachPeer(std::unique_ptr<ControlPeer> peer) { peer_ = std::move(peer); }
    std::intptr_t Handle() const { return peer_ ? peer_->Handle() : 0; }

protected:
    void Changed(Property property) {
        if (peer_) peer_->Update(property);
    }

private:
    Control* parent_ = nullptr;
    Rect bounds_;
    bool visible_ = true;
    bool enabled_ = true;
    std::string caption_;
    Font font_;
    int tabOrder_ = -1;
    std::uint32_t exStyle_ = 0;
    std::unique_ptr<ControlPeer> peer_;
};

class Button : public Control {
public:
    explicit Button(std::string name) : Control(Kind::Button, std::move(name)) {}
    NotifyEvent OnClick;
    // What a click does: runs OnClick, its errors going to the application's error box.
    void Click();
};

class CheckBox : public Control {
public:
    explicit CheckBox(std::string name) : Control(Kind::CheckBox, std::move(name)) {}
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);

private:
    bool checked_ = false;
};

class Label : public Control {
public:
    explicit Label(std::string name) : Control(Kind::Label, std::move(name)) {}
    bool AutoSize = true; // the backend sizes it to its caption in its font
};

// A list box; the program uses hidden ones as string lists.
class ListBox : public Control {
public:
    explicit ListBox(std::string name) : Control(Kind::ListBox, std::move(name)) {}
    platform::StringList& Items() { return items_; }

private:
    platform::StringList items_;
};

class ProgressBar : public Control {
public:
    // The native progress control carries a sunken edge (WS_EX_STATICEDGE) from
    // its creation; the model starts with it too.
    explicit ProgressBar(std::string name) : Control(Kind::ProgressBar, std::move(name)) {
        SetExStyle(0x20000);
    }
    std::int64_t Min() const { return min_; }
    std::int64_t Max() const { return max_; }
    void SetMax(std::int64_t max);
    std::int64_t Position() const { return position_; }
    // Kept within Min..Max: a position past the maximum shows a full bar. Called
    // once per log line, so the peer hears of a position only when the bar may
    // look different from before (see SetShownSteps).
    void SetPosition(std::int64_t position) {
        position = std::clamp(position, min_, max_);
        if (position == position_) return;
        position_ = position;
        if (position < stepStart_ || position >= nextStepStart_) ShowPosition();
    }
    // How many different looks the bar has over its range (its width in pixels,
    // say), as its peer knows; 0, as at first, when any position may look new.
    void SetShownSteps(std::int64_t steps);
    bool Smooth = false; // segmented, as designed

private:
    // Finds the positions that look like the present one, then tells the peer.
    void ShowPosition();
    void FindStep();

    std::int64_t min_ = 0, max_ = 100, position_ = 0;
    std::int64_t shownSteps_ = 0;
    std::int64_t stepStart_ = 0, nextStepStart_ = 0; // positions that look like position_
};

enum PanelStyle { psText, psOwnerDraw };

struct StatusPanel {
    int width = 50; // the last panel takes the rest of the bar whatever its width
    PanelStyle style = psText;
    std::string text;
};

class StatusBar : public Control {
public:
    explicit StatusBar(std::string name) : Control(Kind::StatusBar, std::move(name)) {}
    const std::vector<StatusPanel>& Panels() const { return panels_; }
    void AddPanel(int width);
    void SetPanelText(std::size_t index, const std::string& text);
    void SetPanelStyle(std::size_t index, PanelStyle style);
    bool SizeGrip = false;

private:
    std::vector<StatusPanel> panels_;
};

enum OpenOption { ofHideReadOnly = 1, ofEnableSizing = 2 };

struct FilterEntry {
    std::string description, pattern;
    bool operator==(const FilterEntry&) const = default;
};

// A filter text cut at every "|" into description and pattern pairs, blanks kept.
std::vector<FilterEntry> ParseFilter(const std::string& filter);

class OpenDialog : public Component {
public:
    explicit OpenDialog(Form& owner, std::string name = "OpenDialog1");
    std::string Filter;
    int FilterIndex = 1; // 1-based, as selected when the dialog opens
    unsigned Options = 0;
    std::string FileName; // the chosen file after Execute() returned true
    // Shows the dialog modally; false when the user cancelled or it failed.
    bool Execute();

private:
    Form& owner_;
};

enum BorderStyle { bsSizeable, bsToolWindow };
enum FormStyle { fsNormal, fsStayOnTop };
enum Placement { poDesigned, poMainFormCenter };

class Form : public Control {
public:
    // Hidden until the application has created its windows and run OnCreate.
    explicit Form(std::string name) : Control(Kind::Form, std::move(name)) { SetVisible(false); }
    ~Form() override;

    // The form owns what it creates.
    template <class T, class... Args>
    T& Create(Args&&... args) {
        auto component = std::make_unique<T>(std::forward<Args>(args)...);
        T& result = *component;
        components_.push_back(std::move(component));
        return result;
    }
    const std::vector<std::unique_ptr<Component>>& Components() const { return components_; }
    Component* Find(const std::string& name) const;

    int ClientWidth = 0, ClientHeight = 0;
    BorderStyle Border = bsSizeable;
    FormStyle Style = fsNormal;
    Placement Position = poDesigned;
    Color BackColor = clBtnFace;
    bool Scaled = false;
    NotifyEvent OnCreate;

    Control* ActiveControl() const { return activeControl_; }
    void SetActiveControl(Control* control);

    // Closes the window; closing the main form ends the program.
    void Close();
    bool Closed() const { return closed_; }

private:
    std::vector<std::unique_ptr<Component>> components_;
    Control* activeControl_ = nullptr;
    bool closed_ = false;
};

// What the windowing system does for the layer. One backend is linked in.
class Backend {
public:
    virtual ~Backend() = default;
    // Creates the native windows of a form and its controls, the form hidden; it
    // shows when its Visible becomes true. Controls' peers are attached here.
    virtual void Realize(Form& form) = 0;
    // Runs the message loop until the main form closes.
    virtual void Run(Form& mainForm) = 0;
    virtual void CloseForm(Form& form) = 0;
    // Lets windows repaint while a command runs, without taking user input.
    virtual void ProcessPaintMessages() = 0;
    // A modal box with the stop icon and one OK button.
    virtual void ShowErrorBox(const std::string& text, const std::string& caption) = 0;
    // Shows the dialog modally; on OK sets dialog.FileName and returns true.
    virtual bool ExecuteOpenDialog(OpenDialog& dialog, Form& owner) = 0;
};

// The text the error box shows for a message: a full stop is added when the
// message is not empty and its last byte sorts after "." (unsigned).
std::string ErrorBoxText(const std::string& message);

class Application {
public:
    explicit Application(Backend& backend) : backend_(backend) {}

    void Initialize() {}
    std::string Title;

    // Constructs the form (which creates its components from its description),
    // creates its windows, runs its OnCreate and shows it. The first form created
    // becomes the main form.
    template <class TForm>
    void CreateForm(std::unique_ptr<TForm>& form) {
        form = std::make_unique<TForm>();
        AddForm(*form);
    }
    void Run();
    Form* MainForm() const { return mainForm_; }

    // Runs a handler; an error leaving it is shown in the error box.
    void Handle(const NotifyEvent& handler);
    void ShowException(const std::exception& error);
    void ProcessPaintMessages() { backend_.ProcessPaintMessages(); }

    Backend& backend() const { return backend_; }

private:
    void AddForm(Form& form);

    Backend& backend_;
    Form* mainForm_ = nullptr;
};

// The program's application object, as set by its entry point.
extern Application* TheApplication;

} // namespace components
