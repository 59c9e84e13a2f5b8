#include "edit/page_controls.h"

#include "model/parameter_map.h"
#include "views/control_lookup.h"

namespace {
QString numbered(const char* prefix, int n) {
    return QString::fromLatin1(prefix) + QString::number(n);
}
} // namespace

PageControls PageControls::Find(ControlLookup& c) {
    PageControls found;
    found.lCtrlMsg = c.FindCaption(QStringLiteral("lCtrlMsg"));
    found.lRandom = c.FindCaption(QStringLiteral("lRandom"));
    found.lRandPercent = c.FindCaption(QStringLiteral("lRandPercent"));
    found.lModGroup = c.FindCaption(QStringLiteral("lModGroup"));
    found.lMod1 = c.FindCaption(QStringLiteral("lMod1"));
    found.lMod2 = c.FindCaption(QStringLiteral("lMod2"));
    found.lCurrentPatch = c.FindCaption(QStringLiteral("lCurrentPatch"));
    found.lCurrentMulti = c.FindCaption(QStringLiteral("lCurrentMulti"));
    found.lMouseWheelSize = c.FindCaption(QStringLiteral("lMouseWheelSize"));
    found.bLoadBCR = c.FindCaption(QStringLiteral("bLoadBCR"));
    found.lRandomButton = c.FindCaption(numbered("lVal", Rows::RandomiseButton));
    found.gAlgorithm = c.FindPicture(QStringLiteral("gAlgorithm"));
    found.eName = c.FindEdit(QStringLiteral("eName"));
    found.cbEnvRev = c.FindToggle(QStringLiteral("cbEnvRev"));
    for (int op = 0; op < OperatorCount; ++op) {
        found.lOpSelect[op] = c.FindCaption(QStringLiteral("lOp%1Select").arg(op + 1));
        found.pOp[op] = c.FindCaption(numbered("pOp", op + 1));
        found.opSelectButton[op] = c.FindCaption(numbered("lVal", Rows::FirstOpSelectCC + op));
    }
    for (int row = 0; row <= Rows::LastModulationRow; ++row)
        found.modValueLabel[row] = c.FindCaption(numbered("lVal", row));
    for (int row = 0; row < EditRowCount; ++row)
        if (Rows::HasKnob(row))
            found.Knob[row] = c.FindKnob(numbered("Knob", row));
    return found;
}
