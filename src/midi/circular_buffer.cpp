#include "midi/circular_buffer.h"

#include <new>

TCircularBuffer* CircbufAlloc(std::uint16_t capacity) {
    try {
        return new TCircularBuffer(capacity);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void CircbufFree(TCircularBuffer* ring) {
    delete ring;
}

bool CircbufPutEvent(TCircularBuffer* ring, const TMidiBufferItem& item) {
    return ring->Put(item);
}

bool CircbufReadEvent(const TCircularBuffer* ring, TMidiBufferItem& item) {
    return ring->Read(item);
}

bool CircbufRemoveEvent(TCircularBuffer* ring) {
    return ring->Remove();
}
