#include "midi/device_watch.h"

#include <algorithm>
#include <chrono>

namespace {
constexpr std::chrono::milliseconds Interval(100);
}

DeviceWatch::DeviceWatch(Lister list) : list_(std::move(list)), thread_([this] { run(); }) {}

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
    watched_.push_back({reported, &gone});
}

void DeviceWatch::Forget(const std::atomic<bool>& gone) {
    std::lock_guard lock(mutex_);
    std::erase_if(watched_, [&](const Watched& w) { return w.gone == &gone; });
}

void DeviceWatch::run() {
    std::unique_lock lock(mutex_);
    while (!wake_.wait_for(lock, Interval, [this] { return stopping_; })) {
        if (watched_.empty())
            continue;
        const QStringList present = list_();
        for (const Watched& w : watched_)
            if (!present.contains(w.reported))
                w.gone->store(true, std::memory_order_release);
    }
}
