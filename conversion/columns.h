#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace conversion {

// Where the run finds its values: places among the fields a line splits into.
struct Columns {
    std::size_t latitude = 0;
    std::size_t longitude = 0;
    std::optional<std::size_t> altitude; // a log may have no Alt_AGL column
};

// A column's place is that of the header field holding the first occurrence of
// its name in the header text (case-sensitive, so GPS_Latitude holds "Latitude").
// The names are looked up as "Latitude", "Longitude", "Alt_AGL"; one found in a
// field that holds an earlier name counts as absent. A missing latitude or
// longitude throws MissingColumnError.
Columns FindColumns(std::string_view header);

} // namespace conversion
