#include "platform/ui/win32/control_peers.h"

namespace components::win32 {
namespace {

class LabelPeer : public WindowPeer {
public:
    LabelPeer(Label& label, Resources& resources) : WindowPeer(label, resources) {
        CreateChild("STATIC", SS_LEFT);
        FitCaption();
    }

    void Update(Property changed) override {
        WindowPeer::Update(changed);
        if (changed == Property::Caption || changed == Property::Font) FitCaption();
    }

    HBRUSH StaticColors(HDC dc) override {
        ::SetTextColor(dc, ColorRefOf(control_.GetFont().color));
        ::SetBkMode(dc, TRANSPARENT);
        return FormBrush();
    }

private:
    // An auto-sized label takes the size of its caption in the font it got, which
    // is a stand-in where the system lacks the font asked for.
    void FitCaption() {
        auto& label = static_cast<Label&>(control_);
        if (!label.AutoSize) return;
        HDC dc = ::GetDC(window_);
        HGDIOBJ previous = ::SelectObject(dc, resources_.FontFor(label.GetFont()));
        RECT extent{0, 0, 0, 0};
        ::DrawTextA(dc, label.Caption().c_str(), -1, &extent, DT_CALCRECT | DT_SINGLELINE);
        ::SelectObject(dc, previous);
        ::ReleaseDC(window_, dc);
        Rect bounds = label.Bounds();
        bounds.width = extent.right - extent.left;
        bounds.height = extent.bottom - extent.top;
        label.SetBounds(bounds);
        Place(); // the peer may not be attached yet
    }
};

} // namespace

std::unique_ptr<WindowPeer> CreateLabelPeer(Label& label, Resources& resources) {
    return std::make_unique<LabelPeer>(label, resources);
}

} // namespace components::win32
