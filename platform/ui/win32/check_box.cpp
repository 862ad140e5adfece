#include "platform/ui/win32/control_peers.h"

namespace components::win32 {
namespace {

class CheckBoxPeer : public WindowPeer {
public:
    CheckBoxPeer(CheckBox& checkBox, Resources& resources) : WindowPeer(checkBox, resources) {
        // the control ticks and clears itself; the model learns of it by BN_CLICKED
        CreateChild("BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP);
        ShowChecked();
    }

    void Update(Property changed) override {
        if (changed == Property::Checked)
            ShowChecked();
        else
            WindowPeer::Update(changed);
    }

    void Command(WORD code) override {
        if (code == BN_CLICKED)
            checkBox().SetChecked(::SendMessageA(window_, BM_GETCHECK, 0, 0) == BST_CHECKED);
    }

    HBRUSH StaticColors(HDC dc) override {
        ::SetTextColor(dc, ColorRefOf(control_.GetFont().color));
        ::SetBkMode(dc, TRANSPARENT);
        return FormBrush();
    }

private:
    CheckBox& checkBox() const { return static_cast<CheckBox&>(control_); }
    void ShowChecked() {
        ::SendMessageA(window_, BM_SETCHECK, checkBox().Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    }
};

} // namespace

std::unique_ptr<WindowPeer> CreateCheckBoxPeer(CheckBox& checkBox, Resources& resources) {
    return std::make_unique<CheckBoxPeer>(checkBox, resources);
}

} // namespace components::win32
