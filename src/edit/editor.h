#pragma once

#include "files/file_io.h"
#include "midi/midi_ports.h"
#include "model/parameter_map.h"
#include "synth/bulk_layout.h"
#include "synth/data_buffers.h"
#include "views/prompts.h"

#include <QDir>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class BarView;
class CaptionView;
class Clock;
class ControlLookup;
class FileChooser;
class KnobValue;
class MidiService;
class OpacityView;
class PictureView;
class Prompter;
class RandomSource;
class SettingsStore;
class Sleeper;
class TextEditView;
class ToggleView;

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

// The controls the editor's own operations address by name.
struct PageControls {
    CaptionView* lCtrlMsg = nullptr;
    CaptionView* lRandom = nullptr;
    CaptionView* lRandPercent = nullptr;
    CaptionView* lModGroup = nullptr;
    CaptionView* lMod1 = nullptr;
    CaptionView* lMod2 = nullptr;
    CaptionView* lCurrentPatch = nullptr;
    CaptionView* lCurrentMulti = nullptr;
    CaptionView* bLoadBCR = nullptr;
    CaptionView* lRandomButton = nullptr; // lVal21
    PictureView* gAlgorithm = nullptr;
    TextEditView* eName = nullptr;
    ToggleView* cbEnvRev = nullptr;
    std::array<CaptionView*, 4> lOpSelect{};            // lOp1Select..lOp4Select
    std::array<CaptionView*, 4> pOp{};                  // pOp1..pOp4
    std::array<CaptionView*, 4> opSelectButton{};       // lVal100..lVal103
    std::array<CaptionView*, 4> modValueLabel{};        // lVal0..lVal3
    std::array<KnobValue*, Slots::EditRowCount> Knob{}; // Knob0..Knob47 (null where none)
};

// The editor's logic without a window: it owns the five MIDI ports, the parameter map, the synth
// data and the edit state, and carries out every edit, echo, dump and file operation. The screen
// reaches it through handlers with the names the window's controls give them, and it reaches the
// screen only through the view interfaces.
class Editor {
public:
    Editor(MidiService& midi, EditorServices services);
    ~Editor();
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    // The start-up sequence without the window's own steps: device lists, settings, remembered
    // devices, the parameter map, operator 1, the modulation group, the randomise spread, the
    // envelope-time option, and the mode messages and dump requests of both pages. False when
    // there is no MIDI input device at all.
    bool StartUp(int systemWheelLines = 3);
    // Closes the ports and stores the devices and the modulation group.
    void ShutDown();

    // Builds the parameter map on the controls and wires the knobs, the name edit and the ports
    // to their handlers.
    void BuildMaps();

    // ---- Ports and their chosen devices (-1: none)
    TMidiInput MidiSynthToPC;
    TMidiInput MidiBCtoPC;
    TMidiInput MidiKbdToPC;
    TMidiOutput MidiPCToSynth;
    TMidiOutput MidiPCtoBC;
    struct DeviceIndexes {
        int SynthIn = -1;
        int SynthOut = -1;
        int CtrlIn = -1;
        int CtrlOut = -1;
        int KbdIn = -1;
    } Devices;
    enum class Port { SynthIn, SynthOut, CtrlIn, CtrlOut, KbdIn };
    // The device lists, "None" last: entry i below the count is device i.
    QStringList InputDevices;
    QStringList OutputDevices;
    const QStringList& DeviceList(Port port) const;
    static QString SettingsKey(Port port);
    // Fills the device lists; false (after an error box) when there is no input device at all.
    bool ListDevices();
    // The device list's click action: opens the entry's device on the port (or closes the port
    // for "None"), asking before taking a device from another port. False when the user keeps the
    // other port's device.
    bool ChooseDevice(Port port, int entry);
    // The first entry equal to the name, letter case ignored; the "None" entry when none is.
    int FindDevice(Port port, const QString& name) const;
    bool SynthOutputChosen() const { return Devices.SynthOut != -1; }
    bool ControllerOutputChosen() const { return Devices.CtrlOut != -1; }

    ParameterMap Map;
    SynthData Data;
    PageControls Controls;

    // ---- Edit state
    int SelectedOp = 0;
    int ModGroup = 1;
    bool ScreenEditArmed = false;
    bool Updating = false;
    bool PatchRequestedByController = false;
    bool MultiMode = false;
    int ControllerChannel = 0;
    int SynthDevice = 0;
    std::array<std::uint8_t, 3> LastControllerMessage{};
    int RandomPercent = 5;
    bool TimeReverse = true;
    // The envelope-time option's first application at start-up only sets the knob directions.
    bool EnvRevStartup = true;
    // The first controller preset upload fades the splash window.
    bool SplashFade = true;
    OpacityView* Splash = nullptr;

    // ---- Patch page handler state
    bool Backwards = false;
    bool PressToggle = false;
    int WheelUpCount = 0;
    int WheelDownCount = 0;
    int WheelDivider = 3;

