#include "edit/editor.h"

#include "synth/parameter_change.h"
#include "views/knob_value.h"
#include "views/prompts.h"
#include "views/services.h"
#include "views/views.h"

#include <numeric>

namespace {
const QString WheelSection = QStringLiteral("MouseWheel");
const QString WheelKey = QStringLiteral("Jump");
const QString ModulationSection = QStringLiteral("Modulation");
const QString ModulationKey = QStringLiteral("Start");
constexpr int StartModGroup = 1; // mod wheel
constexpr int StartRandomPercent = 5;
constexpr int MaxWheelDivider = 0xFFFF; // the up-down's position is a 16-bit value

// Page-change mode switches: group 0x24, parameters 122, 120 and 109, values 0 and 127.
constexpr int ModeGroup = 0x24;
constexpr int ModePara = 0x7A;
constexpr int MultiModePara = 0x78;
constexpr int MultiPartPara = 0x6D;
constexpr int ModeOn = 0x7F;
} // namespace

Editor::Editor(MidiService& midi, EditorServices services)
    : services_(std::move(services)), lookup_(services_.controls),
      controls_(PageControls::Find(lookup_)), ports_(midi, services_.prompts, services_.settings),
      echo_(ports_, map_, state_, sound_),
      display_(map_, state_, sound_, services_.prompts, controls_),
      voice_(sound_, data_, state_, ports_), path_(sound_, map_, state_, ports_, services_.prompts,
                                                   services_.clock, echo_, display_, voice_),
      compare_(path_, echo_), morph_(path_, compare_),
      operators_(state_, sound_, ports_, echo_, path_, display_),
      groups_(map_, state_, sound_, echo_, controls_),
      randomiser_(map_, path_, echo_, services_.clock, services_.random, controls_, display_,
                  operators_, groups_),
      router_(path_, state_, ports_, controls_, echo_, operators_, groups_, voice_, randomiser_,
              compare_, morph_),
      synthInput_(path_, data_, state_, ports_, services_.prompts, controls_, echo_, operators_,
                  groups_, voice_),
      soundFiles_(sound_, path_, data_, voice_, synthInput_, services_.prompts, services_.files,
                  services_.startFolder, controls_),
      multiPage_(map_, state_, path_, display_, voice_),
      patchPage_(map_, state_, sound_, router_, echo_, controls_),
      presets_(ports_, services_.prompts, services_.sleeper, services_.startFolder, controls_),
      envelope_(router_, services_.settings, presets_, controls_) {
    ports_.MidiSynthToPC().OnMidiInput = [this] { synthInput_.MidiSynthToPCMidiInput(); };
    // During an upload the controller's input is the upload's: it waits for the answers in it.
    ports_.MidiBCtoPC().OnMidiInput = [this] {
        if (!presets_.Uploading())
            router_.MidiBCtoPCMidiInput();
    };
    ports_.MidiKbdToPC().OnMidiInput = [this] { router_.MidiKbdToPCMidiInput(); };
    presets_.OnOtherControllerInput = [this](const TMyMidiEvent& event) {
        router_.HandleControllerEvent(event);
    };
    path_.BeforeEdit = [this] { compare_.ReturnToB(); };
    path_.OnVoiceCameIn = [this](const Voice& voice) { compare_.VoiceCameIn(voice); };
    ports_.OnControllerOutputChosen = [this] {
        if (controls_.bLoadBCR)
            controls_.bLoadBCR->SetVisible(true);
    };
}

bool Editor::StartUp(int systemWheelLines) {
    presets_.StartSplashFade();
    SettingsStore& settings = services_.settings;

    const bool haveInputs = ports_.ListDevices();
    envelope_.Load();
    patchPage_.SetWheelDivider(qBound(
        0, settings.Value(WheelSection, WheelKey, systemWheelLines).toInt(), MaxWheelDivider));
    settings.SetValue(WheelSection, WheelKey, patchPage_.WheelDivider());
    showWheelSize();
    ports_.RestoreDevices();

    // A group outside 0..3 in the settings file would address no group at all.
    const int group = settings.Value(ModulationSection, ModulationKey, StartModGroup).toInt();
    state_.ModGroup = group >= 0 && group < ModGroupCount ? group : StartModGroup;

    buildMaps();

    // Selecting operator 1 re-shows and echoes its values; it sends none of them to the synth,
    // whose voice is fetched right after.
    state_.SelectedOp = 1;
    operators_.SelectOperator(0);
    groups_.ShowModulationGroup();
    randomiser_.sbRandChange(StartRandomPercent);
    envelope_.cbEnvRevClick();

    pcModeChange(Page::Multipart);
    voice_.bGetPatchClick();
    pcModeChange(Page::Patch);
    voice_.bGetPatchClick();
    state_.PatchRequestedByController = false;
    return haveInputs;
}

void Editor::buildMaps() {
    map_.BuildPatchMap(lookup_, services_.startFolder);
    for (const QString& problem : map_.Lists.ReadProblems)
        services_.prompts.Warning(problem);
    map_.BuildMultiMap(lookup_);
    // The start values until a voice and a multi arrive.
    display_.ShowVoice();
    std::vector<int> multiRows(MultiRowCount);
    std::iota(multiRows.begin(), multiRows.end(), 0);
    display_.ShowMultiChanges(sound_.multi, multiRows, true);
    for (KnobValue* knob : controls_.Knob)
        if (knob)
            knob->OnUserChange = [this, knob] { patchPage_.KnobChange(knob); };
    for (int index = 0; index < MultiRowCount; ++index)
        if (KnobValue* knob = map_.MultiRow(index)->Param->Knob)
            knob->OnUserChange = [this, knob] { multiPage_.MKnobChange(knob); };
    if (controls_.eName)
        controls_.eName->OnUserEdit = [this] {
            path_.SetName(controls_.eName->Text(), Origin::Screen);
        };
}

