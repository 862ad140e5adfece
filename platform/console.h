#pragma once

#include <cstdio>

namespace platform {

// Sets the console up to show the program's UTF-8 texts (Polish letters).
void PrepareConsole();

bool IsTerminal(std::FILE* stream);

} // namespace platform
