#include "midi/circular_buffer.h"

#include <benchmark/benchmark.h>

namespace {

// One entry in and out on the same thread: the cost of the hand-over itself.
void RingPutTake(benchmark::State& state) {
    CircbufPtr ring(CircbufAlloc(1024));
    TMidiBufferItem item{1, 0x647FB0, nullptr};
    for (auto _ : state) {
        CircbufPutEvent(ring.get(), item);
        CircbufReadEvent(ring.get(), item);
        CircbufRemoveEvent(ring.get());
        benchmark::DoNotOptimize(item);
    }
}
BENCHMARK(RingPutTake);

} // namespace
