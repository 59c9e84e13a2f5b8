#pragma once

#include "views/control_lookup.h"

#include <vector>

// Every control the engine finds by name, with its kind: the knobs, labels and buttons of the patch
// and multipart pages, the operator panel, the captions the edit operations set. A window must
// provide each of them; the headless controls of the bridge and the tests are made from this list.
std::vector<ControlName> EditorControls();
