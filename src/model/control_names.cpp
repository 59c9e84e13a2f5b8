#include "model/control_names.h"

#include "model/multi_map_tables.h"
#include "model/parameter_map.h"

std::vector<ControlName> EditorControls() {
    std::vector<ControlName> controls;
    auto add = [&controls](ControlKind kind, const QString& name) {
        controls.push_back({name, kind});
    };
    auto numbered = [](const char* prefix, int n) {
        return QString::fromLatin1(prefix) + QString::number(n);
    };

    // Patch rows: a knob with its value label, or a value button; then the operator switches and
    // the operator select buttons.
    for (int row = 0; row < EditRowCount; ++row) {
        if (Rows::HasKnob(row))
            add(ControlKind::Knob, numbered("Knob", row));
        add(ControlKind::Caption, numbered("lVal", row));
    }
    for (int op = 0; op < OperatorCount; ++op) {
        add(ControlKind::Caption, numbered("lVal", Rows::FirstOpSwitchCC + op));
        add(ControlKind::Caption, numbered("lVal", Rows::FirstOpSelectCC + op));
        add(ControlKind::Caption, QStringLiteral("lOp%1Select").arg(op + 1));
        add(ControlKind::Caption, numbered("pOp", op + 1));
        add(ControlKind::Caption, numbered("lOp", op + 1));
        add(ControlKind::Graph, numbered("gAdsr", op + 1));
        add(ControlKind::Picture, numbered("gWave", op + 1));
        add(ControlKind::Bar, numbered("pbOp", op + 1));
    }
    for (const char* caption :
         {"lCtrlMsg", "lRandom", "lRandPercent", "lModGroup", "lMod1", "lMod2", "lCurrentPatch",
          "lCurrentMulti", "bLoadBCR", "lMouseWheelSize"})
        add(ControlKind::Caption, QString::fromLatin1(caption));
    add(ControlKind::Picture, QStringLiteral("gAlgorithm"));
    add(ControlKind::Edit, QStringLiteral("eName"));
    add(ControlKind::Toggle, QStringLiteral("cbEnvRev"));

    // The multipart page: global controls, then each part's.
    auto addMultiControls = [&](const char* knob, const char* control, const QString& suffix) {
        if (knob)
            add(ControlKind::Knob, QString::fromLatin1(knob) + suffix);
        add(ControlKind::Caption, QString::fromLatin1(control) + suffix);
    };
    for (const Tables::GlobalControlRow& spec : Tables::GlobalControls)
        addMultiControls(spec.knob, spec.control, QString());
    for (int part = 1; part <= PartCount; ++part)
        for (const Tables::PartRowEntry& spec : Tables::PartRows)
            addMultiControls(spec.knob, spec.control, QString::number(part));
    return controls;
}
