#include "model/parameter_map.h"

#include "model/multi_map_tables.h"
#include "model/patch_map_tables.h"
#include "views/control_lookup.h"
#include "views/knob_value.h"
#include "views/views.h"

#include <utility>

namespace {
QString numbered(const char* prefix, int n) {
    return QString::fromLatin1(prefix) + QString::number(n);
}

using Tables::ListId;

const QStringList* listOf(const ValueNameLists& lists, ListId id) {
    switch (id) {
    case ListId::ChannelNames:
        return &lists.ChannelNames;
    case ListId::BankNames:
        return &lists.BankNames;
    case ListId::LfoSelectNames:
        return &lists.LfoSelectNames;
    case ListId::OutAssignNames:
        return &lists.OutAssignNames;
    case ListId::NoteNames:
        return &lists.NoteNames;
    case ListId::Transpose24Names:
        return &lists.Transpose24Names;
    case ListId::Detune7Names:
        return &lists.Detune7Names;
    case ListId::RomVoiceNames:
        return &lists.RomVoiceNames;
    case ListId::RomNumbers:
        return &lists.RomNumbers;
    case ListId::None:
        break;
    }
    return nullptr;
}

} // namespace

ParameterMap::ParameterMap() {
    slots_[Slots::Multi] = std::make_unique<TMulti>();
}

int ParameterMap::singleSlot(int row) {
    for (const Tables::SingleRowEntry& spec : Tables::SingleRows)
        if (spec.row == row)
            return spec.slot;
    Q_UNREACHABLE();
}

TSyx_Param& ParameterMap::Record(VoiceParam param) {
    return const_cast<TSyx_Param&>(std::as_const(*this).Record(param));
}

const TSyx_Param& ParameterMap::Record(VoiceParam param) const {
    switch (param.KindOf()) {
    case VoiceParam::Kind::Operator:
        return Op(param.Operator()).Field(param.Field());
    case VoiceParam::Kind::Switch:
        return OpSwitch(param.Operator());
    case VoiceParam::Kind::Modulation:
    case VoiceParam::Kind::Single:
        break;
    }
    const int row = InfoOf(param).row;
    for (int slot = 0; slot < VariantSlotCount; ++slot)
        if (RowParam(row, slot) == param)
            return *Row(row)->Variant[std::size_t(slot)];
    Q_UNREACHABLE();
}

void ParameterMap::RetargetPartVoices(int part, int bank) {
    TSyx_Param& patch = Multi().Part(part).Field(PartField::Patch);
    patch.ValNames = &Lists.VoiceNames(bank);
    if (patch.Knob)
        patch.Knob->SetValStrList(Lists.VoiceNumbers(bank));
}

void ParameterMap::BuildPatchMap(ControlLookup& controls, const QDir& startFolder) {
    for (int op = 0; op < OperatorCount; ++op)
        slots_[Slots::FirstOp + op] =
            std::make_unique<TOp>(op, controls.FindGraph(numbered("gAdsr", op + 1)),
                                  controls.FindPicture(numbered("gWave", op + 1)),
                                  controls.FindBar(numbered("pbOp", op + 1)));
    buildModulationGroups(controls);
    buildSingleRecords(controls);
    buildOperatorSwitches(controls);

    if (CaptionView* random = controls.FindCaption(numbered("lVal", Rows::RandomiseButton))) {
        random->SetCaption(QStringLiteral("Random"));
        random->SetVisible(true);
    }
    for (int op = 0; op < OperatorCount; ++op) {
        if (CaptionView* select =
                controls.FindCaption(numbered("lVal", Rows::FirstOpSelectCC + op))) {
            select->SetCaption(numbered("Op", op + 1));
            select->SetVisible(true);
        }
    }

    AssignOperatorControls(*this, controls);
    buildPatchRows();
    Lists.Build(startFolder);

    if (KnobValue* knob = controls.FindKnob(QStringLiteral("Knob25")))
        knob->SetValStrList(Lists.Transpose24Names);
    SingleRecord(Rows::Transpose).ValNames = &Lists.Transpose24Names;
    if (KnobValue* knob = controls.FindKnob(QStringLiteral("Knob2")))
        knob->SetValStrList(Lists.Bias50Names);
    Mod(0).Variant[2]->ValNames = &Lists.Bias50Names;
}

