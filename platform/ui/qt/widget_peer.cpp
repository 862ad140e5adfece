#include "platform/ui/qt/widget_peer.h"

#include "platform/ui/qt/fonts.h"
#include "platform/ui/qt/form.h"
#include "platform/ui/qt/qt_backend.h"

namespace components::qt {

WidgetPeer::WidgetPeer(QtBackend& backend, Control& control, QWidget* widget)
    : backend_(backend), control_(control), widget_(widget) {
    widget_->setObjectName(QString::fromUtf8(control.Name()));
}

WidgetPeer::~WidgetPeer() { delete widget_; }

void WidgetPeer::Update(Property changed) {
    if (!widget_) return;
    switch (changed) {
    case Property::Parent: ShowParent(); break;
    case Property::Bounds: {
        const Rect& bounds = control_.Bounds();
        widget_->setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
        break;
    }
    case Property::Visible: widget_->setVisible(control_.Visible()); break;
    case Property::Enabled: widget_->setEnabled(control_.Enabled()); break;
    case Property::Font: ShowFont(); break;
    case Property::TabOrder:
        if (FormPeer* form = FormPeerOf(control_)) form->ApplyTabOrder();
        break;
    default: break;
    }
    UpdateOwn(changed);
}

void WidgetPeer::UpdateAll() {
    for (Property property :
         {Property::Parent, Property::Bounds, Property::Font, Property::Caption, Property::Enabled,
          Property::ExStyle, Property::Checked, Property::Range, Property::Position,
          Property::Panels, Property::Visible})
        Update(property);
}

void WidgetPeer::ShowParent() {
    QWidget* parent = WidgetOf(control_.Parent());
    if (!parent || widget_->parentWidget() == parent) return;
    widget_->setParent(parent);
    const Rect& bounds = control_.Bounds();
    widget_->setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
    widget_->setVisible(control_.Visible());
    // over whatever the new parent shows there (the progress bar over a status panel)
    widget_->raise();
}

void WidgetPeer::ShowFont() {
    const Font& font = control_.GetFont();
    widget_->setFont(FontFor(font));
    if (auto color = ColorFor(font.color)) {
        QPalette palette = widget_->palette();
        palette.setColor(QPalette::WindowText, *color);
        palette.setColor(QPalette::Text, *color);
        widget_->setPalette(palette);
    }
}

QWidget* WidgetOf(const Control* control) {
    if (!control) return nullptr;
    auto* peer = dynamic_cast<WidgetPeer*>(control->Peer());
    return peer ? peer->Widget() : nullptr;
}

} // namespace components::qt
