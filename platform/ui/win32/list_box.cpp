#include "platform/ui/win32/control_peers.h"

namespace components::win32 {
namespace {

// The program's list boxes are hidden string lists whose items live in the
// model, so they need no window.
class ListBoxPeer : public WindowPeer {
public:
    using WindowPeer::WindowPeer;
};

} // namespace

std::unique_ptr<WindowPeer> CreateListBoxPeer(ListBox& listBox, Resources& resources) {
    return std::make_unique<ListBoxPeer>(listBox, resources);
}

} // namespace components::win32
