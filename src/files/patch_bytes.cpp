#include "files/patch_bytes.h"

#include "files/file_layouts.h"

namespace SyxFiles {

QByteArray PatchFileBytes(const Voice& voice) {
    QByteArray bytes;
    bytes.reserve(PatchFileLength);
    DataBuffer buffer(Sysex::VoiceBlockFormat.length);
    for (const FileMessage& m : PatchMessages) {
        Layouts::WriteMessage(*m.layout, voice, buffer);
        bytes.append(reinterpret_cast<const char*>(buffer.Data()), buffer.Length);
    }
    return bytes;
}

} // namespace SyxFiles
