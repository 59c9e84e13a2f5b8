#include "edit/controller_echo.h"

#include "edit/edit_state.h"
#include "edit/edited_sound.h"
#include "edit/editor_ports.h"
#include "model/parameter_map.h"

ControllerEcho::ControllerEcho(EditorPorts& ports, const ParameterMap& map, const EditState& state,
                               const EditedSound& sound)
    : ports_(ports), map_(map), state_(state), sound_(sound) {}

void ControllerEcho::EchoCc(int cc, int value) {
    ports_.ControllerCc(cc, value);
}

void ControllerEcho::EchoRow(int row) {
    const TCC_Param* r = map_.Row(row);
    const TSyx_Param* record = r ? r->Current(state_.SelectedOp, state_.ModGroup) : nullptr;
    if (!record)
        return;
    EchoValue(row, sound_.voice.Value(VoiceParam::FromIndex(record->Index)));
}

void ControllerEcho::EchoValue(int cc, int value) {
    SetLastVal(cc, value);
    EchoCc(cc, value & 0xFF);
}
