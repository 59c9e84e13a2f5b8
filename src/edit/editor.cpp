#include "edit/editor.h"

#include "views/control_lookup.h"
#include "views/knob_value.h"
#include "views/views.h"

namespace {
QString numbered(const char* prefix, int n) {
    return QString::fromLatin1(prefix) + QString::number(n);
}
} // namespace

Editor::Editor(MidiService& midi, EditorServices services)
    : MidiSynthToPC(midi), MidiBCtoPC(midi), MidiKbdToPC(midi), MidiPCToSynth(midi),
      MidiPCtoBC(midi), services_(std::move(services)) {
    MidiSynthToPC.OnMidiInput = [this] { MidiSynthToPCMidiInput(); };
    MidiBCtoPC.OnMidiInput = [this] { MidiBCtoPCMidiInput(); };
    MidiKbdToPC.OnMidiInput = [this] { MidiKbdToPCMidiInput(); };
    findControls();
}

Editor::~Editor() = default;

void Editor::findControls() {
    ControlLookup& c = services_.controls;
    Controls.lCtrlMsg = c.FindCaption(QStringLiteral("lCtrlMsg"));
    Controls.lRandom = c.FindCaption(QStringLiteral("lRandom"));
    Controls.lRandPercent = c.FindCaption(QStringLiteral("lRandPercent"));
    Controls.lModGroup = c.FindCaption(QStringLiteral("lModGroup"));
    Controls.lMod1 = c.FindCaption(QStringLiteral("lMod1"));
    Controls.lMod2 = c.FindCaption(QStringLiteral("lMod2"));
    Controls.lCurrentPatch = c.FindCaption(QStringLiteral("lCurrentPatch"));
    Controls.lCurrentMulti = c.FindCaption(QStringLiteral("lCurrentMulti"));
    Controls.bLoadBCR = c.FindCaption(QStringLiteral("bLoadBCR"));
    Controls.lRandomButton = c.FindCaption(numbered("lVal", Rows::RandomiseButton));
    Controls.gAlgorithm = c.FindPicture(QStringLiteral("gAlgorithm"));
    Controls.eName = c.FindEdit(QStringLiteral("eName"));
    Controls.cbEnvRev = c.FindToggle(QStringLiteral("cbEnvRev"));
    for (int op = 0; op < 4; ++op) {
        Controls.lOpSelect[op] = c.FindCaption(QStringLiteral("lOp%1Select").arg(op + 1));
        Controls.pOp[op] = c.FindCaption(numbered("pOp", op + 1));
        Controls.opSelectButton[op] = c.FindCaption(numbered("lVal", Rows::FirstOpSelectCC + op));
        Controls.modValueLabel[op] = c.FindCaption(numbered("lVal", op));
    }
    for (int row = 0; row < Slots::EditRowCount; ++row) {
        // Rows 8..23 are edited by value buttons; every other row has its knob.
        if (row >= 8 && row <= 23)
            continue;
        Controls.Knob[row] = c.FindKnob(numbered("Knob", row));
    }
}

void Editor::BuildMaps() {
    Map.BuildPatchMap(services_.controls, services_.prompts, services_.startFolder);
    Map.BuildMultiMap(services_.controls, services_.prompts);
    for (int row = 0; row < Slots::EditRowCount; ++row) {
        KnobValue* knob = Controls.Knob[row];
        if (knob)
            knob->OnChange = [this, knob] { KnobChange(knob); };
    }
    for (int index = 0; index < Slots::MultiRowCount; ++index)
        if (KnobValue* knob = Map.MultiRow(index)->Param->Knob)
            knob->OnChange = [this, knob] { MKnobChange(knob); };
    if (Controls.eName) {
        Controls.eName->SetText(QStringLiteral("Patch Name")); // the edit's start text
        Controls.eName->OnChange = [this] { eNameChange(); };
    }
}

TSyx_Param* Editor::currentVariant(int row) const {
    const TCC_Param* r = Map.Row(row);
    return r ? r->Current(SelectedOp, ModGroup) : nullptr;
}

void Editor::putToSynth(const std::uint8_t* bytes, int count) {
    if (SynthOutputChosen())
        MidiPCToSynth.PutLong(bytes, std::uint16_t(count));
}
