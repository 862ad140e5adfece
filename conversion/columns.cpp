#include "conversion/columns.h"

#include "conversion/errors.h"
#include "conversion/field_splitter.h"

#include <string>
#include <vector>

namespace conversion {
namespace {

struct FieldSpan {
    std::size_t begin, end; // offsets into the header
};

// Collects where each header field lies in the header text.
class FieldSpans {
public:
    explicit FieldSpans(std::string_view header) : header_(header) {}
    void Append(std::string_view field) {
        auto begin = static_cast<std::size_t>(field.data() - header_.data());
        spans_.push_back({begin, begin + field.size()});
    }
    const std::vector<FieldSpan>& spans() const { return spans_; }

private:
    std::string_view header_;
    std::vector<FieldSpan> spans_;
};

std::optional<std::size_t> FindColumn(std::string_view name, std::string_view header,
                                      const std::vector<FieldSpan>& fields) {
    std::size_t pos = header.find(name);
    if (pos == std::string_view::npos) return std::nullopt;
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i].begin <= pos && pos < fields[i].end) return i;
    return std::nullopt; // beyond a NUL, where the splitter sees no field
}

} // namespace

Columns FindColumns(std::string_view header) {
    FieldSpans spans(header);
    FieldSplitter({';'}, {}).Split(header, spans);

    std::vector<std::size_t> taken;
    auto find = [&](const char* name, bool required) -> std::optional<std::size_t> {
        auto index = FindColumn(name, header, spans.spans());
        for (std::size_t earlier : taken)
            if (index == earlier) index.reset();
        if (!index && required) throw MissingColumnError(name);
        if (index) taken.push_back(*index);
        return index;
    };

    Columns columns;
    columns.latitude = *find("Latitude", true);
    columns.longitude = *find("Longitude", true);
    columns.altitude = find("Alt_AGL", false);
    return columns;
}

} // namespace conversion
