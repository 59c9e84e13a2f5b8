#include "edit/controller_echo.h"

#include "edit/edit_state.h"
#include "edit/editor_ports.h"
#include "model/parameter_map.h"

ControllerEcho::ControllerEcho(EditorPorts& ports, ParameterMap& map, const EditState& state)
    : ports_(ports), map_(map), state_(state) {}

void ControllerEcho::EchoCc(int cc, int value) {
    ports_.ControllerCc(cc, value);
}

void ControllerEcho::setRowLastVal(int row, int value) {
    if (TCC_Param* r = map_.Row(row))
        r->LastVal = value;
}

void ControllerEcho::EchoRow(int row) {
    const TCC_Param* r = map_.Row(row);
    const TSyx_Param* record = r ? r->Current(state_.SelectedOp, state_.ModGroup) : nullptr;
    if (!record)
        return;
    setRowLastVal(row, record->Val);
    EchoCc(row, record->Val & 0xFF);
}

void ControllerEcho::EchoRecord(const TSyx_Param& record, int cc) {
    setRowLastVal(cc, record.Val);
    EchoCc(cc, record.Val & 0xFF);
}
