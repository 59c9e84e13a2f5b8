#include "midi/device_watch.h"

#include <algorithm>
#include <chrono>

namespace {
constexpr std::chrono::milliseconds Interval(100);
}

DeviceWatch::DeviceWatch(Lister list, std::function<void()> changed)
    : list_(std::move(list)), changed_(std::move(changed)), thread_([this] { run(); }) {}

DeviceWatch::~DeviceWatch() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void DeviceWatch::Watch(const QString& reported, std::atomic<bool>& gone) {
    std::lock_guard lock(mutex_);
    watched_.push_back({reported, &gone, ++lastWatched_});
}

void DeviceWatch::Forget(const std::atomic<bool>& gone) {
    std::lock_guard lock(mutex_);
    std::erase_if(watched_, [&](const Watched& w) { return w.gone == &gone; });
}

void DeviceWatch::run() {
    DeviceSnapshot last;
    std::unique_lock lock(mutex_);
    while (!wake_.wait_for(lock, Interval, [this] { return stopping_; })) {
        // Listing may take a while (a JACK server being connected to again), so ports are opened
        // and closed meanwhile; only a device watched before the look began can be missing from it.
        const std::uint64_t watchedBefore = lastWatched_;
        lock.unlock();
        DeviceSnapshot now = list_();
        lock.lock();
        for (const Watched& w : watched_)
            if (w.number <= watchedBefore && !now.outputs.contains(w.reported))
                w.gone->store(true, std::memory_order_release);
        if (now == last)
            continue;
        last = std::move(now);
        changed_();
    }
}
