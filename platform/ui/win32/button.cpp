#include "platform/ui/win32/control_peers.h"

namespace components::win32 {
namespace {

class ButtonPeer : public WindowPeer {
public:
    ButtonPeer(Button& button, Resources& resources) : WindowPeer(button, resources) {
        CreateChild("BUTTON", BS_PUSHBUTTON | WS_TABSTOP);
    }

    void Command(WORD code) override {
        if (code == BN_CLICKED) static_cast<Button&>(control_).Click();
    }
};

} // namespace

std::unique_ptr<WindowPeer> CreateButtonPeer(Button& button, Resources& resources) {
    return std::make_unique<ButtonPeer>(button, resources);
}

} // namespace components::win32
