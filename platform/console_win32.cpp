#include "platform/console.h"

#include <io.h>
#include <windows.h>

namespace platform {

void PrepareConsole() { ::SetConsoleOutputCP(CP_UTF8); }

bool IsTerminal(std::FILE* stream) { return ::_isatty(::_fileno(stream)) != 0; }

} // namespace platform
