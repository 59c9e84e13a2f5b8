#pragma once

#include <QDir>
#include <QString>
#include <functional>
#include <optional>

class EditPath;
class FileChooser;
class Prompter;
class SynthInput;
class VoiceTransmission;
struct FileDialogRequest;
struct PageControls;
struct EditedSound;
struct SynthData;
namespace SyxFiles {
struct FileKind;
}

// Voices and multis saved as the synth's own messages and loaded back: a load sends each message
// to the synth and decodes it as if the synth had sent it. An existing file is backed up on
// request, and a save replaces a file only once the new one is complete.
class SoundFiles {
public:
    SoundFiles(const EditedSound& sound, EditPath& path, SynthData& data, VoiceTransmission& voice,
               SynthInput& input, Prompter& prompts, FileChooser& files, const QDir& startFolder,
               const PageControls& controls);

    void bSavePatchClick();
    void bLoadPatchClick();
    void bSaveMultiClick();
    void bLoadMultiClick();

    // Takes a bank of voices chosen on the Patch page's Load instead of refusing it; true when it
    // did (the library opens it).
    std::function<bool(const QString& path)> OpenBank;

private:
    std::optional<QString> saveSoundFile(const SyxFiles::FileKind& kind,
                                         const FileDialogRequest& dialog);
    std::optional<QString> loadSoundFile(const SyxFiles::FileKind& kind,
                                         const FileDialogRequest& dialog);
    void buildVoiceMessages();
    void buildMultiMessages();
    QDir patchFolder() const;
    QDir multiFolder() const;

    const EditedSound& sound_;
    EditPath& path_;
    SynthData& data_;
    VoiceTransmission& voice_;
    SynthInput& input_;
    Prompter& prompts_;
    FileChooser& files_;
    const QDir startFolder_;
    const PageControls& controls_;
    // The last multi file loaded, without folder and extension: the next save's proposal.
    QString MultiName;
};
