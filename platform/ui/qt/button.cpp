#include "platform/ui/qt/controls.h"

#include <QPushButton>

namespace components::qt {
namespace {

class ButtonPeer : public WidgetPeer {
public:
    ButtonPeer(QtBackend& backend, Button& button, QWidget* parent)
        : WidgetPeer(backend, button, new QPushButton(parent)), button_(button) {
        auto* push = static_cast<QPushButton*>(Widget());
        // Enter clicks the focused button, as Space does; "&" in the caption
        // makes Alt and that letter click it
        push->setAutoDefault(true);
        QObject::connect(push, &QPushButton::clicked, push, [&button] { button.Click(); });
    }

protected:
    void UpdateOwn(Property changed) override {
        if (changed == Property::Caption)
            static_cast<QPushButton*>(Widget())->setText(QString::fromUtf8(button_.Caption()));
    }

private:
    Button& button_;
};

} // namespace

std::unique_ptr<WidgetPeer> CreateButtonPeer(QtBackend& backend, Button& button, QWidget* parent) {
    return std::make_unique<ButtonPeer>(backend, button, parent);
}

} // namespace components::qt
