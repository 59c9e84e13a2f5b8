#include "ui/accessible_controls.h"

#include "controls/knob.h"
#include "controls/transparent_button.h"
#include "edit/editor.h"

#include <QAccessibleWidget>
#include <QRegularExpression>

namespace {

const Editor* accessibleEditor = nullptr;

// The names of patch rows 0..47 (rows 0..3 after the group, 32..47 after the operator).
constexpr const char* RowNames[EditRowCount] = {
    "LFO Pitch",
    "LFO Amp",
    "Pitch",
    "Envelope",
    "PB Range",
    "Portamento Speed",
    "LFO Speed",
    "LFO Delay",
    "Amp Mod Enable",
    "Amp Mod Enable",
    "Amp Mod Enable",
    "Amp Mod Enable",
    "Mono",
    "Portamento Type",
    "LFO Wave",
    "LFO Key Sync",
    "Fix/Ratio",
    "Fix/Ratio",
    "Fix/Ratio",
    "Fix/Ratio",
    "FX Type",
    "Random",
    "CC LFO Sens. Pitch",
    "CC LFO Sens. Amp",
    "Algorithm",
    "Transpose",
    "Feedback",
    "FX Reverb",
    "FX Balance",
    "FX Time",
    "LFO Mod Pitch",
    "LFO Mod Amp",
    "FixRange",
    "Coarse",
    "Fine",
    "Detune",
    "Velocity",
    "Envel Sens",
    "Wave",
    "Output",
    "Attack",
    "Decay1",
    "Decay Level",
    "Decay 2",
    "Release",
    "Shift",
    "Kbd Scale Level",
    "Kbd Scale Rate",
};
constexpr const char* GroupNames[ModGroupCount] = {"Aftertouch", "Mod Wheel", "Breath", "Foot"};

// The multipart page's controls, by the name before the part number.
struct MultiName {
    const char* prefix;
    const char* name;
};
constexpr MultiName MultiNames[] = {
    {"kPatch", "Patch Select"},
    {"tlPatchBank", "Patch Bank"},
    {"tlOutPort", "Out Port"},
    {"tlLfoSelect", "LFO Select"},
    {"tlMaxNotes", "Max Notes"},
    {"kRxChannel", "Channel"},
    {"kTopNote", "Top Note"},
    {"kLowNote", "Lowest Note"},
    {"kTranspose", "Transpose"},
    {"kDetune", "Detune"},
    {"kVolume", "Volume"},
    {"kMasterTune", "Master Tune"},
    {"kGlobalRxChan", "Main Rx Chan"},
    {"kGlobalTxChan", "Main Tx Chan"},
    {"tlMemLock", "Memory Lock"},
    {"tlFxType", "FX Type"},
    {"kFxTime", "FX Time"},
    {"kFxBalance", "FX Balance"},
};

QString patchRowName(const Editor& editor, int row) {
    const QString name = QString::fromLatin1(RowNames[row]);
    if (row <= Rows::LastModulationRow) {
        const int group = editor.State().ModGroup;
        // The foot group's second knob is its volume.
        const QString word = group == 3 && row == 1 ? QStringLiteral("Vol") : name;
        return QString::fromLatin1(GroupNames[group]) + QLatin1Char(' ') + word;
    }
    if (row >= Rows::FirstPerOperator)
        return QStringLiteral("Op %1 ").arg(editor.State().SelectedOp + 1) + name;
    if ((row >= Rows::FirstOperatorAme && row < Rows::FirstOperatorAme + OperatorCount) ||
        (row >= Rows::FirstOperatorFix && row < Rows::FirstOperatorFix + OperatorCount))
        return QStringLiteral("Op %1 ").arg(row % OperatorCount + 1) + name;
    return name;
}

class ParameterAccessible : public QAccessibleWidget {
public:
    ParameterAccessible(QWidget* widget, QAccessible::Role role)
        : QAccessibleWidget(widget, role) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && accessibleEditor) {
            const QString name = ParameterName(*accessibleEditor, widget()->objectName());
            if (!name.isEmpty())
                return name;
        }
        if (kind == QAccessible::Value) {
            if (const auto* knob = dynamic_cast<const TKnob*>(widget()))
                return knob->ValueText().trimmed();
            if (const auto* button = dynamic_cast<const TTransparentButton*>(widget()))
                return button->Caption();
        }
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* parameterAccessible(const QString&, QObject* object) {
    if (auto* knob = dynamic_cast<TKnob*>(object))
        return new ParameterAccessible(knob, QAccessible::Dial);
    if (auto* button = dynamic_cast<TTransparentButton*>(object))
        return new ParameterAccessible(button, QAccessible::Button);
    return nullptr;
}

} // namespace

QString ParameterName(const Editor& editor, const QString& objectName) {
    static const QRegularExpression numbered(QStringLiteral("^(Knob|lVal)(\\d+)$"));
    const QRegularExpressionMatch match = numbered.match(objectName);
    if (match.hasMatch()) {
        const int number = match.captured(2).toInt();
        if (number < EditRowCount)
            return patchRowName(editor, number);
        if (number >= Rows::FirstOpSwitchCC && number < Rows::FirstOpSwitchCC + OperatorCount)
            return QStringLiteral("Op %1 On").arg(number - Rows::FirstOpSwitchCC + 1);
        if (number >= Rows::FirstOpSelectCC && number < Rows::FirstOpSelectCC + OperatorCount)
            return QStringLiteral("Select Op %1").arg(number - Rows::FirstOpSelectCC + 1);
        return {};
    }
    for (const MultiName& m : MultiNames) {
        const QString prefix = QString::fromLatin1(m.prefix);
        if (!objectName.startsWith(prefix))
            continue;
        const QString part = objectName.mid(prefix.size());
        if (part.isEmpty())
            return QString::fromLatin1(m.name);
        return QStringLiteral("Part %1 ").arg(part) + QString::fromLatin1(m.name);
    }
    return {};
}

void InstallAccessibleControls(const Editor* editor) {
    static const bool installed = [] {
        QAccessible::installFactory(parameterAccessible);
        return true;
    }();
    Q_UNUSED(installed);
    accessibleEditor = editor;
}
