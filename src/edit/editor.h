#pragma once

#include "edit/ab_compare.h"
#include "edit/control_router.h"
#include "edit/controller_echo.h"
#include "edit/edit_path.h"
#include "edit/edit_state.h"
#include "edit/edited_sound.h"
#include "edit/editor_ports.h"
#include "edit/envelope_option.h"
#include "edit/modulation_groups.h"
#include "edit/multi_page_handlers.h"
#include "edit/operators.h"
#include "edit/page_controls.h"
#include "edit/patch_page_handlers.h"
#include "edit/preset_upload.h"
#include "edit/randomiser.h"
#include "edit/sound_files.h"
#include "edit/synth_input.h"
#include "edit/voice_display.h"
#include "edit/voice_morph_control.h"
#include "edit/voice_transmission.h"
#include "model/parameter_map.h"
#include "synth/data_buffers.h"
#include "views/control_lookup.h"

#include <QDir>

class Clock;
class FileChooser;
class MidiService;
class SplashView;
class Prompter;
class RandomSource;
class SettingsStore;
class Sleeper;

// What the editor needs from its surroundings: the controls (a window's or headless ones), the
// boxes and dialogs, the settings file, time and chance, and the folder it started in.
struct EditorServices {
    ControlLookup& controls;
    Prompter& prompts;
    FileChooser& files;
    SettingsStore& settings;
    const Clock& clock;
    Sleeper& sleeper;
    RandomSource& random;
    QDir startFolder;
};

// The editor without a window: it owns the five MIDI ports, the voice and the multi being edited,
// the parameter map that shows them, the synth data and the edit state, and carries out every
// edit, echo, dump and file operation. The window and the bridge call the handlers below, named as
// the window's controls name them; the editor reaches the screen only through the view interfaces.
class Editor {
public:
    using Port = ::Port;
    using MouseButton = ::MouseButton;
    enum class Page { Patch, Multipart, MidiSetup };

    Editor(MidiService& midi, EditorServices services);
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    // The start-up sequence: device lists, settings, remembered devices, the parameter map,
    // operator 1, the modulation group, the randomise spread, the envelope-time option, the mode
    // messages and dump requests of both pages. False when there is no MIDI input device at all.
    bool StartUp(int systemWheelLines = 3);
    // Closes the ports and stores the devices and the modulation group.
    void ShutDown();

    // Midi Setup page, page changes and the splash.
    bool ChooseDevice(Port port, int entry);
    void WheelSizeClick(int position);
    void cbEnvRevClick();
    void bLoadBCRClick();
    void pcModeChange(Page activePage);
    void SetSplash(SplashView* splash);

    // Patch page.
    void KnobMouseEnter(KnobValue* sender);
    void KnobMouseLeave(KnobValue* sender);
    void KnobMouseWheelUp(KnobValue* sender, bool shiftOrCtrl);             // both pages' knobs
    void KnobMouseWheelDown(KnobValue* sender, bool shiftOrCtrl);           // both pages' knobs
    void lValMouseDown(CaptionView* sender, MouseButton button, bool ctrl); // both pages
    void lValClick(CaptionView* sender);
    void lOpClick(CaptionView* sender);
    void lRandomClick();
    void sbRandChange(int position);
    void lModGroupClick();
    void bGetPatchClick(); // also "Get Multi"
    void bSavePatchClick();
    void bLoadPatchClick();

    // Multipart page.
    void MKnobMouseEnter(KnobValue* sender);
    void MKnobMouseLeave(KnobValue* sender);
    void tlmValClick(CaptionView* sender);
    void tlmValMouseEnter(CaptionView* sender); // drains the controller's input at once
    void bSaveMultiClick();
    void bLoadMultiClick();

    // Undo and redo (Ctrl+Z, Ctrl+Shift+Z, the controller's keys), of the voice and of the multi.
    void Undo() { router_.Undo(); }
    void Redo() { router_.Redo(); }
    void UndoMulti() { path_.UndoMulti(); }
    void RedoMulti() { path_.RedoMulti(); }
    const VoiceHistory& History() const { return path_.History(); }
    const MultiHistory& MultiUndoHistory() const { return path_.MultiUndoHistory(); }
    // A/B compare and the morph from A to B.
    AbCompare& Compare() { return compare_; }
    const AbCompare& Compare() const { return compare_; }
    VoiceMorphControl& Morph() { return morph_; }
    // Called after every change of the voice, the multi, their histories or the compare.
    void SetChangeListener(std::function<void()> listener);
    // What a player besides the synth needs (the preview): the voice after each change, and each
    // of the keyboard's channel messages after its thru.
    void SetVoiceListener(std::function<void(const Voice&)> listener) {
        path_.OnVoiceChanged = std::move(listener);
    }
    // The progress of an upload that does not fade the splash, and how it ended.
    void SetUploadListeners(decltype(PresetUpload::OnProgress) progress,
                            decltype(PresetUpload::OnFinished) finished) {
        presets_.OnProgress = std::move(progress);
        presets_.OnFinished = std::move(finished);
    }
    void SetKeyboardListener(decltype(ControlRouter::OnKeyboardMessage) listener) {
        router_.OnKeyboardMessage = std::move(listener);
    }

    // A voice chosen in the library becomes the current voice: the synth gets it whole, the
    // controller the rings that change, the page its name; the voices tried one after another are
    // one step to undo.
    void TakeLibraryVoice(const Voice& voice);
    // Where Load on the Patch page sends a file that is a bank of voices; true when it was taken.
    void SetBankOpener(std::function<bool(const QString& path)> opener) {
        soundFiles_.OpenBank = std::move(opener);
    }

    // What the views and the tests read.
    const Voice& CurrentVoice() const { return sound_.voice; }
    const Multi& CurrentMulti() const { return sound_.multi; }
    const ParameterMap& Map() const { return map_; }
    const EditState& State() const { return state_; }
    const SynthData& Data() const { return data_; }
    const QStringList& DeviceList(Port port) const { return ports_.DeviceList(port); }
    int DeviceIndex(Port port) const { return ports_.Index(port); }
    bool SynthOutputChosen() const { return ports_.SynthOutputChosen(); }
    bool TimeReverse() const { return envelope_.TimeReverse(); }
    int WheelDivider() const { return patchPage_.WheelDivider(); }
    int RandomPercent() const { return randomiser_.RandomPercent(); }
    bool SplashFade() const { return presets_.SplashFade(); }
    std::array<std::uint8_t, 3> LastControllerMessage() const;
    // The value a row last took or the controller was last told: a CC equal to it does nothing.
    int RowLastValue(int row) const { return echo_.LastVal(row); }
    // Controls the editor looked for by name and did not find.
    const QStringList& MissingControls() const { return lookup_.Missing(); }

private:
    void buildMaps();
    void clickValueButton(CaptionView* sender);
    void showWheelSize();

    EditorServices services_;
    CheckedLookup lookup_;
    const PageControls controls_;
    EditState state_;
    EditedSound sound_;
    ParameterMap map_;
    SynthData data_;
    EditorPorts ports_;
    ControllerEcho echo_;
    VoiceDisplay display_;
    VoiceTransmission voice_;
    EditPath path_;
    AbCompare compare_;
    VoiceMorphControl morph_;
    Operators operators_;
    ModulationGroups groups_;
    Randomiser randomiser_;
    ControlRouter router_;
    SynthInput synthInput_;
    SoundFiles soundFiles_;
    MultiPageHandlers multiPage_;
    PatchPageHandlers patchPage_;
    PresetUpload presets_;
    EnvelopeOption envelope_;
};
