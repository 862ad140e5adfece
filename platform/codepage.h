#pragma once

namespace platform {

// Whether `byte` opens a two-byte character in the system's ANSI code page.
// Always false in single-byte code pages and in UTF-8, whose bytes never pass
// for ASCII ones.
bool IsAnsiLeadByte(unsigned char byte);

} // namespace platform
