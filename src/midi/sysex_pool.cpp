#include "midi/sysex_pool.h"

void SysexPool::Allocate(std::uint16_t count, std::uint16_t size) {
    Release();
    if (count == 0 || size == 0)
        count = 0;
    try {
        free_ = std::make_unique<SpscRing<TMyMidiHdr*>>(count);
        reclaimed_.reserve(count);
        buffers_.reserve(count);
        for (int i = 0; i < count; ++i) {
            buffers_.push_back(std::make_unique<TMyMidiHdr>(size));
            free_->Put(buffers_.back().get());
        }
    } catch (...) {
        Release();
        throw;
    }
}

void SysexPool::Release() {
    free_.reset();
    reclaimed_ = {};
    buffers_.clear();
}

TMyMidiHdr* SysexPool::Take() {
    if (!reclaimed_.empty()) {
        TMyMidiHdr* buffer = reclaimed_.back();
        reclaimed_.pop_back();
        return buffer;
    }
    TMyMidiHdr* buffer = nullptr;
    if (!free_ || !free_->Read(buffer))
        return nullptr;
    free_->Remove();
    return buffer;
}

void SysexPool::Reclaim(TMyMidiHdr* buffer) {
    buffer->BytesRecorded = 0;
    reclaimed_.push_back(buffer);
}

void SysexPool::GiveBack(TMyMidiHdr* buffer) {
    buffer->BytesRecorded = 0;
    free_->Put(buffer);
}
