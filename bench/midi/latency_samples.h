#pragma once

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <string>
#include <vector>

using BenchClock = std::chrono::steady_clock;

inline double microseconds(BenchClock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

// Latencies of one run, reported as the median and the 99th percentile in microseconds.
class LatencySamples {
public:
    explicit LatencySamples(std::string name) : name_(std::move(name)) {}
    void Add(BenchClock::duration d) { samples_.push_back(microseconds(d)); }

    void Report(benchmark::State& state) {
        if (samples_.empty())
            return;
        std::sort(samples_.begin(), samples_.end());
        state.counters[name_ + "_median_us"] = at(0.50);
        state.counters[name_ + "_p99_us"] = at(0.99);
    }

private:
    double at(double fraction) const {
        return samples_[std::min(samples_.size() - 1, std::size_t(fraction * samples_.size()))];
    }

    std::string name_;
    std::vector<double> samples_;
};