void Editor::ShutDown() {
    // The group is stored even when closing a port fails; the error is passed on at the end.
    std::exception_ptr failure;
    try {
        ports_.CloseAndStore();
    } catch (...) {
        failure = std::current_exception();
    }
    services_.settings.SetValue(ModulationSection, ModulationKey, state_.ModGroup);
    if (failure)
        std::rethrow_exception(failure);
}

bool Editor::ChooseDevice(Port port, int entry) {
    return ports_.ChooseDevice(port, entry);
}

void Editor::showWheelSize() {
    if (controls_.lMouseWheelSize)
        controls_.lMouseWheelSize->SetCaption(QStringLiteral("Mouse Wheel Size : ") +
                                              QString::number(patchPage_.WheelDivider()));
}

void Editor::WheelSizeClick(int position) {
    patchPage_.SetWheelDivider(position);
    showWheelSize();
    services_.settings.SetValue(WheelSection, WheelKey, position);
}

void Editor::cbEnvRevClick() {
    envelope_.cbEnvRevClick();
}

void Editor::bLoadBCRClick() {
    presets_.SendControllerPreset(QStringLiteral("Marrowlink.SYX"));
    envelope_.cbEnvRevClick();
    router_.ApplyControllerMessage(MidiStatus::ControlChange, Rows::FirstOpSelectCC, 1,
                                   Origin::Screen);
}

void Editor::pcModeChange(Page activePage) {
    auto send = [this](int para, int value) {
        ports_.ToSynth(ParameterChange::Change(SynthDeviceNumber, ModeGroup, para, value));
    };
    send(ModePara, 0);
    if (activePage == Page::Multipart) {
        state_.MultiMode = true;
        send(MultiModePara, ModeOn);
        send(MultiPartPara, ModeOn);
    } else {
        state_.MultiMode = false;
        send(ModePara, ModeOn);
    }
    voice_.bGetPatchClick();
}

void Editor::SetSplash(SplashView* splash) {
    presets_.SetSplash(splash);
}

void Editor::KnobMouseEnter(KnobValue* sender) {
    patchPage_.KnobMouseEnter(sender);
}
void Editor::KnobMouseLeave(KnobValue* sender) {
    patchPage_.KnobMouseLeave(sender);
}
void Editor::KnobMouseWheelUp(KnobValue* sender, bool shiftOrCtrl) {
    patchPage_.KnobMouseWheelUp(sender, shiftOrCtrl);
}
void Editor::KnobMouseWheelDown(KnobValue* sender, bool shiftOrCtrl) {
    patchPage_.KnobMouseWheelDown(sender, shiftOrCtrl);
}

void Editor::lValMouseDown(CaptionView* sender, MouseButton button, bool ctrl) {
    if (patchPage_.lValMouseDown(button, ctrl))
        clickValueButton(sender);
}

void Editor::clickValueButton(CaptionView* sender) {
    if (sender == controls_.lRandomButton)
        lRandomClick();
    else if (multiPage_.MultiRowOfButton(sender) >= 0)
        tlmValClick(sender);
    else
        lValClick(sender);
}

void Editor::lValClick(CaptionView* sender) {
    patchPage_.lValClick(sender);
}
void Editor::lOpClick(CaptionView* sender) {
    patchPage_.lOpClick(sender);
}
void Editor::lRandomClick() {
    randomiser_.Randomise();
}
void Editor::sbRandChange(int position) {
    randomiser_.sbRandChange(position);
}
void Editor::lModGroupClick() {
    groups_.lModGroupClick();
}
void Editor::bGetPatchClick() {
    voice_.bGetPatchClick();
}
void Editor::bSavePatchClick() {
    soundFiles_.bSavePatchClick();
}
void Editor::bLoadPatchClick() {
    soundFiles_.bLoadPatchClick();
}

void Editor::MKnobMouseEnter(KnobValue* sender) {
    multiPage_.MKnobMouseEnter(sender);
}
void Editor::MKnobMouseLeave(KnobValue* sender) {
    multiPage_.MKnobMouseLeave(sender);
}
void Editor::tlmValClick(CaptionView* sender) {
    multiPage_.tlmValClick(sender, patchPage_.Backwards());
}
void Editor::tlmValMouseEnter(CaptionView*) {
    router_.MidiBCtoPCMidiInput();
}
void Editor::bSaveMultiClick() {
    soundFiles_.bSaveMultiClick();
}
void Editor::bLoadMultiClick() {
    soundFiles_.bLoadMultiClick();
}

void Editor::TakeLibraryVoice(const Voice& voice) {
    path_.Replace(voice, Origin::Library);
    if (controls_.lCurrentPatch)
        controls_.lCurrentPatch->SetCaption(QStringLiteral("Current: ") + voice.Name());
}

void Editor::SetChangeListener(std::function<void()> listener) {
    path_.OnChanged = listener;
    compare_.OnChanged = std::move(listener);
}

std::array<std::uint8_t, 3> Editor::LastControllerMessage() const {
    return router_.LastControllerMessage();
}
