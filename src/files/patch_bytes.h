#pragma once

#include "model/voice.h"

#include <QByteArray>

namespace SyxFiles {

// The patch file of a voice, as the editor saves one: its four messages in file order, 191 bytes.
// It holds every parameter but the operator switches, which no file keeps.
QByteArray PatchFileBytes(const Voice& voice);

} // namespace SyxFiles
