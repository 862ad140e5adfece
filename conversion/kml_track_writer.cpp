#include "conversion/kml_track_writer.h"

#include "platform/file/io_error.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Room past the buffer's end for whole 16-byte reads at its last bytes.
constexpr std::size_t kSlack = 32;

// Coordinates are short: copied without a library call where they fit in 16 bytes.
char* Copy(char* out, std::string_view value) {
    const char* in = value.data();
    const std::size_t n = value.size();
    if (n >= 8 && n <= 16) {
        std::uint64_t head, tail; // two copies that overlap in the middle
        std::memcpy(&head, in, 8);
        std::memcpy(&tail, in + n - 8, 8);
        std::memcpy(out, &head, 8);
        std::memcpy(out + n - 8, &tail, 8);
    } else if (n < 8) {
        for (std::size_t i = 0; i < n; ++i) out[i] = in[i];
    } else {
        std::memcpy(out, in, n);
    }
    return out + n;
}

// Turns the decimal commas in a tuple's values into points; the tuple's own
// separators, at `first` and `second` (npos when there is none), stay. May read up
// to 32 bytes from `tuple`.
void MendDecimalCommas(char* tuple, std::size_t size, std::size_t first, std::size_t second) {
#if defined(__SSE2__)
    if (size <= 32) {
        const __m128i commas = _mm_set1_epi8(',');
        auto hits = [&](const char* at) {
            return static_cast<std::uint32_t>(_mm_movemask_epi8(
                _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)), commas)));
        };
        std::uint32_t mask = hits(tuple) | hits(tuple + 16) << 16;
        if (size < 32) mask &= (std::uint32_t{1} << size) - 1;
        mask &= ~(std::uint32_t{1} << first);
        if (second != std::string_view::npos) mask &= ~(std::uint32_t{1} << second);
        for (; mask != 0; mask &= mask - 1) tuple[__builtin_ctz(mask)] = '.';
        return;
    }
#endif
    for (std::size_t i = 0; i < size; ++i)
        if (tuple[i] == ',' && i != first && i != second) tuple[i] = '.';
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
      buffer_(kBufferSize + kSlack) {}

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
    if (size > kBufferSize - used_) Flush();
    if (size <= kBufferSize) {
        // the usual tuple, put together in the buffer in one go
        char* const tuple = buffer_.data() + used_;
        char* out = Copy(tuple, longitude);
        const std::size_t first = longitude.size();
        *out++ = ',';
        out = Copy(out, latitude);
        std::size_t second = std::string_view::npos;
        if (altitude) {
            second = static_cast<std::size_t>(out - tuple);
            *out++ = ',';
            out = Copy(out, *altitude);
        }
        MendDecimalCommas(tuple, static_cast<std::size_t>(out - tuple), first, second);
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

void KmlTrackWriter::PaddedTuple(std::string_view longitude, std::string_view latitude,
                                 std::optional<std::string_view> altitude) {
    constexpr std::size_t kMove = 16;
    const std::string_view altitudeValue = altitude.value_or(std::string_view());
    const std::size_t size = longitude.size() + latitude.size() + altitudeValue.size() + 4;
    if (longitude.size() > kMove || latitude.size() > kMove || altitudeValue.size() > kMove ||
        size > kBufferSize - used_)
        return Tuple(longitude, latitude, altitude);
    // each move may write up to 16 bytes past its value, into what comes next
    // or the buffer's slack
    char* const tuple = buffer_.data() + used_;
    char* out = tuple;
    auto move = [&out](std::string_view value) {
        std::memcpy(out, value.data(), kMove);
        out += value.size();
    };
    move(longitude);
    const std::size_t first = longitude.size();
    *out++ = ',';
    move(latitude);
    std::size_t second = std::string_view::npos;
    if (altitude) {
        second = static_cast<std::size_t>(out - tuple);
        *out++ = ',';
        move(altitudeValue);
    }
    MendDecimalCommas(tuple, static_cast<std::size_t>(out - tuple), first, second);
    *out++ = '\r';
    *out++ = '\n';
    used_ += static_cast<std::size_t>(out - tuple);
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
        if (used_ == kBufferSize) Flush();
        std::size_t n = std::min(bytes.size(), kBufferSize - used_);
        std::memcpy(buffer_.data() + used_, bytes.data(), n);
        used_ += n;
        bytes.remove_prefix(n);
    }
}

void KmlTrackWriter::PutCoordinate(std::string_view value) {
    while (!value.empty()) {
        if (used_ == kBufferSize) Flush();
        std::size_t n = std::min(value.size(), kBufferSize - used_);
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
