#pragma once

// A form as a top-level Qt window.

#include "platform/ui/qt/widget_peer.h"

#include <QWidget>

namespace components::qt {

class FormWindow : public QWidget {
public:
    FormWindow(QtBackend& backend, Form& form);

    // Closes the window for Form::Close, which has already marked the form closed.
    void CloseForForm();

protected:
    // The close box asks the form to close, so that the main form ends the program.
    void closeEvent(QCloseEvent* event) override;

private:
    QtBackend& backend_;
    Form& form_;
    bool inCloseEvent_ = false;
};

class FormPeer : public WidgetPeer {
public:
    FormPeer(QtBackend& backend, Form& form);

    void Update(Property changed) override;
    // Chains the focusable controls in their tab order; Qt's Tab skips the
    // disabled and hidden ones.
    void ApplyTabOrder();
    FormWindow& Window() const { return *window_; }

private:
    void ShowWindow();
    void PlaceWindow();
    void FocusActiveControl();

    Form& form_;
    FormWindow* window_;
    bool shownBefore_ = false;
};

// The peer of the form the control lies in, or nullptr before it is realized.
FormPeer* FormPeerOf(const Control& control);

} // namespace components::qt
