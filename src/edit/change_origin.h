#pragma once

// Where a change of the voice or the multi came from. The change path decides by it what goes to
// the synth, what is echoed to the controller and when a value out of range is said.
enum class Origin {
    Screen,     // a knob, a value button or the name edit
    Controller, // an encoder or a key of the controller
    Synth,      // a dump from the synth
    File,       // a patch or multi file loaded
    Randomiser,
    Undo,    // undo and redo
    Compare, // an A/B switch, or values taken from A
    Morph,   // a voice between A and B
    Library, // a voice chosen in the library
};
