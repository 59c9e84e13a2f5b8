#pragma once

#include "model/multi.h"
#include "model/voice.h"

// The voice and the multi being edited: the one place their values live. The change path
// (EditPath) is the only writer; every other part of the editor reads them.
struct EditedSound {
    Voice voice;
    Multi multi;
};
