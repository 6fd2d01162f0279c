// Load (decode) and save (encode) of a large configuration document: 50 desktops with 2,000 files
// and positions each, 20 custom filters and 100 cleanup tasks.
#include "model/ConfigCodec.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tessarin;

Config largeConfig() {
    Config config;
    config.activeWorkspace = "Desktop 0";
    for (int d = 0; d < 50; ++d) {
        auto w = Workspace::make("Desktop " + std::to_string(d));
        w.files.reserve(2000);
        w.positions.reserve(2000);
        for (int f = 0; f < 2000; ++f) {
            std::string name = "Document " + std::to_string(d) + "-" + std::to_string(f) + ".pdf";
            w.positions.set(name, IconPosition{64 + (f % 20) * 96, 900 - (f / 20) * 96});
            w.files.push_back(std::move(name));
        }
        w.createdAt = Date{700000000.25 + d};
        w.lastActiveAt = Date{760000000.125 + d};
        w.hotkey = HotKeySpec{static_cast<uint32_t>(18 + d), 256};
        w.cue = DesktopCue{true, DesktopCue::Fill::color("#0A84FF"), 0.4, false, false};
        config.workspaces.push_back(std::move(w));
    }
    for (int i = 0; i < 20; ++i)
        config.settings.customFilters.push_back(CustomFilter{
            Uuid::random(), true, "pattern " + std::to_string(i), "Desktop " + std::to_string(i)});
    for (int i = 0; i < 100; ++i)
        config.cleanupTasks.push_back(
            CleanupTask{Uuid::random(),
                        {"Desktop " + std::to_string(i % 50), "Desktop " + std::to_string((i + 1) % 50)},
                        Date{770000000.5 + i * 86400}});
    return config;
}

void BM_LoadLargeConfig(benchmark::State& state) {
    const std::string bytes = encodeConfig(largeConfig());
    for (auto _ : state) {
        auto config = decodeConfig(bytes);
        benchmark::DoNotOptimize(config);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
    state.counters["documentBytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_LoadLargeConfig)->Unit(benchmark::kMillisecond);

void BM_SaveLargeConfig(benchmark::State& state) {
    const Config config = largeConfig();
    std::size_t size = 0;
    for (auto _ : state) {
        auto bytes = encodeConfig(config);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(size));
}
BENCHMARK(BM_SaveLargeConfig)->Unit(benchmark::kMillisecond);

} // namespace
