#pragma once

#include "platform/ui/components.h"

#include <memory>

namespace components {

// The windowing system's backend the window program runs on. Each native backend
// library (Win32, Qt) defines it; the program links exactly one.
std::unique_ptr<Backend> CreateNativeBackend();

} // namespace components
