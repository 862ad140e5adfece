#include "platform/ui/qt/dialogs.h"

#include <QMessageBox>
#include <QWidget>

namespace components::qt {

void RunErrorBox(const std::string& text, const std::string& caption, QWidget* owner) {
    // a control holding the mouse would keep it from the box
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(caption), QString::fromUtf8(text),
                    QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace components::qt
