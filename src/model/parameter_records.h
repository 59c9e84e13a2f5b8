#pragma once

#include "model/domain.h"
#include "model/fields.h"
#include "views/colour.h"

#include <QString>
#include <QStringList>
#include <array>
#include <memory>

class CaptionView;
class KnobValue;
class Prompter;
class GraphView;
class PictureView;
class BarView;

// One synth parameter as the editor shows it: where it lives in the synth (group and number), its
// range, the names of its values and the controls that show it. A record never owns a control and
// holds no value: the values are the voice's and the multi's (Voice, Multi).
struct TSyx_Param {
    TSyx_Param(int gp, int para, int max, int tag = 0, CaptionView* valueLabel = nullptr,
               KnobValue* knob = nullptr);
    TSyx_Param(const TSyx_Param&) = delete;
    TSyx_Param& operator=(const TSyx_Param&) = delete;

    int Gp;
    int Para;
    // The parameter's index in the Voice (a VoiceParam) or its row in the Multi.
    int Index = -1;
    CaptionView* ValueButton = nullptr;
    CaptionView* ValueLabel;
    int Max;
    QStringList OwnValNames;
    // Either OwnValNames or a list shared by several records and owned by the parameter map.
    const QStringList* ValNames = &OwnValNames;
    int Tag;
    int CC = NoCC;
    KnobValue* Knob;

    static constexpr int NoCC = -1; // multi records have no controller row
};

// Shows the text of a value on the record's label or button; warns when the value has no name.
void SetLabel(Prompter& prompts, const TSyx_Param& record, int value);
// "Value too big CC:..." for a value above the record's maximum.
QString ValueTooBigText(const TSyx_Param& record, int value);

// One patch row, indexed by controller CC number.
struct TCC_Param {
    enum SelectorKind { Single = -1, PerOperator = 0, PerModGroup = 1 };

    int CC = 0;
    int Selector = Single;
    std::array<TSyx_Param*, VariantSlotCount> Variant{};

    // The variant the row's selector picks, or null for an empty slot.
    TSyx_Param* Current(int selectedOp, int modGroup) const;
};

// One multi row.
struct TCC_mParam {
    int Index = 0;
    TSyx_Param* Param = nullptr;
};

// One FM operator with its 18 records and its panel controls.
struct TOp {
    // Draws the operator's panel from the records' start values.
    TOp(int op, GraphView* envGraph, PictureView* wavePicture, BarView* outBar);
    TOp(const TOp&) = delete;
    TOp& operator=(const TOp&) = delete;

    TSyx_Param& Field(OpField field) { return *Records[int(field)]; }
    const TSyx_Param& Field(OpField field) const { return *Records[int(field)]; }

    int OpIndex;
    CaptionView* NameLabel = nullptr;
    int ShiftX = 0;
    std::array<std::unique_ptr<TSyx_Param>, OpFieldCount> Records;
    GraphView* EnvGraph;
    PictureView* WavePicture;
    BarView* OutBar;
};

// One modulation source group (aftertouch, mod wheel, breath, foot). Its records are owned by the
// parameter map; Variant[n] is the group's record for patch row n, or null.
struct TMod {
    TMod(QString heading, QString title, QString caption, TColor headingColor, TColor titleColor,
         TColor headingTextColor, TColor titleTextColor);

    std::array<TSyx_Param*, VariantSlotCount> Variant{};
    QString Heading;
    QString Title;
    QString Caption;
    TColor HeadingColor;
    TColor TitleColor;
    TColor HeadingTextColor;
    TColor TitleTextColor;
};

struct TPart {
    explicit TPart(int part); // 1..8
    TPart(const TPart&) = delete;
    TPart& operator=(const TPart&) = delete;

    TSyx_Param& Field(PartField field) { return *Records[int(field)]; }
    const TSyx_Param& Field(PartField field) const { return *Records[int(field)]; }

    std::array<std::unique_ptr<TSyx_Param>, PartFieldCount> Records;
};

// The multi: seven global records and eight parts.
struct TMulti {
    TMulti();
    TMulti(const TMulti&) = delete;
    TMulti& operator=(const TMulti&) = delete;

    TSyx_Param& Field(MultiField field) { return *Records[int(field)]; }
    const TSyx_Param& Field(MultiField field) const { return *Records[int(field)]; }
    TPart& Part(int part) { return *Parts[part - 1]; } // 1..8
    const TPart& Part(int part) const { return *Parts[part - 1]; }

    std::array<std::unique_ptr<TSyx_Param>, MultiFieldCount> Records;
    std::array<std::unique_ptr<TPart>, PartCount> Parts;
};
