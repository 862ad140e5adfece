#include "conversion/convert_log.h"

#include "conversion/columns.h"
#include "conversion/field_list.h"
#include "conversion/field_splitter.h"
#include "conversion/kml_track_writer.h"
#include "conversion/log_reader.h"

#include <algorithm>
#include <cstring>
#include <span>

namespace conversion {
namespace {

// A recorder without a fix logs zero: "0." or "0," and nothing but zeros after it.
bool IsNoFix(std::string_view field) {
    if (field.size() < 2 || field[0] != '0' || (field[1] != '.' && field[1] != ',')) return false;
    return field.find_first_not_of('0', 2) == std::string_view::npos;
}

// Whether a CR stands where the fields were taken from, their last one's end included.
bool HasCarriageReturn(std::span<const char> line, const FieldViews& fields, bool stoppedEarly) {
    std::size_t scanned = line.size();
    if (stoppedEarly) {
        std::string_view last = fields.Get(fields.Count() - 1);
        scanned = std::min(scanned, static_cast<std::size_t>(last.data() + last.size() + 1 - line.data()));
    }
    return std::memchr(line.data(), '\r', scanned) != nullptr;
}

std::string ReadHeader(const std::string& logPath) {
    FileSource log(logPath);
    LogReader reader(log);
    return std::string(reader.ReadLine());
}

} // namespace

std::uint64_t ConvertLog(const ConvertOptions& options, const ReportProgress& reportProgress) {
    const Columns columns = FindColumns(ReadHeader(options.LogFileName));
    const std::size_t fieldsNeeded =
        std::max({columns.latitude, columns.longitude, columns.altitude.value_or(0)}) + 1;

    FileSource log(options.LogFileName);
    LogReader reader(log);
    KmlTrackWriter track(options.LogFileName);
    track.Head(options.Flat);

    const FieldSplitter splitter({';'}, {});
    FieldViews fields(fieldsNeeded);
    std::uint64_t lineNumber = 0;
    std::uint64_t entryCount = 0;
    while (!reader.AtEnd()) {
        ++lineNumber;
        if (reportProgress) reportProgress(lineNumber);
        fields.Clear();
        // the fields past the last one needed change neither values nor errors
        std::span<char> line = reader.ReadRawLine();
        bool crSeen = false;
        std::size_t count = splitter.Split({line.data(), line.size()}, fields, fieldsNeeded, &crSeen);
        if (crSeen && HasCarriageReturn(line, fields, count == fieldsNeeded)) {
            // the line's text drops lone CRs, which may join what they stood between
            fields.Clear();
            splitter.Split(LogReader::DropCarriageReturns(line), fields, fieldsNeeded);
        }
        ++entryCount;
        if (entryCount == 1) continue; // the header, counted like any line

        std::string_view longitude = fields.Get(columns.longitude);
        if (IsNoFix(longitude) || longitude == "Longitude") continue;
        std::string_view latitude = fields.Get(columns.latitude);
        if (IsNoFix(latitude) || latitude == "Latitude") continue;
        // the fields lie in the reader's buffer, which can be read past a line's end
        if (columns.altitude)
            track.PaddedTuple(longitude, latitude, fields.Get(*columns.altitude));
        else
            track.PaddedTuple(longitude, latitude, std::nullopt);
    }
    track.Tail();
    log.Close();
    track.Close();
    return entryCount;
}

} // namespace conversion
