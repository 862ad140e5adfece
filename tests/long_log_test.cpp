// Logs far larger than a flight's: a line of 100 MB and a log of some GB. Slow
// and heavy on the disk, so built only with TRASOLIN_LONG_TESTS and labelled
// "long". Each run happens in a child process, which reports its time and peak
// memory; the figures go to the test's output and its XML properties.

#include "conversion/convert_log.h"
#include "platform/error.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using testing_support::TempDir;
using testing_support::WriteBytes;
namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kMiB = 1 << 20;

struct MeasuredRun {
    std::uint64_t entries = 0;
    std::string error;
    double seconds = 0;
    std::uint64_t peakKiB = 0;   // the child's peak resident memory
    std::uint64_t growthKiB = 0; // how much of it the run added
};

// Converts the log in a child process of its own, so that the peak memory is
// the run's alone.
MeasuredRun ConvertMeasured(const std::string& logPath) {
    int out[2];
    if (pipe(out) != 0) throw std::runtime_error("pipe");
    const pid_t child = fork();
    if (child == 0) {
        close(out[0]);
        MeasuredRun run;
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const auto baseline = static_cast<std::uint64_t>(usage.ru_maxrss);
        const auto start = std::chrono::steady_clock::now();
        try {
            run.entries = conversion::ConvertLog({logPath, false});
        } catch (const platform::Error& e) {
            run.error = e.what();
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        run.seconds = took.count();
        getrusage(RUSAGE_SELF, &usage);
        run.peakKiB = static_cast<std::uint64_t>(usage.ru_maxrss);
        run.growthKiB = run.peakKiB - baseline;
        char line[512];
        int n = std::snprintf(line, sizeof line, "%llu %.3f %llu %llu %s",
                              static_cast<unsigned long long>(run.entries), run.seconds,
                              static_cast<unsigned long long>(run.peakKiB),
                              static_cast<unsigned long long>(run.growthKiB), run.error.c_str());
        (void)!write(out[1], line, static_cast<std::size_t>(n));
        _exit(0);
    }
    close(out[1]);
    std::string report;
    char buffer[512];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, static_cast<std::size_t>(n));
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the run's process died";

    MeasuredRun run;
    unsigned long long entries = 0, peak = 0, growth = 0;
    int consumed = 0;
    if (std::sscanf(report.c_str(), "%llu %lf %llu %llu %n", &entries, &run.seconds, &peak,
                    &growth, &consumed) >= 4) {
        run.entries = entries;
        run.peakKiB = peak;
        run.growthKiB = growth;
        run.error = report.substr(static_cast<std::size_t>(consumed));
    }
    return run;
}

void Report(const std::string& what, std::uint64_t logBytes, const MeasuredRun& run) {
    std::printf("%s: %.1f MB log, %llu lines in %.2f s (%.0f MB/s), peak RSS %.1f MB "
                "(%.1f MB added by the run)\n",
                what.c_str(), static_cast<double>(logBytes) / 1e6,
                static_cast<unsigned long long>(run.entries), run.seconds,
                static_cast<double>(logBytes) / 1e6 / run.seconds,
                static_cast<double>(run.peakKiB) / 1024, static_cast<double>(run.growthKiB) / 1024);
    ::testing::Test::RecordProperty("seconds", std::to_string(run.seconds));
    ::testing::Test::RecordProperty("peak_rss_kib", std::to_string(run.peakKiB));
}

// What the track holds around its tuples: head, altitude mode (not flat), tail.
std::uint64_t TrackFrameSize(const TempDir& dir) {
    const std::string log = dir.File("frame.csv");
    WriteBytes(log, "Latitude;Longitude;Alt_AGL\r\n");
    conversion::ConvertLog({log, false});
    return fs::file_size(dir.File("frame.KML"));
}

bool EndsWith(const std::string& path, const std::string& tail) {
    std::ifstream in(path, std::ios::binary);
    in.seekg(-static_cast<std::streamoff>(tail.size()), std::ios::end);
    std::string end(tail.size(), '\0');
    in.read(end.data(), static_cast<std::streamsize>(end.size()));
    return in && end == tail;
}