void ParameterMap::buildModulationGroups(ControlLookup& controls) {
    for (int g = 0; g < ModGroupCount; ++g) {
        const Tables::ModGroupRow& spec = Tables::ModGroups[g];
        auto mod = std::make_unique<TMod>(QString::fromLatin1(spec.heading),
                                          QString::fromLatin1(spec.title),
                                          QString::fromLatin1(spec.caption), spec.labelColor,
                                          spec.labelColor, spec.textColor, spec.textColor);
        for (const Tables::ModRecordRow& r : Tables::ModRecords[g]) {
            if (r.row < 0)
                continue;
            auto record = std::make_unique<TSyx_Param>(
                r.group, r.para, r.max, 10 + g, controls.FindCaption(numbered("lVal", r.row)),
                controls.FindKnob(numbered("Knob", r.row)));
            record->Index = VoiceParam::Mod(g, r.row)->Index();
            mod->Variant[r.row] = record.get();
            modulationRecords_.push_back(std::move(record));
        }
        const QString caption = mod->Caption;
        slots_[Slots::FirstMod + g] = std::move(mod);
        if (g == 0)
            if (CaptionView* button = controls.FindCaption(QStringLiteral("lModGroup")))
                button->SetCaption(caption);
    }
}

void ParameterMap::buildSingleRecords(ControlLookup& controls) {
    for (const Tables::SingleRowEntry& spec : Tables::SingleRows) {
        const int tag = spec.row == Tables::TaggedSingleRow ? 0 : -1;
        const QString control = numbered("lVal", spec.row);
        std::unique_ptr<TSyx_Param> record;
        if (spec.control == Tables::RowControl::Knob) {
            record = std::make_unique<TSyx_Param>(spec.group, spec.para, spec.max, tag,
                                                  controls.FindCaption(control),
                                                  controls.FindKnob(numbered("Knob", spec.row)));
        } else {
            record = std::make_unique<TSyx_Param>(spec.group, spec.para, spec.max, tag);
            record->ValueButton = controls.FindCaption(control);
        }
        record->OwnValNames = Tables::toList(spec.names);
        record->Index = VoiceParam::Single(spec.row)->Index();
        slots_[spec.slot] = std::move(record);
    }
}

void ParameterMap::buildOperatorSwitches(ControlLookup& controls) {
    for (int op = 0; op < OperatorCount; ++op) {
        auto record =
            std::make_unique<TSyx_Param>(Tables::Group12, Tables::OperatorMaskPara, 1, op);
        record->ValueButton = controls.FindCaption(numbered("lVal", Rows::FirstOpSwitchCC + op));
        record->OwnValNames = Tables::toList(Tables::OffOn);
        record->CC = Rows::FirstOpSwitchCC + op;
        record->Index = VoiceParam::OpSwitch(op).Index();
        slots_[Slots::FirstOpSwitch + op] = std::move(record);
    }
}

void ParameterMap::buildPatchRows() {
    for (int n = 0; n < EditRowCount; ++n) {
        auto row = std::make_unique<TCC_Param>();
        row->CC = n;
        if (n <= 3) {
            row->Selector = TCC_Param::PerModGroup;
            for (int g = 0; g < ModGroupCount; ++g)
                row->Variant[g] = Mod(g).Variant[n];
        } else if (n >= Rows::FirstPerOperator) {
            row->Selector = TCC_Param::PerOperator;
            for (int op = 0; op < OperatorCount; ++op)
                row->Variant[op] =
                    &Op(op).Field(Tables::PerOperatorRows[n - Rows::FirstPerOperator]);
        } else if (n >= Rows::FirstOperatorAme && n < Rows::FirstOperatorAme + OperatorCount) {
            row->Variant[0] = &Op(n - Rows::FirstOperatorAme).Field(OpField::AME);
        } else if (n >= Rows::FirstOperatorFix && n < Rows::FirstOperatorFix + OperatorCount) {
            row->Variant[0] = &Op(n - Rows::FirstOperatorFix).Field(OpField::Fix);
        } else if (n != Rows::RandomiseButton) {
            row->Variant[0] = &SingleRecord(n);
        }
        for (TSyx_Param* record : row->Variant)
            if (record)
                record->CC = n;
        slots_[n] = std::move(row);
    }
}

