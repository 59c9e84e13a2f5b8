#include "midi/circular_buffer.h"

#include <benchmark/benchmark.h>

namespace {

// One entry in and out on the same thread: the cost of the hand-over itself.
void RingPutTake(benchmark::State& state) {
    TCircularBuffer ring(1024);
    TMidiBufferItem item{1, 0x647FB0, nullptr};
    for (auto _ : state) {
        ring.Put(item);
        ring.Read(item);
        ring.Remove();
        benchmark::DoNotOptimize(item);
    }
}
BENCHMARK(RingPutTake);

} // namespace
