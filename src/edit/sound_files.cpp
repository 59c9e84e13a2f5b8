#include "edit/sound_files.h"

#include "edit/edit_path.h"
#include "edit/edited_sound.h"
#include "edit/page_controls.h"
#include "edit/scope_exit.h"
#include "edit/synth_input.h"
#include "edit/voice_transmission.h"
#include "files/file_io.h"
#include "files/file_reading.h"
#include "files/safe_save.h"
#include "files/save_name.h"
#include "model/bounded_read.h"
#include "model/domain.h"
#include "views/prompts.h"
#include "views/views.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

namespace {
const char* const FileExistsText =
    "   File exists !\n\nShall I make a backup? (*.BAK)\n\n(NO to overwrite)";
const char* const SyxFilter = "Sysex files (*.syx)|*.SYX";

// A voice or multi file is a few hundred bytes; a capture of a session a few kilobytes.
constexpr qint64 MaxSoundFileBytes = qint64(1) << 20;

FileDialogRequest request(const char* title, const QDir& folder, QString proposedName = {}) {
    return {QString::fromLatin1(title), QString::fromLatin1(SyxFilter), folder.path(),
            std::move(proposedName), QStringLiteral("SYX")};
}

QString shownName(const QString& path) {
    return QFileInfo(path).completeBaseName();
}

void setCaption(CaptionView* view, const QString& text) {
    if (view)
        view->SetCaption(text);
}
} // namespace

SoundFiles::SoundFiles(const EditedSound& sound, EditPath& path, SynthData& data,
                       VoiceTransmission& voice, SynthInput& input, Prompter& prompts,
                       FileChooser& files, const QDir& startFolder, const PageControls& controls)
    : sound_(sound), path_(path), data_(data), voice_(voice), input_(input), prompts_(prompts),
      files_(files), startFolder_(startFolder), controls_(controls) {}

std::optional<QString> SoundFiles::saveSoundFile(const SyxFiles::FileKind& kind,
                                                 const FileDialogRequest& dialog) {
    const std::optional<QString> path = files_.SaveFile(dialog);
    if (!path)
        return std::nullopt;
    if (const auto refused = SafeSave::Unreplaceable(*path)) {
        prompts_.Error(QStringLiteral("Unable to save %1: %2").arg(*path, *refused));
        return std::nullopt;
    }
    if (QFileInfo::exists(*path)) {
        switch (prompts_.Question(QString::fromLatin1(FileExistsText), true)) {
        case Answer::Cancel:
            return std::nullopt;
        case Answer::Yes:
            // The user asked to keep the old file: without a backup, nothing is overwritten.
            if (const auto error = SafeSave::MakeBackup(*path)) {
                prompts_.Error(*error + QStringLiteral("\nNothing was saved."));
                return std::nullopt;
            }
            break;
        default:
            break;
        }
    }
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    SyxFiles::WriteMessages(bytes, kind, data_);
    if (const auto error = SafeSave::WriteAtomically(*path, bytes.data())) {
        prompts_.Error(QStringLiteral("Unable to save %1: %2").arg(*path, *error));
        return std::nullopt;
    }
    return shownName(*path);
}

std::optional<QString> SoundFiles::loadSoundFile(const SyxFiles::FileKind& kind,
                                                 const FileDialogRequest& dialog) {
    const std::optional<QString> path = files_.OpenFile(dialog);
    if (!path)
        return std::nullopt;
    // A FIFO or a device chosen in the dialog would hold the window in open() or never end.
    const OpenedFile opened = OpenRegularFile(*path);
    if (!opened.file) {
        prompts_.Error(QStringLiteral("Unable to open file."));
        return std::nullopt;
    }
    const std::optional<QByteArray> bytes = ReadAtMost(*opened.file, MaxSoundFileBytes);
    if (!bytes) {
        prompts_.Error(QStringLiteral("Unable to open file.\n%1 is larger than any voice or multi "
                                      "file (more than %2 bytes).")
                           .arg(*path)
                           .arg(MaxSoundFileBytes));
        return std::nullopt;
    }
    const SyxFiles::FileReading reading = SyxFiles::ReadByMessages(
        {reinterpret_cast<const std::uint8_t*>(bytes->constData()), std::size_t(bytes->size())},
        kind);
    if (reading.bank && &kind == &SyxFiles::PatchFile && OpenBank && OpenBank(*path))
        return std::nullopt;
    if (reading.refusal) {
        // Nothing is changed or sent for a file the page cannot load.
        prompts_.Error(*reading.refusal);
        return std::nullopt;
    }
    // The whole load is one step to undo.
    const bool voice = &kind == &SyxFiles::PatchFile;
    const QString label = QStringLiteral("Load ") + shownName(*path);
    voice ? path_.BeginStep(label) : path_.BeginMultiStep(label);
    ScopeExit stepDone([this, voice] { voice ? path_.EndStep() : path_.EndMultiStep(); });
    // A dump from the synth decoded inside the load's warning would overwrite the buffers the
    // load has sent and decoded.
    input_.DecodeHeld([&] {
        QStringList problems;
        for (const SyxFiles::LoadMessage& loaded : reading.messages) {
            DataBuffer& buffer = data_.*(loaded.message->buffer);
            const int count = buffer.Overwrite(loaded.bytes);
            if (loaded.wellFormed)
                voice_.SendToSynth(buffer, count);
            problems << input_.DecodeMessage(*loaded.message->layout,
                                             {buffer.Data(), std::size_t(buffer.Capacity())},
                                             Origin::File);
        }
        input_.ReportProblems(problems + SyxFiles::LoadNotes(reading, QFileInfo(*path).fileName()));
    });
    return shownName(*path);
}

void SoundFiles::buildVoiceMessages() {
    voice_.BuildAddVoiceBlock();
    voice_.BuildAftertouchBlock();
    voice_.BuildVoiceEffect();
    voice_.BuildVoiceBlock();
}

void SoundFiles::buildMultiMessages() {
    voice_.BuildMultiBlock();
    voice_.BuildMultiEffect();
}

void SoundFiles::bSavePatchClick() {
    const QString proposed = SaveNames::ForPatch(sound_.voice.Name());
    buildVoiceMessages();
    if (const auto name =
            saveSoundFile(SyxFiles::PatchFile, request("Save Patch File", patchFolder(), proposed)))
        setCaption(controls_.lCurrentPatch, QStringLiteral("Current: ") + *name);
}

void SoundFiles::bLoadPatchClick() {
    buildVoiceMessages();
    if (const auto name =
            loadSoundFile(SyxFiles::PatchFile, request("Load Patch File", patchFolder())))
        setCaption(controls_.lCurrentPatch, QStringLiteral("Current: ") + *name);
}

void SoundFiles::bSaveMultiClick() {
    const QString proposed = SaveNames::ForMulti(MultiName);
    buildMultiMessages();
    if (const auto name =
            saveSoundFile(SyxFiles::MultiFile, request("Save Multi File", multiFolder(), proposed)))
        setCaption(controls_.lCurrentMulti, QStringLiteral("Current: ") + *name);
}

void SoundFiles::bLoadMultiClick() {
    buildMultiMessages();
    if (const auto name =
            loadSoundFile(SyxFiles::MultiFile, request("Load Multi File", multiFolder()))) {
        MultiName = *name;
        setCaption(controls_.lCurrentMulti, QStringLiteral("Current: ") + *name);
    }
}

QDir SoundFiles::patchFolder() const {
    return QDir(startFolder_.filePath(QStringLiteral("Patch")));
}

QDir SoundFiles::multiFolder() const {
    return QDir(startFolder_.filePath(QStringLiteral("Multi")));
}
