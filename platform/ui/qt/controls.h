#pragma once

// The peers of each kind of control. Each makes its widget in `parent`; the
// control's own parent takes it over when the peer first shows its state.

#include "platform/ui/qt/widget_peer.h"

#include <memory>

namespace components::qt {

std::unique_ptr<WidgetPeer> CreateButtonPeer(QtBackend& backend, Button& button, QWidget* parent);
std::unique_ptr<WidgetPeer> CreateCheckBoxPeer(QtBackend& backend, CheckBox& checkBox,
                                               QWidget* parent);
std::unique_ptr<WidgetPeer> CreateLabelPeer(QtBackend& backend, Label& label, QWidget* parent);
std::unique_ptr<WidgetPeer> CreateListBoxPeer(QtBackend& backend, ListBox& listBox,
                                              QWidget* parent);
std::unique_ptr<WidgetPeer> CreateProgressBarPeer(QtBackend& backend, ProgressBar& progressBar,
                                                  QWidget* parent);
std::unique_ptr<WidgetPeer> CreateStatusBarPeer(QtBackend& backend, StatusBar& statusBar,
                                                QWidget* parent);

} // namespace components::qt
