#include "conversion/columns.h"
#include "platform/error.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using conversion::FindColumns;
using namespace std::string_literals;

namespace {

TEST(FindColumnsTest, PlacesAmongTheHeaderFields) {
    struct {
        std::string header;
        std::size_t latitude, longitude;
        std::optional<std::size_t> altitude;
    } cases[] = {
        {"Time;Latitude;Longitude;Alt_AGL", 1, 2, 3},
        {"Date;Time;Latitude;Longitude;Alt_AGL", 2, 3, 4},
        {"Latitude;Longitude;Alt_AGL", 0, 1, 2},
        {"Time;Latitude;Longitude", 1, 2, std::nullopt},
        {"Time; Latitude;Longitude;Alt_AGL", 1, 2, 3},
        {"Time;  Latitude;Longitude;Alt_AGL", 1, 2, 3},
        {"a;;b;Latitude;Longitude;Alt_AGL", 2, 3, 4},  // empty fields are not fields
        {"'x;y';Latitude;Longitude;Alt_AGL", 1, 2, 3}, // nor is a quoted semicolon a separator
        {"GPS_Latitude;GPS_Longitude;Alt_AGL_m", 0, 1, 2},
        {"Alt_AGL;Longitude;Latitude", 2, 1, 0},
        {"Latitude;Latitude;Longitude", 0, 2, std::nullopt}, // the first occurrence counts
        {"Time;Latitude;Longitude;Alt_AGL", 1, 2, 3},
        {"Date,Time,Latitude;Longitude;Alt_AGL", 0, 1, 2},
        {"Latitude;Longitude Alt_AGL", 0, 1, std::nullopt}, // shares the longitude's field
    };
    for (const auto& c : cases) {
        auto columns = FindColumns(c.header);
        EXPECT_EQ(columns.latitude, c.latitude) << c.header;
        EXPECT_EQ(columns.longitude, c.longitude) << c.header;
        EXPECT_EQ(columns.altitude, c.altitude) << c.header;
    }
}

TEST(FindColumnsTest, MissingLatitudeOrLongitudeStops) {
    struct {
        std::string header;
        std::string message;
    } cases[] = {
        {"", "Brak kolumny \"Latitude\" w nagłówku"},
        {"Time;Longitude;Alt_AGL", "Brak kolumny \"Latitude\" w nagłówku"},
        {"Time;latitude;longitude", "Brak kolumny \"Latitude\" w nagłówku"}, // case counts
        {"Time;Latitude;Alt_AGL", "Brak kolumny \"Longitude\" w nagłówku"},
        {"Date,Time,Latitude,Longitude,Alt_AGL", "Brak kolumny \"Longitude\" w nagłówku"},
        {"Time;Latitude\0;Longitude"s, "Brak kolumny \"Longitude\" w nagłówku"},
    };
    for (const auto& c : cases) {
        try {
            FindColumns(c.header);
            ADD_FAILURE() << "no error for " << c.header;
        } catch (const platform::Error& e) {
            EXPECT_EQ(e.what(), c.message) << c.header;
        }
    }
}

} // namespace
