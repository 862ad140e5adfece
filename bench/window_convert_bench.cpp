// Measures what converting from the window costs over the bare conversion: the
// convert command (busy button, a progress position per line, repaints now and
// then) against ConvertLog alone, on the same log.
//
//   window_convert_bench LOG [RUNS]
//
// Built over the headless backend, or over the native one as
// window_convert_bench_native (Qt: run with QT_QPA_PLATFORM=offscreen).

#include "conversion/convert_log.h"
#include "conversion/line_count.h"
#include "ui/Unit1.h"
#include "measure.h"

#ifdef TRASOLIN_BENCH_NATIVE
#include "platform/ui/native_backend.h"
#else
#include "platform/ui/headless/headless_backend.h"
#endif

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <vector>
#include <memory>

namespace {

std::unique_ptr<components::Backend> MakeBackend() {
#ifdef TRASOLIN_BENCH_NATIVE
    return components::CreateNativeBackend();
#else
    return std::make_unique<components::headless::HeadlessBackend>();
#endif
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: window_convert_bench LOG [RUNS]\n");
        return 2;
    }
    const int runs = argc == 3 ? std::max(1, std::atoi(argv[2])) : 15;
    auto backend = MakeBackend();
    components::Application application(*backend);
    components::TheApplication = &application;
    application.Title = "Trasolin";
    application.CreateForm(Form1);

    try {
        // what the open command leaves behind, without its dialog
        LogFileName = argv[1];
        LineCount = conversion::CountLogLines(LogFileName);
        Form1->ProgressBar1->SetMax(static_cast<std::int64_t>(LineCount));
        Form1->konwertuj_bt->SetEnabled(true);

        const conversion::ConvertOptions options{LogFileName, Form1->CheckBox1->Checked()};
        conversion::ConvertLog(options); // warms the page cache
        // pairs run back to back, so a drift of the machine hits both alike; CPU
        // time, so what else runs does not count; the median pair, so an odd
        // disturbed run does not decide
        std::vector<double> bare, window, ratios;
        for (int i = 0; i < runs; ++i) {
            auto runBare = [&] {
                bare.push_back(bench::CpuSeconds([&] { conversion::ConvertLog(options); }));
            };
            auto runWindow = [&] {
                window.push_back(bench::CpuSeconds([&] { Form1->konwertuj_btClick(); }));
            };
            // each goes first in turn: a run pays for clearing away the track before it
            if (i % 2 == 0) runBare(), runWindow();
            else runWindow(), runBare();
            ratios.push_back(window.back() / bare.back());
        }

        std::printf("log: %s, %llu lines, %d pairs of runs\n", argv[1],
                    static_cast<unsigned long long>(LineCount), runs);
        std::printf("ConvertLog alone:          %8.3f s CPU (median)\n", bench::Median(bare));
        std::printf("convert command:           %8.3f s CPU (median)\n", bench::Median(window));
        std::printf("window's cost over bare:   %+7.1f %%  (median of pairs; target <= 10)\n",
                    (bench::Median(ratios) - 1.0) * 100.0);
        std::printf("result shown:              %s\n", Form1->StatusBar1->Panels()[1].text.c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    Form1.reset();
    components::TheApplication = nullptr;
    return 0;
}
