#include "conversion/kml_track_writer.h"

#include "platform/file/io_error.h"

#include <algorithm>
#include <cstring>

namespace conversion {
namespace {

constexpr std::size_t kBufferSize = 256 * 1024;

constexpr std::string_view kHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<kml xmlns=\"http://earth.google.com/kml/2.2\">\r\n"
    " <Document>\r\n"
    "  <name>Tarnlevik</name>\r\n"
    "   <Style id=\"brelquin\">\r\n"
    "    <LineStyle>\r\n"
    "     <color>ff0000ff</color>\r\n"
    "     <width>5</width>\r\n"
    "    </LineStyle>\r\n"
    "   </Style>\r\n"
    "  <Placemark>\r\n"
    "   <name>Flight</name>\r\n"
    "   <styleUrl>#brelquin</styleUrl>\r\n"
    "   <LineString>\r\n"
    "   <tessellate>1</tessellate>\r\n";

constexpr std::string_view kClampToGround = "   <altitudeMode>clampToGround</altitudeMode>\r\n";
constexpr std::string_view kRelativeToGround =
    "   <altitudeMode>relativeToGround</altitudeMode>\r\n";
constexpr std::string_view kCoordinatesStart = "    <coordinates>\r\n";

constexpr std::string_view kTail = "            </coordinates>\r\n"
                                   "   </LineString>\r\n"
                                   "  </Placemark>\r\n"
                                   " </Document>\r\n"
                                   "</kml>\r\n";

// Copies a value, a decimal comma becoming a point.
char* CopyCoordinate(char* out, std::string_view value) {
    std::memcpy(out, value.data(), value.size());
    char* end = out + value.size();
    for (char* c = out; (c = static_cast<char*>(std::memchr(c, ',', end - c))) != nullptr; ++c)
        *c = '.';
    return end;
}

// A name beside the track that no other run uses at the same time.
platform::OutputFile CreateTemporary(const std::string& trackPath, std::string& tempPath) {
    const std::string stem = trackPath + "." + std::to_string(platform::CurrentProcessId());
    for (int attempt = 0;; ++attempt) {
        tempPath = stem + "-" + std::to_string(attempt) + ".tmp";
        try {
            return platform::OutputFile(tempPath, platform::OutputFile::Mode::CreateNew);
        } catch (const platform::IoError& e) {
            if (e.code() != platform::kFileExists || attempt == 99) throw;
        }
    }
}

} // namespace

std::string KmlTrackWriter::TrackPathFor(const std::string& logPath) {
    std::size_t keep = logPath.size() > 3 ? logPath.size() - 3 : 0;
    return logPath.substr(0, keep) + "KML";
}

KmlTrackWriter::KmlTrackWriter(const std::string& logPath)
    : trackPath_(TrackPathFor(logPath)),
      file_((platform::CheckWritable(trackPath_), CreateTemporary(trackPath_, tempPath_))),
      buffer_(kBufferSize) {}

KmlTrackWriter::~KmlTrackWriter() {
    if (closed_) return;
    { platform::OutputFile closing(std::move(file_)); } // closed before it can be removed
    platform::RemoveQuietly(tempPath_);
}

void KmlTrackWriter::Head(bool flat) {
    Put(kHead);
    Put(flat ? kClampToGround : kRelativeToGround);
    Put(kCoordinatesStart);
}

void KmlTrackWriter::Tuple(std::string_view longitude, std::string_view latitude,
                           std::optional<std::string_view> altitude) {
    const std::size_t size =
        longitude.size() + latitude.size() + (altitude ? altitude->size() + 1 : 0) + 3;
    if (size > buffer_.size() - used_) Flush();
    if (size <= buffer_.size()) {
        // the usual tuple, put together in the buffer in one go
        char* out = buffer_.data() + used_;
        out = CopyCoordinate(out, longitude);
        *out++ = ',';
        out = CopyCoordinate(out, latitude);
        if (altitude) {
            *out++ = ',';
            out = CopyCoordinate(out, *altitude);
        }
        *out++ = '\r';
        *out++ = '\n';
        used_ += size;
        return;
    }
    PutCoordinate(longitude);
    Put(",");
    PutCoordinate(latitude);
    if (altitude) {
        Put(",");
        PutCoordinate(*altitude);
    }
    Put("\r\n");
}

void KmlTrackWriter::Tail() { Put(kTail); }

void KmlTrackWriter::Close() {
    Flush();
    file_.Close();
    platform::MoveReplacing(tempPath_, trackPath_);
    closed_ = true;
}

void KmlTrackWriter::Put(std::string_view bytes) {
    while (!bytes.empty()) {
        if (used_ == buffer_.size()) Flush();
        std::size_t n = std::min(bytes.size(), buffer_.size() - used_);
        std::memcpy(buffer_.data() + used_, bytes.data(), n);
        used_ += n;
        bytes.remove_prefix(n);
    }
}

void KmlTrackWriter::PutCoordinate(std::string_view value) {
    while (!value.empty()) {
        if (used_ == buffer_.size()) Flush();
        std::size_t n = std::min(value.size(), buffer_.size() - used_);
        char* out = buffer_.data() + used_;
        for (std::size_t i = 0; i < n; ++i) out[i] = value[i] == ',' ? '.' : value[i];
        used_ += n;
        value.remove_prefix(n);
    }
}

void KmlTrackWriter::Flush() {
    file_.Write(buffer_.data(), used_);
    used_ = 0;
}

} // namespace conversion
