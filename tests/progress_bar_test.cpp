#include "platform/ui/components.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <vector>

namespace {

using components::ProgressBar;
using components::Property;

// Records the positions its bar tells it of.
class PositionRecorder : public components::ControlPeer {
public:
    explicit PositionRecorder(const ProgressBar& bar, std::vector<std::int64_t>& told)
        : bar_(bar), told_(told) {}
    void Update(Property changed) override {
        if (changed == Property::Position) told_.push_back(bar_.Position());
    }

private:
    const ProgressBar& bar_;
    std::vector<std::int64_t>& told_;
};

// A run sets the position once per line; the peer hears only of the positions
// where the bar can look different, and the model always holds the exact one.
TEST(ProgressBarTest, PeerHearsOnlyOfPositionsThatLookNew) {
    struct {
        std::int64_t max, steps;
        std::vector<std::int64_t> told;
    } cases[] = {
        {10, 0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}}, // no steps known: every change
        {1000, 4, {250, 500, 750, 1000}},
        {10, 3, {4, 7, 10}},       // steps start at ceil(k * 10 / 3)
        {3, 110, {1, 2, 3}},       // more pixels than positions
    };
    for (const auto& c : cases) {
        std::vector<std::int64_t> told;
        ProgressBar bar("ProgressBar1");
        bar.AttachPeer(std::make_unique<PositionRecorder>(bar, told));
        bar.SetShownSteps(c.steps);
        bar.SetMax(c.max);
        for (std::int64_t line = 1; line <= c.max + 5; ++line) {
            bar.SetPosition(line);
            ASSERT_EQ(bar.Position(), std::min(line, c.max));
        }
        EXPECT_EQ(told, c.told) << c.max << " in " << c.steps << " steps";
        // going back shows at once
        told.clear();
        bar.SetPosition(0);
        EXPECT_EQ(told, std::vector<std::int64_t>{0});
    }
}

TEST(ProgressBarTest, HugeRangesDoNotOverflow) {
    std::vector<std::int64_t> told;
    ProgressBar bar("ProgressBar1");
    bar.AttachPeer(std::make_unique<PositionRecorder>(bar, told));
    bar.SetShownSteps(110);
    const std::int64_t max = std::numeric_limits<std::int64_t>::max();
    bar.SetMax(max);
    bar.SetPosition(max / 4);     // step 27 of 110
    bar.SetPosition(max / 4 + 1); // still 27
    bar.SetPosition(max / 2 + 1); // 55, the first position of its step
    bar.SetPosition(max);
    EXPECT_EQ(told, (std::vector<std::int64_t>{max / 4, max / 2 + 1, max}));
}

} // namespace
