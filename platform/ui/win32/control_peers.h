#pragma once

// The peers of the kinds of control, each in its own file.

#include "platform/ui/win32/window_peer.h"

#include <memory>

namespace components::win32 {

std::unique_ptr<WindowPeer> CreateButtonPeer(Button& button, Resources& resources);
std::unique_ptr<WindowPeer> CreateCheckBoxPeer(CheckBox& checkBox, Resources& resources);
std::unique_ptr<WindowPeer> CreateLabelPeer(Label& label, Resources& resources);
std::unique_ptr<WindowPeer> CreateListBoxPeer(ListBox& listBox, Resources& resources);
std::unique_ptr<WindowPeer> CreateProgressBarPeer(ProgressBar& progressBar, Resources& resources);
std::unique_ptr<WindowPeer> CreateStatusBarPeer(StatusBar& statusBar, Resources& resources);

} // namespace components::win32
