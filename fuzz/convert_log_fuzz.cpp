// ConvertLog over arbitrary bytes written as a log file, against a plain run of
// the conversion's rules. Either both give the same count and the same track,
// or both stop with the same message; either way the folder then holds the log
// unchanged, the track only after a finished run (an earlier one otherwise, as
// it was) and nothing else: no temporary is left behind.
//
// Input: byte 0 bit 0 the flat flag, bit 1 whether an earlier track lies beside
// the log; the log follows.

#include "conversion/convert_log.h"
#include "platform/error.h"
#include "rules.h"
#include "tests/expected_track.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using fuzz_rules::Expect;

namespace {

struct Outcome {
    std::uint64_t linesBegun = 0; // what the progress reports reach
    std::uint64_t entries = 0;
    std::string track;
    std::string error; // empty when the run finished
};

// A column's place: that of the header field holding the first occurrence of its
// name; a field already taken by an earlier name does not count.
std::optional<std::size_t> ColumnByRules(const std::string& header, std::string_view name,
                                         const std::vector<std::string_view>& fields,
                                         const std::vector<std::size_t>& taken) {
    const std::size_t pos = header.find(name);
    if (pos == std::string::npos) return std::nullopt;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto begin = static_cast<std::size_t>(fields[i].data() - header.data());
        if (begin <= pos && pos < begin + fields[i].size()) {
            if (std::find(taken.begin(), taken.end(), i) != taken.end()) return std::nullopt;
            return i;
        }
    }
    return std::nullopt;
}

// "0." or "0," and nothing but zeros after it: a recorder without a fix.
bool NoFix(std::string_view value) {
    if (value.size() < 2 || value[0] != '0' || (value[1] != '.' && value[1] != ',')) return false;
    return std::all_of(value.begin() + 2, value.end(), [](char c) { return c == '0'; });
}

std::string OutOfBounds(std::size_t index) {
    return "List index out of bounds (" + std::to_string(index) + ")";
}

std::string Coordinate(std::string_view value) {
    std::string out(value);
    std::replace(out.begin(), out.end(), ',', '.');
    return out;
}

Outcome ConvertByRules(std::string_view log, bool flat) {
    const auto lines = fuzz_rules::LinesByRules(log).text;
    const std::string header = lines.empty() ? "" : lines[0];
    const auto headerFields = fuzz_rules::SplitByRules(header, {';'}, {});

    Outcome outcome;
    auto stop = [&](std::string message) {
        outcome.error = std::move(message);
        return outcome;
    };
    std::vector<std::size_t> taken;
    const auto latitude = ColumnByRules(header, "Latitude", headerFields, taken);
    if (!latitude) return stop("Brak kolumny \"Latitude\" w nagłówku");
    taken.push_back(*latitude);
    const auto longitude = ColumnByRules(header, "Longitude", headerFields, taken);
    if (!longitude) return stop("Brak kolumny \"Longitude\" w nagłówku");
    taken.push_back(*longitude);
    const auto altitude = ColumnByRules(header, "Alt_AGL", headerFields, taken);

    std::string coordinates;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        outcome.linesBegun = n + 1;
        if (n == 0) continue; // the header is counted, never written
        const auto fields = fuzz_rules::SplitByRules(lines[n], {';'}, {});
        // fetched in the run's order: longitude, latitude, altitude
        if (*longitude >= fields.size()) return stop(OutOfBounds(*longitude));
        const std::string_view lon = fields[*longitude];
        if (NoFix(lon) || lon == "Longitude") continue;
        if (*latitude >= fields.size()) return stop(OutOfBounds(*latitude));
        const std::string_view lat = fields[*latitude];
        if (NoFix(lat) || lat == "Latitude") continue;
        coordinates += Coordinate(lon) + "," + Coordinate(lat);
        if (altitude) {
            if (*altitude >= fields.size()) return stop(OutOfBounds(*altitude));
            coordinates += "," + Coordinate(fields[*altitude]);
        }
        coordinates += "\r\n";
    }
    outcome.entries = lines.size();
    outcome.track = testing_support::ExpectedTrack(coordinates, flat);
    return outcome;
}

// A folder of this process's own, emptied before each input.
class Folder {
public:
    Folder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "trasolin-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        path_ = pattern;
    }
    ~Folder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    void Empty() const {
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            std::filesystem::remove(entry.path());
    }
    std::string File(const char* name) const { return (path_ / name).string(); }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path path_;
};

void Write(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) std::abort();
}

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    static const Folder folder;
    const bool flat = data[0] & 1;
    const bool earlierTrack = data[0] & 2;
    const std::string_view log(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string logPath = folder.File("LOG.CSV");
    const std::string trackPath = folder.File("LOG.KML");
    const std::string earlier = "an earlier track";

    folder.Empty();
    Write(logPath, log);
    if (earlierTrack) Write(trackPath, earlier);

    const Outcome expected = ConvertByRules(log, flat);
    Outcome actual;
    try {
        actual.entries = conversion::ConvertLog({logPath, flat}, [&](std::uint64_t n) {
            Expect(n == actual.linesBegun + 1, "progress is not the next line number");
            actual.linesBegun = n;
        });
        actual.track = Read(trackPath);
    } catch (const platform::Error& e) {
        actual.error = e.what();
        if (actual.error.empty()) actual.error = "(an empty message)";
    }

    Expect(actual.error == expected.error, "the run's error");
    Expect(actual.linesBegun == expected.linesBegun, "the lines the progress reports reached");
    Expect(Read(logPath) == log, "the log was changed");
    if (expected.error.empty()) {
        Expect(actual.entries == expected.entries, "the run's count");
        Expect(actual.track == expected.track, "the track");
        Expect(folder.Names() == std::vector<std::string>{"LOG.CSV", "LOG.KML"},
               "the folder holds more than the log and its track");
    } else if (earlierTrack) {
        Expect(Read(trackPath) == earlier, "the earlier track was changed");
        Expect(folder.Names() == std::vector<std::string>{"LOG.CSV", "LOG.KML"},
               "a stopped run left a file behind");
    } else {
        Expect(folder.Names() == std::vector<std::string>{"LOG.CSV"},
               "a stopped run left a file behind");
    }
    return 0;
}
