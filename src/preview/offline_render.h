#pragma once

#include <vector>

class Voice;

struct StereoSound {
    std::vector<float> left;
    std::vector<float> right;
    int sampleRate = 48000;
};

struct NoteRender {
    int note = 60;
    int velocity = 100;
    double heldSeconds = 2;
    int sampleRate = 48000;
    // The release goes on until every note has ended, but no longer than this.
    double longestTailSeconds = 10;
};

// One note of the voice, held and then released, through the same engine as the live preview.
StereoSound RenderNote(const Voice& voice, const NoteRender& request);
