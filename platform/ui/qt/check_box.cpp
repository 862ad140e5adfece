#include "platform/ui/qt/controls.h"

#include <QCheckBox>

namespace components::qt {
namespace {

class CheckBoxPeer : public WidgetPeer {
public:
    CheckBoxPeer(QtBackend& backend, CheckBox& checkBox, QWidget* parent)
        : WidgetPeer(backend, checkBox, new QCheckBox(parent)), checkBox_(checkBox) {
        auto* box = static_cast<QCheckBox*>(Widget());
        // only the user's clicks come back; the model's own changes arrive through Update
        QObject::connect(box, &QCheckBox::clicked, box,
                         [&checkBox](bool checked) { checkBox.SetChecked(checked); });
    }

protected:
    void UpdateOwn(Property changed) override {
        auto* box = static_cast<QCheckBox*>(Widget());
        if (changed == Property::Caption) box->setText(QString::fromUtf8(checkBox_.Caption()));
        if (changed == Property::Checked) box->setChecked(checkBox_.Checked());
    }

private:
    CheckBox& checkBox_;
};

} // namespace

std::unique_ptr<WidgetPeer> CreateCheckBoxPeer(QtBackend& backend, CheckBox& checkBox,
                                               QWidget* parent) {
    return std::make_unique<CheckBoxPeer>(backend, checkBox, parent);
}

} // namespace components::qt
