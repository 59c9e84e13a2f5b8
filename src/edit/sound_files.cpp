#include "edit/editor.h"
#include "files/file_io.h"
#include "files/safe_save.h"
#include "views/prompts.h"
#include "views/views.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

namespace {
const char* const FileExistsText =
    "   File exists !\n\nShall I make a backup? (*.BAK)\n\n(NO to overwrite)";
const char* const SyxFilter = "Sysex files (*.syx)|*.SYX";

// Only a buffer that holds one whole SysEx message goes to the synth: a foreign file's bytes
// (notes, controllers, half messages) are never sent to the hardware.
bool isOneSysexMessage(const DataBuffer& buffer, int count) {
    if (count < 2 || buffer[0] != 0xF0 || buffer[count - 1] != 0xF7)
        return false;
    for (int i = 1; i < count - 1; ++i)
        if (buffer[i] >= 0x80)
            return false;
    return true;
}

FileDialogRequest request(const char* title, const QDir& folder, QString proposedName = {}) {
    return {QString::fromLatin1(title), QString::fromLatin1(SyxFilter), folder.path(),
            std::move(proposedName), QStringLiteral("SYX")};
}

QString shownName(const QString& path) {
    return QFileInfo(path).completeBaseName();
}
} // namespace

std::optional<QString> Editor::saveSoundFile(const SyxFiles::FileKind& kind,
                                             const FileDialogRequest& dialog) {
    const std::optional<QString> path = services_.files.SaveFile(dialog);
    if (!path)
        return std::nullopt;
    if (QFileInfo::exists(*path)) {
        switch (services_.prompts.Question(QString::fromLatin1(FileExistsText), true)) {
        case Answer::Cancel:
            return std::nullopt;
        case Answer::Yes:
            // The user asked to keep the old file: without a backup, nothing is overwritten.
            if (const auto error = SafeSave::MakeBackup(*path)) {
                services_.prompts.Error(*error + QStringLiteral("\nNothing was saved."));
                return std::nullopt;
            }
            break;
        default:
            break;
        }
    }
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    SyxFiles::WriteMessages(bytes, kind, Data);
    if (const auto error = SafeSave::WriteAtomically(*path, bytes.data())) {
        services_.prompts.Error(QStringLiteral("Unable to save %1: %2").arg(*path, *error));
        return std::nullopt;
    }
    return shownName(*path);
}

std::optional<QString> Editor::loadSoundFile(const SyxFiles::FileKind& kind,
                                             const FileDialogRequest& dialog) {
    const std::optional<QString> path = services_.files.OpenFile(dialog);
    if (!path)
        return std::nullopt;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly)) {
        services_.prompts.Error(QStringLiteral("Unable to open file."));
        return std::nullopt;
    }
    for (const SyxFiles::LoadedMessage& loaded : SyxFiles::ReadForLoad(file, kind, Data)) {
        const DataBuffer& buffer = Data.*(loaded.message->buffer);
        if (isOneSysexMessage(buffer, loaded.count))
            SendToSynth(buffer, loaded.count);
        decodeMessage(*loaded.message->layout, {buffer.Data(), std::size_t(buffer.Capacity())});
    }
    return shownName(*path);
}

void Editor::decodeMessage(const Layouts::BulkLayout& layout, std::span<const std::uint8_t> bytes) {
    if (&layout == &Layouts::VoiceBlock)
        DecodeVoiceBlock(bytes);
    else if (&layout == &Layouts::AddVoice)
        DecodeAddVoiceBlock(bytes);
    else if (&layout == &Layouts::Aftertouch)
        DecodeAftertouchBlock(bytes);
    else if (&layout == &Layouts::VoiceEffect)
        DecodeVoiceEffect(bytes);
    else if (&layout == &Layouts::MultiEffect)
        DecodeMultiEffect(bytes);
    else if (&layout == &Layouts::MultiBlock)
        DecodeMultiBlock(bytes);
}

void Editor::buildVoiceMessages() {
    BuildAddVoiceBlock();
    BuildAftertouchBlock();
    BuildVoiceEffect();
    BuildVoiceBlock();
}

void Editor::bSavePatchClick() {
    const QString proposed = voiceName().trimmed() + QStringLiteral(".SYX");
    buildVoiceMessages();
    if (const auto name =
            saveSoundFile(SyxFiles::PatchFile, request("Save Patch File", patchFolder(), proposed)))
        setCaption(Controls.lCurrentPatch, QStringLiteral("Current: ") + *name);
}

void Editor::bLoadPatchClick() {
    buildVoiceMessages();
    if (const auto name =
            loadSoundFile(SyxFiles::PatchFile, request("Load Patch File", patchFolder())))
        setCaption(Controls.lCurrentPatch, QStringLiteral("Current: ") + *name);
}

void Editor::bSaveMultiClick() {
    const QString proposed = MultiName + QStringLiteral(".SYX");
    BuildMultiBlock();
    BuildMultiEffect();
    if (const auto name =
            saveSoundFile(SyxFiles::MultiFile, request("Save Multi File", multiFolder(), proposed)))
        setCaption(Controls.lCurrentMulti, QStringLiteral("Current: ") + *name);
}

void Editor::bLoadMultiClick() {
    BuildMultiBlock();
    BuildMultiEffect();
    if (const auto name =
            loadSoundFile(SyxFiles::MultiFile, request("Load Multi File", multiFolder()))) {
        MultiName = *name;
        setCaption(Controls.lCurrentMulti, QStringLiteral("Current: ") + *name);
    }
}

QDir Editor::patchFolder() const {
    return QDir(services_.startFolder.filePath(QStringLiteral("Patch")));
}

QDir Editor::multiFolder() const {
    return QDir(services_.startFolder.filePath(QStringLiteral("Multi")));
}

void Editor::setCaption(CaptionView* view, const QString& text) {
    if (view)
        view->SetCaption(text);
}
