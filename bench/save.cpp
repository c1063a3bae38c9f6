// Whole-file saves of 1 KB and of 20 MB, with the flushes that put the new
// content on the disk before it replaces the old file (and the folder after
// the move) and without them. The headless double writes real files below the
// current folder (scripts/bench.sh runs from the source tree), on a disk rather
// than in memory, where /tmp may be and a flush costs nothing. Wall time: a
// flush waits for the disk without using the processor.
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "core/os_headless.h"
#include "io/whole_save.h"

namespace {

using namespace tovan;

void Save(benchmark::State& state, bool flushed) {
    char made[] = "bench-save-XXXXXX";
    if (!mkdtemp(made)) {
        state.SkipWithError("no folder for the saves");
        return;
    }
    const std::string root = std::filesystem::absolute(made).string();
    os::headless::Reset();
    os::headless::SetDriveRoot(root);
    if (!flushed)
        os::headless::SkipFlushes();
    const std::vector<uint8_t> bytes(size_t(state.range(0)), uint8_t('x'));
    bool saved = true;
    for (auto _ : state)
        saved = saved && SaveWhole("C:\\doc.bin", bytes.data(), int32_t(bytes.size()));
    if (!saved)
        state.SkipWithError("a save failed");
    state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0));
    os::headless::Reset();
    std::filesystem::remove_all(root);
}

void BM_SaveFlushed(benchmark::State& state) { Save(state, true); }
void BM_SaveUnflushed(benchmark::State& state) { Save(state, false); }
BENCHMARK(BM_SaveFlushed)->Arg(1 << 10)->Arg(20 << 20)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveUnflushed)->Arg(1 << 10)->Arg(20 << 20)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
