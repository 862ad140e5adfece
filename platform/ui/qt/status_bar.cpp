#include "platform/ui/qt/controls.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <algorithm>
#include <cmath>
#include <vector>

namespace components::qt {
namespace {

// As the Windows status bar lays out its parts: a gap of 2 pixels above the
// panels and between them, none at the sides.
constexpr int kGap = 2;
// The bar keeps its designed height, so its text may not grow past this
constexpr int kMaxTextPixels = 12;

// A row of sunken panels, each a label; the last one takes the rest of the width.
class StatusBarWidget : public QWidget {
public:
    explicit StatusBarWidget(QWidget* parent) : QWidget(parent) {}

    void ShowPanels(const std::vector<StatusPanel>& panels) {
        while (labels_.size() < panels.size()) AddLabel();
        for (std::size_t i = 0; i < labels_.size(); ++i) {
            labels_[i]->setVisible(i < panels.size());
            if (i >= panels.size()) continue;
            // an owner-drawn panel without a drawing handler shows only its background
            labels_[i]->setText(panels[i].style == psText ? QString::fromUtf8(panels[i].text)
                                                          : QString());
        }
        widths_.clear();
        for (const StatusPanel& panel : panels) widths_.push_back(panel.width);
        LayOut();
    }

protected:
    void resizeEvent(QResizeEvent*) override { LayOut(); }

    bool event(QEvent* event) override {
        if (event->type() == QEvent::ApplicationFontChange)
            for (QLabel* label : labels_) label->setFont(StatusFont());
        return QWidget::event(event);
    }

private:
    // The desktop's font for status bars (its general font where it names none),
    // which the panels follow as the desktop changes it, in the button-text colour.
    static QFont StatusFont() {
        QFont font = QApplication::font("QStatusBar");
        int pixels = font.pixelSize();
        if (pixels <= 0) pixels = static_cast<int>(std::lround(font.pointSizeF() * 96 / 72));
        font.setPixelSize(std::clamp(pixels, 1, kMaxTextPixels));
        return font;
    }

    void AddLabel() {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("panel%1").arg(labels_.size()));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setLineWidth(1);
        label->setIndent(2);
        label->setTextFormat(Qt::PlainText);
        label->setFont(StatusFont());
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, palette.color(QPalette::ButtonText));
        label->setPalette(palette);
        label->show();
        label->lower(); // under a control laid over a panel
        labels_.push_back(label);
    }

    void LayOut() {
        int left = 0, right = 0;
        for (std::size_t i = 0; i < widths_.size(); ++i) {
            const bool last = i + 1 == widths_.size();
            right = last ? width() : right + widths_[i];
            labels_[i]->setGeometry(left, kGap, std::max(0, right - left), height() - kGap);
            left = right + kGap;
        }
    }

    std::vector<QLabel*> labels_;
    std::vector<int> widths_;
};

class StatusBarPeer : public WidgetPeer {
public:
    StatusBarPeer(QtBackend& backend, StatusBar& statusBar, QWidget* parent)
        : WidgetPeer(backend, statusBar, new StatusBarWidget(parent)), statusBar_(statusBar) {}

protected:
    void UpdateOwn(Property changed) override {
        if (changed == Property::Panels)
            static_cast<StatusBarWidget*>(Widget())->ShowPanels(statusBar_.Panels());
    }

private:
    StatusBar& statusBar_;
};

} // namespace

std::unique_ptr<WidgetPeer> CreateStatusBarPeer(QtBackend& backend, StatusBar& statusBar,
                                                QWidget* parent) {
    return std::make_unique<StatusBarPeer>(backend, statusBar, parent);
}

} // namespace components::qt
