#include "platform/ui/qt/controls.h"

#include <QLabel>

namespace components::qt {
namespace {

class LabelPeer : public WidgetPeer {
public:
    LabelPeer(QtBackend& backend, Label& label, QWidget* parent)
        : WidgetPeer(backend, label, new QLabel(parent)), label_(label) {
        static_cast<QLabel*>(Widget())->setTextFormat(Qt::PlainText);
    }

protected:
    void UpdateOwn(Property changed) override {
        if (changed == Property::Caption)
            static_cast<QLabel*>(Widget())->setText(QString::fromUtf8(label_.Caption()));
        if (changed == Property::Caption || changed == Property::Font ||
            changed == Property::Bounds)
            FitCaption();
    }

private:
    // An auto-sized label takes the size of its caption in its font, and the
    // control learns that size, as its designed size was for another font.
    void FitCaption() {
        if (!label_.AutoSize || fitting_) return;
        fitting_ = true;
        Widget()->adjustSize();
        const Rect& bounds = label_.Bounds();
        label_.SetBounds({bounds.left, bounds.top, Widget()->width(), Widget()->height()});
        fitting_ = false;
    }

    Label& label_;
    bool fitting_ = false;
};

} // namespace

std::unique_ptr<WidgetPeer> CreateLabelPeer(QtBackend& backend, Label& label, QWidget* parent) {
    return std::make_unique<LabelPeer>(backend, label, parent);
}

} // namespace components::qt
