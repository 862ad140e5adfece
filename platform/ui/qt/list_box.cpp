#include "platform/ui/qt/controls.h"

#include <QListWidget>

namespace components::qt {
namespace {

// The program's list boxes stay hidden and serve as string lists, so their
// items live in the model only and the widget shows none of them.
class ListBoxPeer : public WidgetPeer {
public:
    ListBoxPeer(QtBackend& backend, ListBox& listBox, QWidget* parent)
        : WidgetPeer(backend, listBox, new QListWidget(parent)) {}
};

} // namespace

std::unique_ptr<WidgetPeer> CreateListBoxPeer(QtBackend& backend, ListBox& listBox,
                                              QWidget* parent) {
    return std::make_unique<ListBoxPeer>(backend, listBox, parent);
}

} // namespace components::qt
