// Converting a log in the window on Win32 against trasolin-convert.exe, both on
// the same system (under the same Wine session in the cross build):
//
//   win32_convert_bench TRASOLIN_CONVERT_EXE LOG [RUNS]
//
// The window's run is konwertuj_btClick on the real Win32 backend, the window
// shown and repainting as it goes; the converter runs as a process of its own,
// as a user starts it, its output going nowhere. Both write the same track with
// the same flat flag. Prints the best time of each and how much the window costs
// over the converter.

#include "conversion/line_count.h"
#include "platform/ui/native_backend.h"
#include "ui/Unit1.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(const std::function<void()>& work) {
    auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Runs the converter on the log and waits for it; false when it failed.
bool RunConverter(const std::string& converter, const std::string& log) {
    std::string command = "\"";
    command += converter;
    command += "\" \"";
    command += log;
    command += "\"";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE nowhere = ::CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                   OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = nowhere;
    startup.hStdError = nowhere;
    PROCESS_INFORMATION process{};
    const bool started = ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                          nullptr, &startup, &process) != 0;
    DWORD status = 1;
    if (started) {
        ::WaitForSingleObject(process.hProcess, INFINITE);
        ::GetExitCodeProcess(process.hProcess, &status);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    ::CloseHandle(nowhere);
    return status == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: win32_convert_bench TRASOLIN_CONVERT_EXE LOG [RUNS]\n");
        return 2;
    }
    const std::string converter = argv[1];
    const std::string log = argv[2];
    // the best of several runs: the machine's noise only ever adds time
    const int runs = argc == 4 ? std::max(1, std::atoi(argv[3])) : 5;

    auto backend = components::CreateNativeBackend();
    components::Application application(*backend);
    components::TheApplication = &application;
    application.Title = "Trasolin";
    application.CreateForm(Form1);

    try {
        // what the open command leaves behind, without its dialog
        LogFileName = log;
        LineCount = conversion::CountLogLines(LogFileName);
        Form1->ProgressBar1->SetMax(static_cast<std::int64_t>(LineCount));
        Form1->konwertuj_bt->SetEnabled(true);
        application.ProcessPaintMessages();

        if (!RunConverter(converter, log)) { // also warms the page cache
            std::fprintf(stderr, "%s failed on %s\n", converter.c_str(), log.c_str());
            return 1;
        }
        double alone = 1e30, window = 1e30;
        for (int i = 0; i < runs; ++i) { // interleaved, so drifts hit both alike
            alone = std::min(alone, Seconds([&] { RunConverter(converter, log); }));
            window = std::min(window, Seconds([&] { Form1->konwertuj_btClick(); }));
            application.ProcessPaintMessages();
        }

        std::printf("log: %s, %llu lines, best of %d\n", log.c_str(),
                    static_cast<unsigned long long>(LineCount), runs);
        std::printf("trasolin-convert.exe:      %8.3f s\n", alone);
        std::printf("window (konwertuj_btClick): %7.3f s\n", window);
        std::printf("window / converter:        %8.3f  (%+.1f %%, target <= +10 %%)\n", window / alone,
                    (window / alone - 1.0) * 100.0);
        std::printf("result shown:              %s\n", Form1->StatusBar1->Panels()[1].text.c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    Form1.reset();
    components::TheApplication = nullptr;
    return 0;
}
