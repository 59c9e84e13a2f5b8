#pragma once

#include <QString>
#include <QStringList>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// Notices output devices that have gone. The backends go on sending into the void once a device
// has vanished, and looking a device up costs too much to do before every send (tens of
// microseconds on JACK), so a thread of its own looks every tenth of a second and a send only
// reads a flag.
class DeviceWatch {
public:
    // Lists the devices as the backend names them now; runs on the watch's thread.
    using Lister = std::function<QStringList()>;

    explicit DeviceWatch(Lister list);
    ~DeviceWatch();
    DeviceWatch(const DeviceWatch&) = delete;
    DeviceWatch& operator=(const DeviceWatch&) = delete;

    // Sets gone once the device is no longer listed. It stays set: a device that went away has
    // lost its connection even if it comes back.
    void Watch(const QString& reported, std::atomic<bool>& gone);
    // Returns once the flag is no longer touched.
    void Forget(const std::atomic<bool>& gone);

private:
    struct Watched {
        QString reported;
        std::atomic<bool>* gone;
    };
    void run();

    Lister list_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<Watched> watched_;
    bool stopping_ = false;
    std::thread thread_;
};
