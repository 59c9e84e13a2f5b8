#include "edit/voice_morph_control.h"

#include "edit/ab_compare.h"
#include "edit/edit_path.h"
#include "model/voice_morph.h"

VoiceMorphControl::VoiceMorphControl(EditPath& path, AbCompare& compare)
    : path_(path), compare_(compare) {}

void VoiceMorphControl::Move(int percent) {
    compare_.ReturnToB();
    // A voice changed by anything else since the last movement is the new B.
    if (!moving_ || path_.CurrentVoice() != left_) {
        from_ = compare_.A();
        to_ = path_.CurrentVoice();
        moving_ = true;
    }
    percent_ = percent;
    left_ = MorphVoice(from_, to_, percent);
    path_.Replace(left_, Origin::Morph);
}

void VoiceMorphControl::Release() {
    path_.EndMorph();
}
