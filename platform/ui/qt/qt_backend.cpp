#include "platform/ui/qt/qt_backend.h"

#include "platform/ui/native_backend.h"
#include "platform/ui/qt/controls.h"
#include "platform/ui/qt/dialogs.h"
#include "platform/ui/qt/form.h"

#include <QApplication>
#include <QFile>
#include <QIcon>

namespace components::qt {
namespace {

std::unique_ptr<WidgetPeer> CreatePeer(QtBackend& backend, Control& control, QWidget* parent) {
    switch (control.kind()) {
    case Kind::Button: return CreateButtonPeer(backend, static_cast<Button&>(control), parent);
    case Kind::CheckBox:
        return CreateCheckBoxPeer(backend, static_cast<CheckBox&>(control), parent);
    case Kind::Label: return CreateLabelPeer(backend, static_cast<Label&>(control), parent);
    case Kind::ListBox: return CreateListBoxPeer(backend, static_cast<ListBox&>(control), parent);
    case Kind::ProgressBar:
        return CreateProgressBarPeer(backend, static_cast<ProgressBar&>(control), parent);
    case Kind::StatusBar:
        return CreateStatusBarPeer(backend, static_cast<StatusBar&>(control), parent);
    case Kind::Form:
    case Kind::OpenDialog: break;
    }
    return nullptr;
}

FormWindow* WindowOf(const Form& form) {
    auto* peer = dynamic_cast<FormPeer*>(form.Peer());
    return peer ? &peer->Window() : nullptr;
}

} // namespace

QtBackend::QtBackend() {
    if (!QApplication::instance()) {
        static int argc = 1;
        static char name[] = "trasolin";
        static char* argv[] = {name, nullptr};
        application_ = std::make_unique<QApplication>(argc, argv);
    }
    // the loop ends when the main form closes, not when its last window goes
    QApplication::setQuitOnLastWindowClosed(false);
    // lets the desktop match the windows to trasolin.desktop and its icon
    QGuiApplication::setDesktopFileName(QStringLiteral("trasolin"));
    if (QFile::exists(QStringLiteral(":/trasolin.png")))
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/trasolin.png")));
}

QtBackend::~QtBackend() = default;

void QtBackend::Realize(Form& form) {
    auto formPeer = std::make_unique<FormPeer>(*this, form);
    QWidget* window = formPeer->Widget();
    form.AttachPeer(std::move(formPeer));
    static_cast<FormPeer*>(form.Peer())->UpdateAll();

    // every widget starts in the window; showing its state then moves it into
    // its own parent, which by then has a widget too
    std::vector<WidgetPeer*> peers;
    for (const auto& component : form.Components()) {
        auto* control = dynamic_cast<Control*>(component.get());
        if (!control) continue;
        if (auto peer = CreatePeer(*this, *control, window)) {
            peers.push_back(peer.get());
            control->AttachPeer(std::move(peer));
        }
    }
    for (WidgetPeer* peer : peers) peer->UpdateAll();
}

void QtBackend::Run(Form& mainForm) {
    mainForm_ = &mainForm;
    if (!mainForm.Closed()) QApplication::exec();
    mainForm_ = nullptr;
}

void QtBackend::CloseForm(Form& form) {
    if (FormWindow* window = WindowOf(form)) window->CloseForForm();
    if (&form == mainForm_) QApplication::quit();
}

void QtBackend::ProcessPaintMessages() {
    inPaintPass_ = true;
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    inPaintPass_ = false;
}

void QtBackend::ShowErrorBox(const std::string& text, const std::string& caption) {
    RunErrorBox(text, caption, DialogOwner());
}

bool QtBackend::ExecuteOpenDialog(OpenDialog& dialog, Form& owner) {
    QWidget* window = WindowOf(owner);
    return RunOpenDialog(dialog, window && window->isVisible() ? window : DialogOwner(),
                         openDirectory_);
}

QWidget* QtBackend::DialogOwner() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* active = QApplication::activeWindow()) return active;
    if (TheApplication && TheApplication->MainForm()) return WindowOf(*TheApplication->MainForm());
    return nullptr;
}

} // namespace components::qt

namespace components {

std::unique_ptr<Backend> CreateNativeBackend() { return std::make_unique<qt::QtBackend>(); }

} // namespace components
