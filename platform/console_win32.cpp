#include "platform/console.h"

#include <io.h>
#include <windows.h>

namespace platform {

void PrepareConsole() { ::SetConsoleOutputCP(CP_UTF8); }

bool IsTerminal(std::FILE* stream) {
    // NUL is a character device too, which is all _isatty asks: only a console
    // has a console mode
    const int descriptor = ::_fileno(stream);
    DWORD mode = 0;
    return ::_isatty(descriptor) &&
           ::GetConsoleMode(reinterpret_cast<HANDLE>(::_get_osfhandle(descriptor)), &mode);
}

} // namespace platform
