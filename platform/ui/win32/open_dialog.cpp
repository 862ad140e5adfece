#include "platform/ui/win32/backend.h"

#include <commdlg.h>

#include <vector>

namespace components::win32 {
namespace {

// The filter as the dialog takes it: description and pattern of every entry,
// each ended by a NUL, and one more NUL after the last.
std::string NativeFilter(const std::string& filter) {
    std::string native;
    for (const FilterEntry& entry : ParseFilter(filter)) {
        native += entry.description;
        native += '\0';
        native += entry.pattern;
        native += '\0';
    }
    return native; // c_str() adds the closing NUL
}

} // namespace

bool Win32Backend::ExecuteOpenDialog(OpenDialog& dialog, Form& owner) {
    const std::string filter = NativeFilter(dialog.Filter);
    std::vector<char> fileName(32768, '\0');
    dialog.FileName.copy(fileName.data(), fileName.size() - 1);

    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = reinterpret_cast<HWND>(owner.Handle());
    request.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    request.nFilterIndex = static_cast<DWORD>(dialog.FilterIndex);
    request.lpstrFile = fileName.data();
    request.nMaxFile = static_cast<DWORD>(fileName.size());
    // no OFN_FILEMUSTEXIST or OFN_PATHMUSTEXIST: a typed name is taken as it is
    request.Flags = OFN_EXPLORER;
    if (dialog.Options & ofHideReadOnly) request.Flags |= OFN_HIDEREADONLY;
    if (dialog.Options & ofEnableSizing) request.Flags |= OFN_ENABLESIZING;

    ModalBoxScope scope(appWindow_.get());
    if (!::GetOpenFileNameA(&request)) return false; // cancelled, or the dialog failed
    dialog.FileName = fileName.data();
    dialog.FilterIndex = static_cast<int>(request.nFilterIndex);
    return true;
}

} // namespace components::win32
