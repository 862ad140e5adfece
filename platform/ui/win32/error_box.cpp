#include "platform/ui/win32/backend.h"

namespace components::win32 {

void Win32Backend::ShowErrorBox(const std::string& text, const std::string& caption) {
    // a button held down by the mouse must not keep the capture from the box
    ::ReleaseCapture();
    ModalBoxScope scope(appWindow_.get());
    ::MessageBoxA(ModalOwner(), text.c_str(), caption.c_str(), MB_ICONSTOP | MB_OK);
}

} // namespace components::win32
