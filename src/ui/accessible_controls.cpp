#include "ui/accessible_controls.h"

#include "controls/knob.h"
#include "controls/transparent_button.h"
#include "edit/editor.h"
#include "model/multi_map_tables.h"
#include "model/param_names.h"

#include <QAccessibleWidget>
#include <QRegularExpression>

namespace {

const Editor* accessibleEditor = nullptr;

// The name of the variant a row's controls show now; a modulation row the group has no record
// for is still named after the group.
QString patchRowName(const Editor& editor, int row) {
    if (row <= Rows::LastModulationRow && !RowParam(row, editor.State().ModGroup))
        return GroupName(editor.State().ModGroup) + QLatin1Char(' ') + RowName(row);
    const int slot = row >= Rows::FirstPerOperator    ? editor.State().SelectedOp
                     : row <= Rows::LastModulationRow ? editor.State().ModGroup
                                                      : 0;
    if (const std::optional<VoiceParam> param = RowParam(row, slot))
        return ParamName(*param);
    return RowName(row);
}

// The multipart control of a name: a part's by its prefix and number, or a global's.
std::optional<MultiParam> multiParamOf(const QString& objectName) {
    for (const Tables::GlobalControlRow& g : Tables::GlobalControls)
        if (objectName == QLatin1String(g.control) ||
            (g.knob && objectName == QLatin1String(g.knob)))
            return MultiParam::Global(g.field);
    for (const Tables::PartRowEntry& r : Tables::PartRows)
        for (const char* prefix : {r.knob, r.control}) {
            if (!prefix || !objectName.startsWith(QLatin1String(prefix)))
                continue;
            bool number = false;
            const int part = objectName.mid(int(qstrlen(prefix))).toInt(&number);
            if (number && part >= 1 && part <= PartCount)
                return MultiParam::Part(part, r.field);
        }
    return std::nullopt;
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
    if (const std::optional<MultiParam> param = multiParamOf(objectName))
        return ParamName(*param);
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
