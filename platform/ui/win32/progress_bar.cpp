#include "platform/ui/win32/control_peers.h"
#include "platform/ui/win32/progress_scale.h"

#include <commctrl.h>

namespace components::win32 {
namespace {

// A run moves the bar once per log line. The native control hears of a new
// position only when the filled part of the bar has changed its width, and then
// only as it paints: told at once, it would repaint at once, a hundred times a
// run, which under Wine costs more than the run's own work. It paints when the
// window repaints (the message loop, or ProcessPaintMessages during a run).
class ProgressBarPeer : public WindowPeer {
public:
    ProgressBarPeer(ProgressBar& bar, Resources& resources) : WindowPeer(bar, resources) {
        CreateChild(PROGRESS_CLASSA, bar.Smooth ? PBS_SMOOTH : 0);
        ::SetWindowSubclass(window_, &ProgressBarPeer::Subclass, 0, reinterpret_cast<DWORD_PTR>(this));
        Rescale();
    }
    ~ProgressBarPeer() override {
        if (::IsWindow(window_)) ::RemoveWindowSubclass(window_, &ProgressBarPeer::Subclass, 0);
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

    // A new range reaches the control at once, with the position in it.
    void Rescale() {
        RECT client{};
        ::GetClientRect(window_, &client);
        scale_ = ProgressScale(bar().Min(), bar().Max(), client.right - client.left);
        bar().SetShownSteps(client.right - client.left);
        ::SendMessageA(window_, PBM_SETRANGE32, 0, scale_.NativeMax());
        shownPixels_ = scale_.FilledPixels(bar().Position());
        positionDue_ = false;
        TellPosition();
    }

    void ShowPosition() {
        const int pixels = scale_.FilledPixels(bar().Position());
        if (pixels == shownPixels_) return;
        shownPixels_ = pixels;
        if (positionDue_) return;
        positionDue_ = true;
        ::InvalidateRect(window_, nullptr, FALSE);
    }

    void TellPosition() {
        ::SendMessageA(window_, PBM_SETPOS, scale_.NativePosition(bar().Position()), 0);
    }

    static LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR self) {
        auto* peer = reinterpret_cast<ProgressBarPeer*>(self);
        if ((message == WM_PAINT || message == WM_PRINTCLIENT) && peer->positionDue_) {
            peer->positionDue_ = false;
            peer->TellPosition();
        } else if (message == WM_NCDESTROY) {
            ::RemoveWindowSubclass(window, &ProgressBarPeer::Subclass, 0);
        }
        return ::DefSubclassProc(window, message, wParam, lParam);
    }

    ProgressScale scale_{0, 0, 0};
    int shownPixels_ = 0;
    bool positionDue_ = false; // a new width waits for the next paint
};

} // namespace

std::unique_ptr<WindowPeer> CreateProgressBarPeer(ProgressBar& progressBar, Resources& resources) {
    return std::make_unique<ProgressBarPeer>(progressBar, resources);
}

} // namespace components::win32
