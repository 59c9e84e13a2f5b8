// Patch and multi files loaded through the editor, as the load buttons do: the same bytes as a
// patch file and as a multi file. A load sends each message to the synth (only whole SysEx
// messages may go) and decodes it.
#include "support/fuzz_studio.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzStudio& studio = FuzzStudio::Get();
    const QString path = studio.FolderFile(QStringLiteral("input.SYX"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
            qFatal("cannot write %s", qUtf8Printable(path));
    }
    // A load starts from the messages the current records build: they give the bytes a short
    // file lacks.
    Editor& editor = studio.Begin(Editor::Page::Patch, FuzzStudio::Voice);
    studio.ChosenFile = path;
    editor.bLoadPatchClick();
    studio.Settle();
    studio.Begin(Editor::Page::Multipart, FuzzStudio::Multi);
    studio.ChosenFile = path;
    editor.bLoadMultiClick();
    studio.Settle();
    return 0;
}
