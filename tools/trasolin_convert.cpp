// trasolin-convert: writes the KML track of each flight log given, as the
// window's convert command does.

#include "conversion/convert_log.h"
#include "conversion/line_count.h"
#include "platform/console.h"
#include "platform/error.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "Usage: trasolin-convert [--relative] LOG...\n"
    "Writes the KML track of each flight LOG beside it (LOG with the extension KML).\n"
    "  --relative  draw the track at the logged height (relativeToGround);\n"
    "              by default it is laid on the ground (clampToGround)\n"
    "  --help      show this text\n";

// A bar on the terminal, redrawn only when its percentage changes.
class TerminalProgress {
public:
    TerminalProgress(const std::string& name, std::uint64_t total) : name_(name), total_(total) {}
    ~TerminalProgress() { std::fprintf(stderr, "\r%*s\r", 72, ""); }

    void Report(std::uint64_t line) {
        if (line < nextDraw_ || total_ == 0) return;
        unsigned percent = line >= total_ ? 100 : static_cast<unsigned>(line * 100 / total_);
        // the first line of the next percent; the last line draws the full bar
        nextDraw_ = percent == 100 ? UINT64_MAX
                                   : std::min(total_, ((percent + 1) * total_ + 99) / 100);
        constexpr int kWidth = 30;
        int filled = static_cast<int>(percent) * kWidth / 100;
        std::fprintf(stderr, "\r%.30s [%.*s%*s] %3u%%", name_.c_str(), filled,
                     "##############################", kWidth - filled, "", percent);
        std::fflush(stderr);
    }

private:
    std::string name_;
    std::uint64_t total_;
    std::uint64_t nextDraw_ = 0;
};

std::uint64_t Convert(const std::string& log, bool flat, bool showProgress) {
    conversion::ConvertOptions options{log, flat};
    if (!showProgress) return conversion::ConvertLog(options);
    TerminalProgress progress(log, conversion::CountLogLines(log));
    return conversion::ConvertLog(options, [&](std::uint64_t line) { progress.Report(line); });
}

} // namespace

int main(int argc, char** argv) {
    platform::PrepareConsole();
    bool flat = true;
    std::vector<std::string> logs;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!optionsEnded && std::strcmp(arg, "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (!optionsEnded && std::strcmp(arg, "--relative") == 0) {
            flat = false;
        } else if (!optionsEnded && std::strcmp(arg, "--") == 0) {
            optionsEnded = true;
        } else if (!optionsEnded && arg[0] == '-' && arg[1] != '\0') {
            std::fprintf(stderr, "trasolin-convert: unknown option %s\n%s", arg, kUsage);
            return 2;
        } else {
            logs.emplace_back(arg);
        }
    }
    if (logs.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    const bool showProgress = platform::IsTerminal(stderr);
    int status = 0;
    for (const std::string& log : logs) {
        try {
            std::uint64_t entries = Convert(log, flat, showProgress);
            std::printf("%s: OK!  %llu wpisów\n", log.c_str(),
                        static_cast<unsigned long long>(entries));
        } catch (const platform::Error& e) {
            std::fprintf(stderr, "%s: %s\n", log.c_str(), e.what());
            status = 1;
        }
        std::fflush(stdout);
    }
    return status;
}
