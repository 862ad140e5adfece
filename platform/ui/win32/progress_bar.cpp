#include "platform/ui/win32/control_peers.h"
#include "platform/ui/win32/progress_scale.h"

#include <commctrl.h>

namespace components::win32 {
namespace {

// A run moves the bar once per log line; the native control is told only when
// the filled part of the bar changes its width, a few hundred times at most.
class ProgressBarPeer : public WindowPeer {
public:
    ProgressBarPeer(ProgressBar& bar, Resources& resources) : WindowPeer(bar, resources) {
        CreateChild(PROGRESS_CLASSA, bar.Smooth ? PBS_SMOOTH : 0);
        Rescale();
    }

    void Update(Property changed) override {
        switch (changed) {
        case Property::Position:
            ShowPosition();
            break;
        case Property::Range:
            Rescale();
            break;
        case Property::Bounds:
        case Property::Parent:
        case Property::ExStyle:
        case Property::Visible:
            WindowPeer::Update(changed);
            Rescale(); // the bar's inner width may have changed
            break;
        default:
            WindowPeer::Update(changed);
            break;
        }
    }

private:
    ProgressBar& bar() const { return static_cast<ProgressBar&>(control_); }

    void Rescale() {
        RECT client{};
        ::GetClientRect(window_, &client);
        scale_ = ProgressScale(bar().Min(), bar().Max(), client.right - client.left);
        ::SendMessageA(window_, PBM_SETRANGE32, 0, scale_.NativeMax());
        shownPixels_ = -1;
        ShowPosition();
    }

    void ShowPosition() {
        const int pixels = scale_.FilledPixels(bar().Position());
        if (pixels == shownPixels_) return;
        shownPixels_ = pixels;
        ::SendMessageA(window_, PBM_SETPOS, scale_.NativePosition(bar().Position()), 0);
    }

    ProgressScale scale_{0, 0, 0};
    int shownPixels_ = -1;
};

} // namespace

std::unique_ptr<WindowPeer> CreateProgressBarPeer(ProgressBar& progressBar, Resources& resources) {
    return std::make_unique<ProgressBarPeer>(progressBar, resources);
}

} // namespace components::win32
