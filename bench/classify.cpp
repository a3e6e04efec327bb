#include "patterns/row_evaluator.h"

#include <benchmark/benchmark.h>

namespace {

// Every row of seven cells over seven codes, 7^7 of them, once per iteration.
void classifyAllRows(benchmark::State& state)
{
    constexpr int codes = 7;
    std::int64_t rows = 0;
    for (auto _ : state) {
        RowCodes row{1, 1, 1, 1, 1, 1, 1};
        int found = 0;
        for (;;) {
            found += classifyRow(row) != NoPattern;
            ++rows;
            std::size_t i = 0;
            while (i < row.size() && row[i] == codes)
                row[i++] = 1;
            if (i == row.size())
                break;
            ++row[i];
        }
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(rows);
}

} // namespace

BENCHMARK(classifyAllRows)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
