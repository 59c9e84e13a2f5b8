#pragma once

class Editor;
class PreviewOutput;

// The preview plays what the editor plays: the voice after every change, so that an edit or a
// turn of the controller is heard on a note already held, and the keyboard's notes, bend, mod
// wheel, breath, foot and aftertouch on every channel. The editor's thru to the synth goes on as
// before. The preview is given the current voice at once.
void ConnectPreview(Editor& editor, PreviewOutput& preview);
