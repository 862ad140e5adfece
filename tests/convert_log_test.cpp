#include "conversion/convert_log.h"
#include "conversion/kml_track_writer.h"
#include "platform/error.h"
#include "platform/file/file.h"
#include "expected_track.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using conversion::ConvertLog;
using conversion::ConvertOptions;
using conversion::KmlTrackWriter;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;
using namespace std::string_literals;

namespace {

std::string Track(const std::string& coordinates, bool flat = true) {
    return testing_support::ExpectedTrack(coordinates, flat);
}

std::string ErrorOf(const ConvertOptions& options) {
    try {
        ConvertLog(options);
    } catch (const platform::Error& e) {
        return e.what();
    }
    return "no error";
}

class ConvertLogTest : public ::testing::Test {
protected:
    // Writes the log, converts it and returns the track; the run's result in `entries`.
    std::string Convert(const std::string& log, bool flat = true) {
        WriteBytes(logPath, log);
        entries = ConvertLog({logPath, flat});
        return ReadBytes(trackPath);
    }

    TempDir dir;
    std::string logPath = dir.File("LOG00012.CSV");
    std::string trackPath = dir.File("LOG00012.KML");
    std::uint64_t entries = 0;
};

TEST_F(ConvertLogTest, WritesTheTrackOfAFlight) {
    EXPECT_EQ(Convert("Date;Time;Latitude;Longitude;Alt_AGL;Speed\r\n"
                      "2024-06-15;12:00:01;52.1;21.0;120;30\r\n"
                      "2024-06-15;12:00:02;52.2;21.1;130.5;31\r\n"
                      "2024-06-15;12:00:03;52.3;21.2;140;32\r\n"),
              Track("21.0,52.1,120\r\n21.1,52.2,130.5\r\n21.2,52.3,140\r\n"));
    EXPECT_EQ(entries, 4u); // the header line is counted
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"LOG00012.CSV", "LOG00012.KML"}));
}

TEST_F(ConvertLogTest, FlatFlagChoosesTheAltitudeMode) {
    const std::string log = "Time;Latitude;Longitude;Alt_AGL\n1;52.1;21.0;120\n";
    EXPECT_EQ(Convert(log, true), Track("21.0,52.1,120\r\n", true));
    EXPECT_EQ(Convert(log, false), Track("21.0,52.1,120\r\n", false)); // and replaces the first
}

TEST_F(ConvertLogTest, LinesAndRecords) {
    struct {
        std::string log;
        std::string coordinates;
        std::uint64_t entries;
    } cases[] = {
        {"Time;Latitude;Longitude;Alt_AGL", "", 1},
        {"Time;Latitude;Longitude;Alt_AGL\r\n", "", 1},
        // the same log with LF and with CR LF ends
        {"T;Latitude;Longitude;Alt_AGL\n1;52;21;1\n2;53;22;2", "21,52,1\r\n22,53,2\r\n", 3},
        {"T;Latitude;Longitude;Alt_AGL\r\n1;52;21;1\r\n2;53;22;2\r\n", "21,52,1\r\n22,53,2\r\n", 3},
        // empty fields are not fields, so later ones move down
        {"T;Latitude;Longitude;Alt_AGL\n1;;52;21;1\n", "21,52,1\r\n", 2},
        // values go out as read, except that a decimal comma becomes a point
        {"T;Latitude;Longitude;Alt_AGL\n1;'52,5';\"21,25\";1,5\n", "\"21.25\",'52.5',1.5\r\n", 2},
        // no altitude column: two-value tuples
        {"T;Latitude;Longitude\n1;52;21;9\n", "21,52\r\n", 2},
        // Ctrl-Z ends the input, inside a line too
        {"T;Latitude;Longitude;Alt_AGL\n1;52;21;1\x1A;junk\n2;53;22;2\n", "21,52,1\r\n", 2},
        // a repeated header further down is no record
        {"T;Latitude;Longitude;Alt_AGL\n1;52;21;1\nT;Latitude;Longitude;Alt_AGL\n", "21,52,1\r\n", 3},
        // the header is never a record, whatever its column names look like
        {"T;GPS_Latitude;GPS_Longitude;Alt_AGL\n1;52;21;1\n", "21,52,1\r\n", 2},
        // a lone CR is dropped, even where it ends the last field the run needs
        {"T;Latitude;Longitude;Alt_AGL\n1;52;21;12\r0\n2;53;22;3\r;x\n",
         "21,52,120\r\n22,53,3\r\n", 3},
        // lines ended by CR alone are one line, so the log is only a header
        {"T;Latitude;Longitude;Alt_AGL\r1;52;21;1\r2;53;22;2\r", "", 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Convert(c.log), Track(c.coordinates)) << c.log;
        EXPECT_EQ(entries, c.entries) << c.log;
    }
}

TEST_F(ConvertLogTest, RecordsWithoutAFixAreSkippedButCounted) {
    struct {
        std::string latitude, longitude;
        bool kept;
    } cases[] = {
        {"0.000000", "0.000000", false}, {"52.1", "0.000000", false}, {"0.0", "21.0", false},
        {"52.1", "0.", false},           {"0,000", "21.0", false},    {"52.1", "0,0", false},
        {"52.1", "0.75", true},          {"0.000123", "21.0", true},  {"-0.000000", "21.0", true},
        {"52.1", "0", true},             {"52.1", "-0.5", true},      {"0.5", "0.25", true},
    };
    for (const auto& c : cases) {
        std::string track = Convert("T;Latitude;Longitude;Alt_AGL\n1;" + c.latitude + ";" +
                                    c.longitude + ";7\n");
        std::string tuple = c.longitude + "," + c.latitude + ",7\r\n";
        EXPECT_EQ(track, Track(c.kept ? tuple : "")) << c.latitude << " " << c.longitude;
        EXPECT_EQ(entries, 2u);
    }
}

