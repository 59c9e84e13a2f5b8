// The voice-name files (ROMNames.txt, USERNames.txt, CARDNames.txt): read from the start folder,
// split into names and used as the labels of a part's voice in each bank, for voice numbers inside
// and outside the list.
#include "model/control_names.h"
#include "model/parameter_map.h"
#include "model/value_names.h"
#include "support/recording_prompter.h"
#include "support/scratch_folder.h"
#include "views/headless_controls.h"

#include <QCoreApplication>
#include <QFile>

namespace {
struct Names {
    Names() {
        map.BuildPatchMap(controls, QDir(folder.path()));
        map.BuildMultiMap(controls);
    }
    QTemporaryDir folder{ScratchFolderTemplate()};
    HeadlessControls controls{EditorControls()};
    RecordingPrompter prompts;
    ParameterMap map;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Names n;
    const QString path = n.folder.filePath(QString::fromLatin1(RomNamesFile));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
            qFatal("cannot write %s", qUtf8Printable(path));
    }
    QString problem;
    const QStringList names = readVoiceNames(path, &problem);
    ValueNameLists& lists = n.map.Lists;
    lists.RomVoiceNames = lists.UserVoiceNames = lists.CardVoiceNames = names;

    const int part = 1;
    const TSyx_Param& voice = n.map.Multi().Part(part).Field(PartField::Patch);
    for (int bank = 0; bank < 3; ++bank) {
        n.map.RetargetPartVoices(part, bank);
        const int count = int(names.size());
        for (int number : {0, 1, count - 1, count, voice.Max})
            SetLabel(n.prompts, voice, number);
    }
    n.prompts.shown.clear();
    return 0;
}
