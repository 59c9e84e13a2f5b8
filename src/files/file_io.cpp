#include "files/file_io.h"

namespace SyxFiles {

const FileKind PatchFile{PatchMessages, PatchLoadOrder, PatchFileLength};
const FileKind MultiFile{MultiMessages, MultiLoadOrder, MultiFileLength};

std::vector<LoadedMessage> ReadForLoad(QIODevice& file, const FileKind& kind, SynthData& data) {
    const std::vector<int> counts = ReadByPosition(file, data, kind.messages);
    std::vector<LoadedMessage> loaded;
    for (int index : kind.loadOrder)
        if (counts[std::size_t(index)] > 0)
            loaded.push_back({&kind.messages[std::size_t(index)], counts[std::size_t(index)]});
    return loaded;
}

bool WriteMessages(QIODevice& file, const FileKind& kind, const SynthData& data) {
    for (const FileMessage& m : kind.messages) {
        const DataBuffer& buffer = data.*m.buffer;
        const qint64 length = buffer.Length;
        if (file.write(reinterpret_cast<const char*>(buffer.Data()), length) != length)
            return false;
    }
    return true;
}

} // namespace SyxFiles