void ParameterMap::BuildMultiMap(ControlLookup& controls) {
    TMulti& multi = Multi();
    for (const Tables::GlobalControlRow& g : Tables::GlobalControls) {
        TSyx_Param& record = multi.Field(g.field);
        const QString control = QString::fromLatin1(g.control);
        if (g.knob) {
            record.Knob = controls.FindKnob(QString::fromLatin1(g.knob));
            record.ValueLabel = controls.FindCaption(control);
            if (record.Knob)
                record.Knob->SetMax(record.Max);
        } else {
            record.ValueButton = controls.FindCaption(control);
        }
    }
    TSyx_Param& tune = multi.Field(MultiField::MasterTune);
    if (tune.Knob)
        tune.Knob->SetValStrList(Lists.Tune64Names);
    tune.ValNames = &Lists.Tune64Names;
    TSyx_Param& rx = multi.Field(MultiField::RxChannel);
    if (rx.Knob)
        rx.Knob->SetValStrList(Lists.ChannelNames);
    rx.ValNames = &Lists.ChannelNames;
    // The transmit channel keeps the knob's own value list, which is empty: numbers are shown.

    for (int f = 0; f < MultiFieldCount; ++f) {
        auto row = std::make_unique<TCC_mParam>();
        row->Index = f;
        row->Param = multi.Records[f].get();
        slots_[Slots::FirstMultiRow + f] = std::move(row);
    }
    multi.Field(MultiField::MemLock).ValNames = &Lists.OffOnNames;
    multi.Field(MultiField::FxType).ValNames = &SingleRecord(Rows::EffectType).OwnValNames;

    for (int p = 1; p <= PartCount; ++p) {
        TPart& part = multi.Part(p);
        for (int offset = 0; offset < PartFieldCount; ++offset) {
            const Tables::PartRowEntry& spec = Tables::PartRows[offset];
            TSyx_Param& record = part.Field(spec.field);
            const QString control = numbered(spec.control, p);
            if (spec.knob) {
                record.Knob = controls.FindKnob(numbered(spec.knob, p));
                record.ValueLabel = controls.FindCaption(control);
                if (record.Knob) {
                    record.Knob->SetMax(record.Max);
                    if (const QStringList* list = listOf(Lists, spec.knobList))
                        record.Knob->SetValStrList(*list);
                }
            } else {
                record.ValueButton = controls.FindCaption(control);
            }
            if (const QStringList* names = listOf(Lists, spec.names))
                record.ValNames = names;
            const int index = MultiFieldCount + PartFieldCount * (p - 1) + offset;
            auto row = std::make_unique<TCC_mParam>();
            row->Index = index;
            row->Param = &record;
            slots_[Slots::FirstMultiRow + index] = std::move(row);
        }
    }
}

void AssignOperatorControls(ParameterMap& map, ControlLookup& controls) {
    for (int op = 0; op < OperatorCount; ++op) {
        TOp& record = map.Op(op);
        for (int i = 0; i <= Rows::LastPerOperator - Rows::FirstPerOperator; ++i) {
            const int row = Rows::FirstPerOperator + i;
            TSyx_Param& param = record.Field(Tables::PerOperatorRows[i]);
            param.Knob = controls.FindKnob(numbered("Knob", row));
            param.ValueLabel = controls.FindCaption(numbered("lVal", row));
            if (param.Knob)
                param.Knob->SetMax(param.Max);
        }
        record.Field(OpField::AME).ValueButton =
            controls.FindCaption(numbered("lVal", Rows::FirstOperatorAme + op));
        record.Field(OpField::Fix).ValueButton =
            controls.FindCaption(numbered("lVal", Rows::FirstOperatorFix + op));
        record.NameLabel = controls.FindCaption(numbered("lOp", op + 1));
    }
}
