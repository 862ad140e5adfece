// Measures the conversion against a bound taken in the same run: a plain pass that
// reads the same log in 1 MiB blocks and counts its line ends with memchr.
//
//   convert_bench TRASOLIN_CONVERT LOG
//
// Prints the throughput of each, their ratio, the converter's peak memory, and
// what a ReportProgress call per line costs.

#include "conversion/convert_log.h"
#include "measure.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The best of a few runs: the machine's noise only ever adds time.
double BestSeconds(int runs, const std::function<void()>& work) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        auto start = Clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

std::uint64_t CountLineEnds(const char* path) {
    int fd = ::open(path, O_RDONLY);
    if (fd < 0) {
        std::perror(path);
        std::exit(1);
    }
    std::vector<char> block(1 << 20);
    std::uint64_t ends = 0;
    for (;;) {
        ssize_t n = ::read(fd, block.data(), block.size());
        if (n <= 0) break;
        const char* p = block.data();
        const char* end = p + n;
        while ((p = static_cast<const char*>(std::memchr(p, '\n', end - p))) != nullptr) {
            ++ends;
            ++p;
        }
    }
    ::close(fd);
    return ends;
}

// Runs the converter on the log; returns the CPU seconds, user and system, it took.
double RunConverter(const char* converter, const char* log) {
    pid_t child = ::fork();
    if (child == 0) {
        int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::execl(converter, converter, log, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    struct rusage usage {};
    ::wait4(child, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n", converter);
        std::exit(1);
    }
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: convert_bench TRASOLIN_CONVERT LOG\n");
        return 2;
    }
    const char* converter = argv[1];
    const char* log = argv[2];
    struct stat st;
    if (::stat(log, &st) != 0) {
        std::perror(log);
        return 1;
    }
    const double megabytes = static_cast<double>(st.st_size) / 1e6;
    const int runs = 7;

    std::uint64_t lines = CountLineEnds(log); // also warms the page cache
    double bound = BestSeconds(runs, [&] { CountLineEnds(log); });
    double convert = BestSeconds(runs, [&] { RunConverter(converter, log); });
    // the same in CPU time, pair by pair, which what else runs on the machine
    // disturbs far less than the wall clock
    std::vector<double> cpuRatios;
    for (int i = 0; i < 2 * runs + 1; ++i) {
        double boundCpu = bench::CpuSeconds([&] { CountLineEnds(log); });
        cpuRatios.push_back(boundCpu / RunConverter(converter, log));
    }
    struct rusage usage;
    ::getrusage(RUSAGE_CHILDREN, &usage);
    const double peakMegabytes = static_cast<double>(usage.ru_maxrss) / 1024.0;

    conversion::ConvertOptions options{log, true};
    std::uint64_t sink = 0;
    std::vector<double> progressCosts;
    for (int i = 0; i < 2 * runs + 1; ++i) { // each goes first in turn
        auto bare = [&] { return bench::CpuSeconds([&] { conversion::ConvertLog(options); }); };
        auto reported = [&] {
            return bench::CpuSeconds([&] {
                conversion::ConvertLog(options, [&](std::uint64_t n) { sink += n; });
            });
        };
        double b, r;
        if (i % 2 == 0) b = bare(), r = reported();
        else r = reported(), b = bare();
        progressCosts.push_back(r / b);
    }

    std::printf("log: %s, %.1f MB, %llu lines\n", log, megabytes,
                static_cast<unsigned long long>(lines));
    std::printf("bound (1 MiB reads + memchr):  %8.1f MB/s\n", megabytes / bound);
    std::printf("trasolin-convert:              %8.1f MB/s\n", megabytes / convert);
    std::printf("ratio to bound:                %8.2f  (target >= 0.40)\n", bound / convert);
    std::printf("ratio to bound in CPU time:    %8.2f  (median of %zu pairs)\n",
                bench::Median(cpuRatios), cpuRatios.size());
    std::printf("peak memory of the converter:  %8.1f MB  (target < 16)\n", peakMegabytes);
    std::printf("ReportProgress per line costs: %+7.1f %%  (target < 5; CPU, median of pairs) [%llu]\n",
                (bench::Median(progressCosts) - 1.0) * 100.0, static_cast<unsigned long long>(sink % 10));
    return 0;
}
