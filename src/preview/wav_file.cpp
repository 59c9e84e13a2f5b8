#include "preview/wav_file.h"

#include <algorithm>
#include <cstring>
#include <sndfile.h>
#include <vector>

namespace {

// libsndfile writes through these into memory; it seeks back to finish the header.
struct MemoryFile {
    QByteArray bytes;
    sf_count_t position = 0;
};

sf_count_t length(void* data) {
    return static_cast<MemoryFile*>(data)->bytes.size();
}

sf_count_t seek(sf_count_t offset, int whence, void* data) {
    auto* file = static_cast<MemoryFile*>(data);
    const sf_count_t base = whence == SEEK_SET   ? 0
                            : whence == SEEK_CUR ? file->position
                                                 : file->bytes.size();
    file->position = std::max<sf_count_t>(0, base + offset);
    return file->position;
}

sf_count_t read(void* destination, sf_count_t count, void* data) {
    auto* file = static_cast<MemoryFile*>(data);
    const sf_count_t available =
        std::clamp<sf_count_t>(file->bytes.size() - file->position, 0, count);
    std::memcpy(destination, file->bytes.constData() + file->position, std::size_t(available));
    file->position += available;
    return available;
}

sf_count_t write(const void* source, sf_count_t count, void* data) {
    auto* file = static_cast<MemoryFile*>(data);
    const sf_count_t end = file->position + count;
    if (end > file->bytes.size())
        file->bytes.resize(qsizetype(end));
    std::memcpy(file->bytes.data() + file->position, source, std::size_t(count));
    file->position = end;
    return count;
}

sf_count_t tell(void* data) {
    return static_cast<MemoryFile*>(data)->position;
}

} // namespace

QByteArray EncodeWav(const StereoSound& sound, QString& problem) {
    problem.clear();
    SF_VIRTUAL_IO io{length, seek, read, write, tell};
    MemoryFile file;
    SF_INFO info{};
    info.samplerate = sound.sampleRate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_24;
    SNDFILE* handle = sf_open_virtual(&io, SFM_WRITE, &info, &file);
    if (!handle) {
        problem = QString::fromUtf8(sf_strerror(nullptr));
        return {};
    }
    // Samples at full scale would wrap around in the integer format without it.
    sf_command(handle, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    const std::size_t frames = std::min(sound.left.size(), sound.right.size());
    std::vector<float> interleaved(2 * frames);
    for (std::size_t i = 0; i < frames; ++i) {
        interleaved[2 * i] = sound.left[i];
        interleaved[2 * i + 1] = sound.right[i];
    }
    const sf_count_t written = sf_writef_float(handle, interleaved.data(), sf_count_t(frames));
    if (written != sf_count_t(frames))
        problem = QString::fromUtf8(sf_strerror(handle));
    sf_close(handle);
    return problem.isEmpty() ? file.bytes : QByteArray();
}
