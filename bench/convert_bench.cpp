// Measures the conversion against a bound taken in the same run: a plain pass that
// reads the same log in 1 MiB blocks and counts its line ends with memchr.
//
//   convert_bench TRASOLIN_CONVERT LOG
//
// Prints the throughput of each, their ratio, the converter's peak memory, and
// what a ReportProgress call per line costs.

#include "conversion/convert_log.h"

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

void RunConverter(const char* converter, const char* log) {
    pid_t child = ::fork();
    if (child == 0) {
        int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::execl(converter, converter, log, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n", converter);
        std::exit(1);
    }
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
    struct rusage usage;
    ::getrusage(RUSAGE_CHILDREN, &usage);
    const double peakMegabytes = static_cast<double>(usage.ru_maxrss) / 1024.0;

    conversion::ConvertOptions options{log, true};
    std::uint64_t sink = 0;
    double bare = 1e30, reported = 1e30;
    for (int i = 0; i < runs; ++i) { // interleaved, so drifts hit both alike
        bare = std::min(bare, BestSeconds(1, [&] { conversion::ConvertLog(options); }));
        reported = std::min(reported, BestSeconds(1, [&] {
            conversion::ConvertLog(options, [&](std::uint64_t n) { sink += n; });
        }));
    }

    std::printf("log: %s, %.1f MB, %llu lines\n", log, megabytes,
                static_cast<unsigned long long>(lines));
    std::printf("bound (1 MiB reads + memchr):  %8.1f MB/s\n", megabytes / bound);
    std::printf("trasolin-convert:              %8.1f MB/s\n", megabytes / convert);
    std::printf("ratio to bound:                %8.2f  (target >= 0.40)\n", bound / convert);
    std::printf("peak memory of the converter:  %8.1f MB  (target < 16)\n", peakMegabytes);
    std::printf("ReportProgress per line costs: %+7.1f %%  (target < 5)  [%llu]\n",
                (reported / bare - 1.0) * 100.0, static_cast<unsigned long long>(sink % 10));
    return 0;
}
