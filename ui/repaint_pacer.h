#pragma once

#include <chrono>

// Decides, line by line, when a long run lets the window repaint: it reads the
// clock only every `linesPerLook` lines, so a line costs one count, and says
// "due" at most once per `interval`.
class RepaintPacer {
public:
    using Clock = std::chrono::steady_clock;
    using Now = Clock::time_point (*)();

    explicit RepaintPacer(Now now = &Clock::now, unsigned linesPerLook = 4096,
                          Clock::duration interval = std::chrono::milliseconds(50))
        : now_(now), linesPerLook_(linesPerLook), interval_(interval), last_(now()) {}

    // Starts counting the interval afresh, as after a repaint.
    void Restart() {
        lines_ = 0;
        last_ = now_();
    }

    // Called once per line; true when the window should repaint now.
    bool Due() {
        if (++lines_ < linesPerLook_) return false;
        lines_ = 0;
        const Clock::time_point now = now_();
        if (now - last_ < interval_) return false;
        last_ = now;
        return true;
    }

private:
    Now now_;
    unsigned linesPerLook_;
    Clock::duration interval_;
    Clock::time_point last_;
    unsigned lines_ = 0;
};
