#include "platform/ui/window_long.h"

#include "platform/ui/components.h"

namespace {

components::Control* ControlOf(HWND window) {
    return reinterpret_cast<components::Control*>(window);
}

} // namespace

LONG GetWindowLongA(HWND window, int index) {
    if (!window || index != GWL_EXSTYLE) return 0;
    return static_cast<LONG>(ControlOf(window)->ExStyle());
}

LONG SetWindowLongA(HWND window, int index, LONG value) {
    if (!window || index != GWL_EXSTYLE) return 0;
    const LONG previous = GetWindowLongA(window, index);
    ControlOf(window)->SetExStyle(static_cast<std::uint32_t>(value));
    return previous;
}