constexpr const char* kTrackEnd = "            </coordinates>\r\n"
                                  "   </LineString>\r\n"
                                  "  </Placemark>\r\n"
                                  " </Document>\r\n"
                                  "</kml>\r\n";

TEST(LongLogTest, LineOfAHundredMegabytes) {
    // memory grows with the longest line, not beyond a few times its size
    constexpr std::uint64_t kLine = 100 * kMiB;
    struct {
        const char* what;
        bool written; // the long field is the altitude, so it goes into the track
    } cases[] = {{"long altitude", true}, {"long trailing field", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::string logPath = dir.File("long.csv");
        {
            std::ofstream log(logPath, std::ios::binary);
            log << "Time;Latitude;Longitude;Alt_AGL;Note\r\n";
            log << "12:00:01;52.1;21.0;" << (c.written ? "" : "120;");
            const std::string block(kMiB, '7');
            for (std::uint64_t i = 0; i < kLine / kMiB; ++i) log << block;
            log << "\r\n12:00:02;52.2;21.1;130;x\r\n";
            ASSERT_TRUE(log.good());
        }
        const std::uint64_t logBytes = fs::file_size(logPath);
        const MeasuredRun run = ConvertMeasured(logPath);
        Report(c.what, logBytes, run);
        EXPECT_EQ(run.error, "");
        EXPECT_EQ(run.entries, 3u);
        const std::string last = "21.1,52.2,130\r\n";
        // the first tuple holds the long value, or not
        const std::uint64_t first = c.written ? std::string("21.0,52.1,\r\n").size() + kLine
                                              : std::string("21.0,52.1,120\r\n").size();
        const std::uint64_t tuples = first + last.size();
        EXPECT_EQ(fs::file_size(dir.File("long.KML")), TrackFrameSize(dir) + tuples);
        EXPECT_TRUE(EndsWith(dir.File("long.KML"), last + kTrackEnd));
        EXPECT_LT(run.growthKiB * 1024, 3 * kLine) << "memory beyond three times the line";
    }
}

TEST(LongLogTest, LogOfSomeGigabytes) {
    // beyond 4 GiB, so that no count or offset may be 32 bits wide
    constexpr std::uint64_t kLogBytes = 4608 * kMiB;
    TempDir dir;
    const std::string logPath = dir.File("big.csv");

    // records of one length, so that the track's size follows from their number
    std::string block;
    constexpr int kBlockRecords = 16384;
    for (int i = 0; i < kBlockRecords; ++i) {
        char record[96];
        std::snprintf(record, sizeof record,
                      "2024-06-15;%02d:%02d:%02d;52.%06d;21.%06d;%05.1f;35.2;270;12\r\n",
                      i / 3600 % 24, i / 60 % 60, i % 60, i * 37 % 1000000, i * 53 % 1000000,
                      i % 1000 / 10.0);
        block += record;
    }
    const std::uint64_t blocks = kLogBytes / block.size() + 1;
    const std::string header = "Date;Time;Latitude;Longitude;Alt_AGL;Speed;Heading;Satellites\r\n";
    {
        std::ofstream log(logPath, std::ios::binary);
        log << header;
        for (std::uint64_t i = 0; i < blocks; ++i)
            log.write(block.data(), static_cast<std::streamsize>(block.size()));
        ASSERT_TRUE(log.good()) << "the disk is too small for this test";
    }
    const std::uint64_t logBytes = fs::file_size(logPath);
    const std::uint64_t records = blocks * kBlockRecords;
    ASSERT_EQ(logBytes, header.size() + blocks * block.size());

    const MeasuredRun run = ConvertMeasured(logPath);
    Report("log of some GB", logBytes, run);
    EXPECT_EQ(run.error, "");
    EXPECT_EQ(run.entries, records + 1);
    const std::uint64_t tupleSize = 9 + 1 + 9 + 1 + 5 + 2; // 21.xxxxxx,52.xxxxxx,nnn.n CR LF
    EXPECT_EQ(fs::file_size(dir.File("big.KML")), TrackFrameSize(dir) + records * tupleSize);
    EXPECT_TRUE(EndsWith(dir.File("big.KML"), kTrackEnd));
    EXPECT_LT(run.growthKiB, 64 * 1024u) << "memory grew with the log";
}

} // namespace
