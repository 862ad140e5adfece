#pragma once

#include <string>

namespace platform {

// The Windows code of the failure POSIX reports as `error`. `path` tells a missing
// file (2) from a missing folder on its way (3), which POSIX both calls ENOENT.
int IoCodeFromErrno(int error, const std::string& path = {});

} // namespace platform
