#pragma once

// The native side of a control: one Qt widget that mirrors the control's state.

#include "platform/ui/components.h"

#include <QPointer>
#include <QWidget>

namespace components::qt {

class QtBackend;

class WidgetPeer : public ControlPeer {
public:
    // Takes the widget; it goes with the peer unless its Qt parent deletes it first.
    WidgetPeer(QtBackend& backend, Control& control, QWidget* widget);
    ~WidgetPeer() override;

    void Update(Property changed) override;
    // Qt has no window handles: the handle is the control's own address.
    std::intptr_t Handle() const override { return reinterpret_cast<std::intptr_t>(&control_); }

    // Shows the control's whole state, as after its creation.
    void UpdateAll();
    QWidget* Widget() const { return widget_; }
    Control& GetControl() const { return control_; }

protected:
    // What the common properties leave to each kind of control.
    virtual void UpdateOwn(Property) {}
    QtBackend& backend() const { return backend_; }

private:
    void ShowParent();
    void ShowFont();

    QtBackend& backend_;
    Control& control_;
    QPointer<QWidget> widget_;
};

// The widget showing the control, or nullptr before the control is realized.
QWidget* WidgetOf(const Control* control);

} // namespace components::qt
