#pragma once

#include "platform/file/file.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace conversion {

// Writes a flight's track as a KML 2.2 document beside its log. The document
// collects in a temporary file in the log's folder and takes the track's name
// only on Close(), so a run that stops leaves an earlier track as it was.
class KmlTrackWriter {
public:
    // The log's path with its last three bytes replaced by "KML".
    static std::string TrackPathFor(const std::string& logPath);

    // Fails with the error creating the track file itself would give (held open
    // by another program, the log itself, read-only...) before writing anything.
    explicit KmlTrackWriter(const std::string& logPath);
    // Without Close(), removes the temporary file: the track stays as it was.
    ~KmlTrackWriter();

    KmlTrackWriter(const KmlTrackWriter&) = delete;
    KmlTrackWriter& operator=(const KmlTrackWriter&) = delete;

    void Head(bool flat);
    // One coordinate line; a "," in a value is written as "." (decimal commas
    // would split KML's tuples). Without an altitude the tuple has two values.
    void Tuple(std::string_view longitude, std::string_view latitude,
               std::optional<std::string_view> altitude);
    // The same for values that can be read 16 bytes past their end, as a
    // LogReader's lines can: short ones are then copied in one move each.
    void PaddedTuple(std::string_view longitude, std::string_view latitude,
                     std::optional<std::string_view> altitude);
    void Tail();
    // Writes out what is buffered, closes the file and puts it in the track's place.
    void Close();

    const std::string& trackPath() const { return trackPath_; }

private:
    void Line(std::string_view text);
    void Put(std::string_view bytes);
    void PutCoordinate(std::string_view value);
    void Flush();

    std::string trackPath_;
    std::string tempPath_;
    platform::OutputFile file_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
    bool closed_ = false;
};

} // namespace conversion