TEST_F(ConvertLogTest, ShortLineStopsWithTheFirstMissingIndexAndLosesNothing) {
    const std::string earlier = "earlier track";
    struct {
        std::string log;
        std::string message;
    } cases[] = {
        {"T;Latitude;Longitude;Alt_AGL\n1;52;21;1\n\n", "List index out of bounds (2)"},
        {"T;Latitude;Longitude;Alt_AGL\n1;52;21;1\n\r", "List index out of bounds (2)"},
        {"T;Latitude;Longitude;Alt_AGL\n1;52\n", "List index out of bounds (2)"},
        {"T;Latitude;Longitude;Alt_AGL\n1;52;21\n", "List index out of bounds (3)"},
        {"T;Longitude;Latitude;Alt_AGL\n1\n", "List index out of bounds (1)"},
        {"T;Latitude;Longitude;Alt_AGL\n1;52\0;21;1\n"s,
         "List index out of bounds (2)"}, // a NUL hides the fields after it
        {"", "Brak kolumny \"Latitude\" w nagłówku"},
        {"T;Lat;Longitude\n", "Brak kolumny \"Latitude\" w nagłówku"},
        {"Date,Time,Latitude,Longitude,Alt_AGL\n", "Brak kolumny \"Longitude\" w nagłówku"},
    };
    for (const auto& c : cases) {
        WriteBytes(trackPath, earlier);
        WriteBytes(logPath, c.log);
        EXPECT_EQ(ErrorOf({logPath, true}), c.message) << c.log;
        EXPECT_EQ(ReadBytes(trackPath), earlier);
        EXPECT_EQ(ReadBytes(logPath), c.log);
        EXPECT_EQ(dir.Names(), (std::vector<std::string>{"LOG00012.CSV", "LOG00012.KML"}));
    }
    // both files were closed: the log can be written again and the track replaced
    WriteBytes(logPath, "T;Latitude;Longitude;Alt_AGL\n1;52;21;1\n");
    EXPECT_EQ(ConvertLog({logPath, true}), 2u);
}

TEST_F(ConvertLogTest, ReportsEachLineBeforeReadingIt) {
    WriteBytes(logPath, "T;Latitude;Longitude;Alt_AGL\n1;0.0;0.0;1\n2;52;21;1\n3;53;22;2");
    std::vector<std::uint64_t> reported;
    auto count = ConvertLog({logPath, true}, [&](std::uint64_t n) { reported.push_back(n); });
    EXPECT_EQ(count, 4u);
    EXPECT_EQ(reported, (std::vector<std::uint64_t>{1, 2, 3, 4}));
}

TEST(ConvertLogErrorsTest, FilesThatCannotBeUsed) {
    TempDir dir;
    const std::string log = "T;Latitude;Longitude;Alt_AGL\n1;52;21;1\n";

    // a log that does not exist, and one in a folder that does not exist
    EXPECT_EQ(ErrorOf({dir.File("none.csv"), true}), "File not found");
    EXPECT_EQ(ErrorOf({dir.File("none/x.csv"), true}), "Invalid filename");

    // a log named like its own track: the log is open for reading when the track
    // would be created, so that fails with a sharing violation and the log stays
    WriteBytes(dir.File("flight.KML"), log);
    EXPECT_EQ(ErrorOf({dir.File("flight.KML"), true}), "I/O error 32");
    EXPECT_EQ(ReadBytes(dir.File("flight.KML")), log);

    // an earlier track that is read-only
    WriteBytes(dir.File("ro.csv"), log);
    WriteBytes(dir.File("ro.KML"), "kept");
    std::filesystem::permissions(dir.File("ro.KML"), std::filesystem::perms::owner_read |
                                                         std::filesystem::perms::group_read |
                                                         std::filesystem::perms::others_read);
    EXPECT_EQ(ErrorOf({dir.File("ro.csv"), true}), "File access denied");
    EXPECT_EQ(ReadBytes(dir.File("ro.KML")), "kept");

    // an earlier track held open for writing by someone else
    WriteBytes(dir.File("held.csv"), log);
    {
        platform::OutputFile held(dir.File("held.KML"), platform::OutputFile::Mode::CreateOrReplace);
        held.Write("held", 4);
        EXPECT_EQ(ErrorOf({dir.File("held.csv"), true}), "I/O error 32");
    }
    EXPECT_EQ(ReadBytes(dir.File("held.KML")), "held");

    // a log held open for writing by someone else
    {
        platform::OutputFile writing(dir.File("busy.csv"), platform::OutputFile::Mode::CreateOrReplace);
        EXPECT_EQ(ErrorOf({dir.File("busy.csv"), true}), "I/O error 32");
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("busy.KML")));

    std::vector<std::string> expected = {"flight.KML", "held.KML", "held.csv", "ro.KML", "ro.csv",
                                         "busy.csv"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(dir.Names(), expected) << "no temporary file is left behind";
}

TEST(TrackPathTest, LastThreeBytesBecomeKml) {
    struct {
        std::string log, track;
    } cases[] = {
        {"C:\\logs\\LOG00012.CSV", "C:\\logs\\LOG00012.KML"},
        {"/logs/flight.csv", "/logs/flight.KML"},
        {"C:\\logs\\track.xlsx", "C:\\logs\\track.xKML"},
        {"abc", "KML"},
        {"a", "KML"},
        {"", "KML"},
    };
    for (const auto& c : cases) EXPECT_EQ(KmlTrackWriter::TrackPathFor(c.log), c.track);
}

} // namespace
