#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace conversion {

struct ConvertOptions {
    std::string LogFileName; // the log's path, as the user chose it
    bool Flat = true;        // lay the track on the ground
};

// Told the running line number before each line of the data pass is read.
using ReportProgress = std::function<void(std::uint64_t LineNumber)>;

// Converts the log into a KML track beside it and returns EntryCount, the number
// of lines read, the header and skipped lines included. Throws platform::Error
// with the user's message on any failure; the folder then holds what it held
// before and both files are closed.
std::uint64_t ConvertLog(const ConvertOptions& options, const ReportProgress& reportProgress = {});

} // namespace conversion
