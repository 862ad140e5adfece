#pragma once

// How a progress bar's 64-bit range shows in the native control: the control
// counts in 32 bits, so a range too wide for it is scaled down by a power of
// two; and what the user sees is the filled part's width in pixels.

#include <algorithm>
#include <cstdint>

namespace components::win32 {

class ProgressScale {
public:
    ProgressScale(std::int64_t min, std::int64_t max, int pixelWidth)
        : min_(min), span_(max > min ? static_cast<std::uint64_t>(max - min) : 0),
          pixelWidth_(std::max(pixelWidth, 0)) {
        while ((span_ >> shift_) > kNativeLimit) ++shift_;
    }

    // The control's range is 0 .. NativeMax(); never empty, so an empty model
    // range shows an empty bar.
    int NativeMax() const { return std::max<int>(static_cast<int>(span_ >> shift_), 1); }
    int NativePosition(std::int64_t position) const {
        return static_cast<int>(Offset(position) >> shift_);
    }

    // How many pixels of the bar are filled at `position`.
    int FilledPixels(std::int64_t position) const {
        if (span_ == 0) return 0;
        return static_cast<int>(static_cast<double>(Offset(position)) * pixelWidth_ /
                                static_cast<double>(span_));
    }

private:
    static constexpr std::uint64_t kNativeLimit = 0x7FFFFFFF;

    std::uint64_t Offset(std::int64_t position) const {
        if (position <= min_) return 0;
        return std::min(static_cast<std::uint64_t>(position - min_), span_);
    }

    std::int64_t min_;
    std::uint64_t span_;
    int pixelWidth_;
    int shift_ = 0;
};

} // namespace components::win32
