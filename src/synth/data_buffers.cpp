#include "synth/data_buffers.h"

#include <algorithm>
#include <cstring>

int DataBuffer::Overwrite(std::span<const std::uint8_t> incoming) {
    const int count = int(std::min(incoming.size(), bytes_.size()));
    if (count > 0)
        std::memcpy(bytes_.data(), incoming.data(), std::size_t(count));
    return count;
}