    // ---- Edit path
    void MidiBCtoPCMidiInput();
    void MidiKbdToPCMidiInput();
    void ApplyControllerMessage(int status, int cc, int value);
    void SendParameter(int row);
    void SetOperatorMask(int mask);
    void SelectOperator(int op);
    void ShowOperatorValues(int op);
    void KnobChange(KnobValue* sender);
    int RowOfKnob(const KnobValue* knob) const;

    // ---- Controller echo and preset upload
    void EchoCc(int cc, int value);
    void EchoRow(int row);
    void EchoRecord(const TSyx_Param& record, int cc);
    void SendControllerPreset(const QString& fileName);
    void bLoadBCRClick();
    void cbEnvRevClick();

    // ---- Randomiser and modulation groups
    void Randomise();
    void lRandomClick();
    void sbRandChange(int position);
    void ShowModulationGroup();
    void lModGroupClick();

    // ---- Operator panel
    void ShowOperatorState(int op);

    // ---- Patch page handlers
    void KnobMouseDown(KnobValue* sender);
    void KnobKeyDown(KnobValue* sender);
    void KnobMouseEnter(KnobValue* sender);
    void KnobMouseLeave(KnobValue* sender);
    void KnobMouseWheelUp(KnobValue* sender, bool shiftOrCtrl);
    void KnobMouseWheelDown(KnobValue* sender, bool shiftOrCtrl);
    enum class MouseButton { Left, Right, Middle };
    void lValMouseDown(CaptionView* sender, MouseButton button, bool ctrl);
    void lValClick(CaptionView* sender);
    void lOpClick(CaptionView* sender);

    // ---- Voice exchange (dump requests, voice messages, name)
    void bGetPatchClick();
    void SendToSynth(const DataBuffer& buffer, int count);
    void SendVoice();
    void BuildVoiceBlock();
    void BuildAddVoiceBlock();
    void BuildAftertouchBlock();
    void BuildVoiceEffect();
    void eNameChange();

    // ---- Synth input and dump decoding
    void MidiSynthToPCMidiInput();
    void DispatchSynthSysex();
    void DecodeVoiceBlock(std::span<const std::uint8_t> message);
    void DecodeAddVoiceBlock(std::span<const std::uint8_t> message);
    void DecodeAftertouchBlock(std::span<const std::uint8_t> message);
    void DecodeVoiceEffect(std::span<const std::uint8_t> message);
    void RefreshAfterVoiceDump();
    void DecodeMultiEffect(std::span<const std::uint8_t> message);
    void DecodeMultiBlock(std::span<const std::uint8_t> message);
    void BuildMultiBlock();
    void BuildMultiEffect();
    QByteArray SysexInStream; // the last SysEx message taken from the synth input
    int VoiceDumpCount = 0;
    bool FirstMultiDump = true;

    // ---- Patch and multi files
    void bSavePatchClick();
    void bLoadPatchClick();
    void bSaveMultiClick();
    void bLoadMultiClick();
    QString MultiName;

    // ---- Multipart page
    void MKnobChange(KnobValue* sender);
    void MKnobMouseDown(KnobValue* sender);
    void MKnobKeyDown(KnobValue* sender);
    void MKnobMouseEnter(KnobValue* sender);
    void MKnobMouseLeave(KnobValue* sender);
    int MultiRowOfKnob(const KnobValue* knob) const;
    void SendMultiParameter(const TSyx_Param& record);
    void tlmValClick(CaptionView* sender);

    // ---- Page change
    enum class Page { Patch, Multipart, MidiSetup };
    void pcModeChange(Page activePage);

private:
    void storeValues(const std::vector<Layouts::FieldValue>& values, Refresh refresh);
    void decodeInto(const Layouts::BulkLayout& layout, std::span<const std::uint8_t> message);
    void showCurrentVariants();
    void retargetBank(int part);
    void applyNoteLimit(int part);
    int multiRowOfButton(const CaptionView* button) const;
    void buildVoiceMessages();
    std::optional<QString> saveSoundFile(const SyxFiles::FileKind& kind,
                                         const FileDialogRequest& dialog);
    std::optional<QString> loadSoundFile(const SyxFiles::FileKind& kind,
                                         const FileDialogRequest& dialog);
    void decodeMessage(const Layouts::BulkLayout& layout, std::span<const std::uint8_t> bytes);
    QDir patchFolder() const;
    QDir multiFolder() const;
    static void setCaption(CaptionView* view, const QString& text);
    void findControls();
    int& indexOf(Port port);
    TMidiInput& inputOf(Port port);
    TMidiOutput& outputOf(Port port);
    void closePort(Port port);
    void resetPort(Port port);
    void applyToRow(int row, int value);
    void operatorOnOff(int cc, int value);
    void operatorSelect(int cc);
    void wheelStep(KnobValue* knob, int& counter, int direction, bool shiftOrCtrl);
    void sendControllerPresetBytes(const QByteArray& bytes);
    void setRowLastVal(int row, int value);
    TSyx_Param* currentVariant(int row) const;
    void putToSynth(const std::uint8_t* bytes, int count);
    QString voiceName() const;

    EditorServices services_;
    // A synth message is being decoded: more synth input waits in the queue until it is done.
    bool decodingSynthMessage_ = false;
};
