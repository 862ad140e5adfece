#include "ui/repaint_pacer.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

RepaintPacer::Clock::time_point fakeNow;
RepaintPacer::Clock::time_point FakeNow() { return fakeNow; }

// How many of `lines` lines said "due".
int DueCount(RepaintPacer& pacer, int lines) {
    int due = 0;
    for (int i = 0; i < lines; ++i) due += pacer.Due();
    return due;
}

TEST(RepaintPacerTest, DueOncePerIntervalAtTheNextLook) {
    fakeNow = {};
    RepaintPacer pacer(&FakeNow, 100, 50ms);

    // the clock stands still: never due, however many lines
    EXPECT_EQ(DueCount(pacer, 1000), 0);

    // the interval has passed: due at the next look, then not until it passes again
    fakeNow += 50ms;
    EXPECT_EQ(DueCount(pacer, 99), 0) << "the clock is read only every 100 lines";
    EXPECT_EQ(DueCount(pacer, 1), 1);
    EXPECT_EQ(DueCount(pacer, 1000), 0);

    fakeNow += 49ms;
    EXPECT_EQ(DueCount(pacer, 1000), 0);
    fakeNow += 1ms;
    EXPECT_EQ(DueCount(pacer, 100), 1);
}

TEST(RepaintPacerTest, RestartCountsTheIntervalFromNow) {
    fakeNow = {};
    RepaintPacer pacer(&FakeNow, 10, 50ms);
    fakeNow += 60ms;
    pacer.Restart();
    EXPECT_EQ(DueCount(pacer, 100), 0);
    fakeNow += 50ms;
    EXPECT_EQ(DueCount(pacer, 10), 1);
}

} // namespace
