#include "model/parameter_records.h"

#include "model/multi.h"
#include "model/operator_panel.h"
#include "model/record_tables.h"
#include "model/voice.h"
#include "views/knob_value.h"
#include "views/prompts.h"
#include "views/views.h"

TSyx_Param::TSyx_Param(int gp, int para, int max, int tag, CaptionView* valueLabel, KnobValue* knob)
    : Gp(gp), Para(para), ValueLabel(valueLabel), Max(max), Tag(tag), Knob(knob) {
    if (Knob)
        Knob->SetMax(max);
}

void SetLabel(Prompter& prompts, const TSyx_Param& record, int value) {
    QString text;
    if (record.ValNames->isEmpty()) {
        text = QString::number(value);
    } else if (value < 0 || value >= record.ValNames->size()) {
        // A negative value has no name either; the list is never indexed outside its bounds.
        prompts.Warning(
            QStringLiteral("SetLabel(val) Value to high for stringlist;Gp %1;Para %2;Val %3")
                .arg(record.Gp)
                .arg(record.Para)
                .arg(value));
        return;
    } else {
        text = (*record.ValNames)[value];
    }
    if (record.ValueLabel)
        record.ValueLabel->SetCaption(text);
    else if (record.ValueButton)
        record.ValueButton->SetCaption(text);
}

QString ValueTooBigText(const TSyx_Param& record, int value) {
    const QString cc =
        record.CC == TSyx_Param::NoCC ? QStringLiteral("none") : QString::number(record.CC);
    return QStringLiteral("Value too big CC:%1; Val:%2: Max:%3: Gp:%4: Parm:%5")
        .arg(cc)
        .arg(value)
        .arg(record.Max)
        .arg(record.Gp)
        .arg(record.Para);
}

TSyx_Param* TCC_Param::Current(int selectedOp, int modGroup) const {
    switch (Selector) {
    case PerOperator:
        return Variant[selectedOp];
    case PerModGroup:
        return Variant[modGroup];
    default:
        return Variant[0];
    }
}

TOp::TOp(int op, GraphView* envGraph, PictureView* wavePicture, BarView* outBar)
    : OpIndex(op), EnvGraph(envGraph), WavePicture(wavePicture), OutBar(outBar) {
    for (const Tables::OpRecordRow& spec : Tables::OpRecords) {
        auto record = std::make_unique<TSyx_Param>(
            spec.group, Tables::opBase(spec.group, op) + spec.offset, spec.max, op);
        record->OwnValNames = Tables::toList(spec.names);
        record->Index = VoiceParam::Op(op, spec.field).Index();
        Records[int(spec.field)] = std::move(record);
    }
    ShiftX = 0;
    if (EnvGraph) {
        EnvGraph->SetValue(0, 7);
        EnvGraph->SetValue(32, 1);
    }
    const Voice start;
    for (int row = OperatorPanelFirstRow; row <= OperatorPanelLastRow; ++row)
        UpdateOperatorGraph(*this, start, row);
}

TMod::TMod(QString heading, QString title, QString caption, TColor headingColor, TColor titleColor,
           TColor headingTextColor, TColor titleTextColor)
    : Heading(std::move(heading)), Title(std::move(title)), Caption(std::move(caption)),
      HeadingColor(headingColor), TitleColor(titleColor), HeadingTextColor(headingTextColor),
      TitleTextColor(titleTextColor) {}

TPart::TPart(int part) {
    const int base = 12 * (part - 1);
    for (const Tables::PartRecordRow& spec : Tables::PartRecords) {
        Records[int(spec.field)] =
            std::make_unique<TSyx_Param>(Tables::Group10, base + spec.offset, spec.max);
        Records[int(spec.field)]->Index = MultiParam::Part(part, spec.field).Row();
    }
}

TMulti::TMulti() {
    for (const Tables::MultiRecordRow& spec : Tables::MultiRecords) {
        Records[int(spec.field)] = std::make_unique<TSyx_Param>(spec.group, spec.para, spec.max);
        Records[int(spec.field)]->Index = MultiParam::Global(spec.field).Row();
    }
    for (int p = 1; p <= PartCount; ++p)
        Parts[p - 1] = std::make_unique<TPart>(p);
}
