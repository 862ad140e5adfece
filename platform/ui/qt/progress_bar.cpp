#include "platform/ui/qt/controls.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPainter>
#include <QProgressBar>
#include <algorithm>
#include <climits>

namespace components::qt {
namespace {

constexpr std::uint32_t kStaticEdge = 0x20000; // WS_EX_STATICEDGE

// The progress control's look: no groove of its own, the done part in the
// highlight colour, in blocks unless smooth. What frame it has is its holder's.
class FlatProgressBar : public QProgressBar {
public:
    FlatProgressBar(bool smooth, QWidget* parent) : QProgressBar(parent), smooth_(smooth) {
        setTextVisible(false);
    }

    // How many pixels of the bar stand for done at a value; the blocks are drawn
    // over as many, the last one whole.
    int DoneWidth(int value) const {
        const long long span = static_cast<long long>(maximum()) - minimum();
        if (span <= 0 || value <= minimum()) return 0;
        const long long done = std::min<long long>(value - minimum(), span);
        return static_cast<int>(done * Area().width() / span);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QRect area = Area();
        const int done = DoneWidth(value());
        const QColor color = palette().color(QPalette::Highlight);
        if (smooth_) {
            painter.fillRect(area.left(), area.top(), done, area.height(), color);
            return;
        }
        painter.setClipRect(area);
        for (int x = 0; x < done; x += BlockStep())
            painter.fillRect(area.left() + x, area.top(), BlockWidth(), area.height(), color);
    }

private:
    QRect Area() const { return rect().adjusted(1, 1, -1, -1); }
    // a block is two thirds of the bar's height wide, as the Windows control draws it
    int BlockWidth() const { return std::max(2, Area().height() * 2 / 3); }
    int BlockStep() const { return BlockWidth() + 2; }

    bool smooth_;
};

class ProgressBarPeer : public WidgetPeer {
public:
    ProgressBarPeer(QtBackend& backend, ProgressBar& progressBar, QWidget* parent)
        : WidgetPeer(backend, progressBar, new QFrame(parent)), progressBar_(progressBar) {
        auto* holder = static_cast<QFrame*>(Widget());
        auto* layout = new QHBoxLayout(holder);
        layout->setContentsMargins(0, 0, 0, 0);
        bar_ = new FlatProgressBar(progressBar.Smooth, holder);
        layout->addWidget(bar_);
    }

protected:
    void UpdateOwn(Property changed) override {
        switch (changed) {
        case Property::ExStyle: ShowEdge(); break;
        case Property::Range: ShowRange(); break;
        case Property::Position: ShowPosition(); break;
        default: break;
        }
    }

private:
    // The sunken edge is a one-pixel frame around the bar; without it the bar
    // lies flat in whatever holds it.
    void ShowEdge() {
        auto* holder = static_cast<QFrame*>(Widget());
        if (progressBar_.ExStyle() & kStaticEdge) {
            holder->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            holder->setLineWidth(1);
        } else {
            holder->setFrameStyle(QFrame::NoFrame);
        }
    }

    // QProgressBar counts in int: a longer range is shown scaled down.
    void ShowRange() {
        // no more looks than the bar is pixels wide; the peer sorts out the rest
        progressBar_.SetShownSteps(progressBar_.Bounds().width);
        scale_ = progressBar_.Max() / INT_MAX + 1;
        bar_->setRange(static_cast<int>(progressBar_.Min() / scale_),
                       static_cast<int>(progressBar_.Max() / scale_));
        const int value = Scaled(progressBar_.Position());
        shown_ = bar_->DoneWidth(value);
        bar_->setValue(value);
    }

    // Called for every line of a run: the bar is touched only when its picture changes.
    void ShowPosition() {
        const int value = Scaled(progressBar_.Position());
        const int shown = bar_->DoneWidth(value);
        if (shown == shown_) return;
        shown_ = shown;
        // QProgressBar repaints at once, and the window with it, when it thinks a
        // value visible; here the new picture waits for the window's next paint,
        // which a run lets happen every so often
        bar_->setUpdatesEnabled(false);
        bar_->setValue(value);
        bar_->setUpdatesEnabled(true); // schedules that paint
    }

    int Scaled(std::int64_t value) const { return static_cast<int>(value / scale_); }

    ProgressBar& progressBar_;
    FlatProgressBar* bar_;
    std::int64_t scale_ = 1;
    int shown_ = 0;
};

} // namespace

std::unique_ptr<WidgetPeer> CreateProgressBarPeer(QtBackend& backend, ProgressBar& progressBar,
                                                  QWidget* parent) {
    return std::make_unique<ProgressBarPeer>(backend, progressBar, parent);
}

} // namespace components::qt
