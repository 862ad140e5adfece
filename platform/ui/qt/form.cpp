#include "platform/ui/qt/form.h"

#include "platform/ui/qt/fonts.h"
#include "platform/ui/qt/qt_backend.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <vector>

namespace components::qt {
namespace {

Qt::WindowFlags WindowFlagsFor(const Form& form) {
    Qt::WindowFlags flags = Qt::Window;
    // A tool window has a caption with a close box only. Qt::Tool would give that
    // too, but would also keep the program off the taskbar, where it belongs.
    if (form.Border == bsToolWindow)
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    if (form.Style == fsStayOnTop) flags |= Qt::WindowStaysOnTopHint;
    return flags;
}

} // namespace

FormWindow::FormWindow(QtBackend& backend, Form& form)
    : QWidget(nullptr, WindowFlagsFor(form)), backend_(backend), form_(form) {
    if (form.Border == bsToolWindow)
        setFixedSize(form.ClientWidth, form.ClientHeight);
    else
        resize(form.ClientWidth, form.ClientHeight);
    if (auto color = ColorFor(form.BackColor)) {
        QPalette background = palette();
        background.setColor(QPalette::Window, *color);
        setPalette(background);
        setAutoFillBackground(true);
    }
}

void FormWindow::CloseForForm() {
    if (!inCloseEvent_) close();
}

void FormWindow::closeEvent(QCloseEvent* event) {
    if (!form_.Closed()) {
        // the close box during a command: the window takes no input until it ends
        if (event->spontaneous() && backend_.InPaintPass()) {
            event->ignore();
            return;
        }
        inCloseEvent_ = true;
        form_.Close();
        inCloseEvent_ = false;
    }
    event->accept();
}

FormPeer::FormPeer(QtBackend& backend, Form& form)
    : WidgetPeer(backend, form, new FormWindow(backend, form)), form_(form),
      window_(static_cast<FormWindow*>(Widget())) {}

void FormPeer::Update(Property changed) {
    switch (changed) {
    case Property::Bounds: // the client size is fixed; the left and top are read at first show
    case Property::Parent:
    case Property::TabOrder: return;
    case Property::Visible:
        if (form_.Visible())
            ShowWindow();
        else
            window_->hide();
        break;
    case Property::Caption: window_->setWindowTitle(QString::fromUtf8(form_.Caption())); break;
    case Property::Focus: FocusActiveControl(); break;
    default: WidgetPeer::Update(changed); break;
    }
}

void FormPeer::ShowWindow() {
    const bool firstShow = !shownBefore_;
    shownBefore_ = true;
    if (firstShow) {
        ApplyTabOrder();
        PlaceWindow();
    }
    window_->show();
    if (firstShow) {
        // where the platform has framed the window by now, its outer size is known
        PlaceWindow();
        window_->activateWindow();
        FocusActiveControl();
    }
}

void FormPeer::PlaceWindow() {
    if (form_.Position != poMainFormCenter) {
        window_->move(form_.Bounds().left, form_.Bounds().top);
        return;
    }
    // Centred on the primary screen by the window's outer size. Before the window
    // is first shown Qt knows no frame, so the outer size is then the client size;
    // an X11 window manager tells its frame only some time after the window shows.
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary) return;
    const QRect screen = primary->geometry();
    const QSize outer = window_->frameGeometry().size();
    window_->move(screen.x() + std::max(0, (screen.width() - outer.width()) / 2),
                  screen.y() + std::max(0, (screen.height() - outer.height()) / 2));
}

void FormPeer::FocusActiveControl() {
    if (QWidget* widget = WidgetOf(form_.ActiveControl())) widget->setFocus(Qt::OtherFocusReason);
}

void FormPeer::ApplyTabOrder() {
    std::vector<const Control*> stops;
    for (const auto& component : form_.Components()) {
        auto* control = dynamic_cast<const Control*>(component.get());
        QWidget* widget = WidgetOf(control);
        if (control && widget && control->TabOrder() >= 0 && (widget->focusPolicy() & Qt::TabFocus))
            stops.push_back(control);
    }
    std::stable_sort(stops.begin(), stops.end(), [](const Control* a, const Control* b) {
        return a->TabOrder() < b->TabOrder();
    });
    for (std::size_t i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(WidgetOf(stops[i - 1]), WidgetOf(stops[i]));
}

FormPeer* FormPeerOf(const Control& control) {
    const Control* top = &control;
    while (top->Parent()) top = top->Parent();
    return top->kind() == Kind::Form ? dynamic_cast<FormPeer*>(top->Peer()) : nullptr;
}

} // namespace components::qt
