#include "files/file_layouts.h"

namespace SyxFiles {

std::vector<int> ReadByPosition(QIODevice& file, SynthData& data,
                                std::span<const FileMessage> messages) {
    std::vector<int> counts;
    for (const FileMessage& m : messages) {
        const QByteArray bytes = file.read(m.layout->format.length);
        counts.push_back((data.*m.buffer)
                             .Overwrite({reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                         std::size_t(bytes.size())}));
    }
    return counts;
}

} // namespace SyxFiles
