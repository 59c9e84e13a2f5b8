#pragma once

#include <QString>
#include <QStringList>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// What a backend offers at one moment: whether its system runs, and its devices by the names it
// reports.
struct DeviceSnapshot {
    bool running = true;
    QStringList inputs;
    QStringList outputs;
    bool operator==(const DeviceSnapshot&) const = default;
};

// Follows a backend's devices on a thread of its own, which looks every tenth of a second:
// listing costs too much to do before every send (tens of microseconds on JACK), so a send only
// reads a flag. It notices output devices that have gone (the backends go on sending into the
// void once a device has vanished) and tells when anything it saw has changed.
class DeviceWatch {
public:
    // Lists the devices as the backend names them now; runs on the watch's thread.
    using Lister = std::function<DeviceSnapshot()>;

    // changed runs on the watch's thread after a look that saw something else than the last one
    // (the first look is compared with a running system without devices).
    DeviceWatch(Lister list, std::function<void()> changed);
    ~DeviceWatch();
    DeviceWatch(const DeviceWatch&) = delete;
    DeviceWatch& operator=(const DeviceWatch&) = delete;

    // Sets gone once the output device is no longer listed. It stays set: a device that went away
    // has lost its connection even if it comes back.
    void Watch(const QString& reported, std::atomic<bool>& gone);
    // Returns once the flag is no longer touched.
    void Forget(const std::atomic<bool>& gone);

private:
    struct Watched {
        QString reported;
        std::atomic<bool>* gone;
        std::uint64_t number; // in the order watched
    };
    void run();

    Lister list_;
    std::function<void()> changed_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<Watched> watched_;
    std::uint64_t lastWatched_ = 0;
    bool stopping_ = false;
    std::thread thread_;
};
