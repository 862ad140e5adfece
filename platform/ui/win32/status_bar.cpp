#include "platform/ui/win32/control_peers.h"

#include <commctrl.h>

#include <vector>

namespace components::win32 {
namespace {

class StatusBarPeer : public WindowPeer {
public:
    StatusBarPeer(StatusBar& bar, Resources& resources) : WindowPeer(bar, resources) {
        // placed by its bounds, not by the control's own idea of its height; it
        // clips the progress bar that FormCreate puts into it
        DWORD style = CCS_NOPARENTALIGN | CCS_NORESIZE | WS_CLIPCHILDREN;
        if (bar.SizeGrip) style |= SBARS_SIZEGRIP;
        CreateChild(STATUSCLASSNAMEA, style);
        SettingsChanged();
        ShowPanels();
    }

    void Update(Property changed) override {
        if (changed == Property::Panels)
            ShowPanels();
        else if (changed != Property::Font) // its texts use the system's status font
            WindowPeer::Update(changed);
    }

    void SettingsChanged() override {
        ::SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(resources_.StatusFont()), TRUE);
    }

private:
    StatusBar& bar() const { return static_cast<StatusBar&>(control_); }

    void ShowPanels() {
        const std::vector<StatusPanel>& panels = bar().Panels();
        std::vector<int> edges;
        int right = 0;
        for (const StatusPanel& panel : panels) edges.push_back(right += panel.width);
        if (!edges.empty()) edges.back() = -1; // the last panel takes the rest of the bar
        if (edges != shownEdges_) {
            ::SendMessageA(window_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
            shownEdges_ = edges;
            shownPanels_.clear();
        }
        for (std::size_t i = 0; i < panels.size(); ++i) {
            if (i < shownPanels_.size() && panels[i].style == shownPanels_[i].style &&
                panels[i].text == shownPanels_[i].text)
                continue;
            // an owner-drawn panel gets no text: the form draws it (with nothing)
            if (panels[i].style == psOwnerDraw)
                ::SendMessageA(window_, SB_SETTEXTA, i | SBT_OWNERDRAW, 0);
            else
                ::SendMessageA(window_, SB_SETTEXTA, i, reinterpret_cast<LPARAM>(panels[i].text.c_str()));
        }
        shownPanels_ = panels;
    }

    std::vector<int> shownEdges_;
    std::vector<StatusPanel> shownPanels_;
};

} // namespace

std::unique_ptr<WindowPeer> CreateStatusBarPeer(StatusBar& statusBar, Resources& resources) {
    return std::make_unique<StatusBarPeer>(statusBar, resources);
}

} // namespace components::win32
