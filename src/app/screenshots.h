#pragma once

#include <QString>

class TfMidi;
class TfSplash;

// Waits for the synth's first answers (at most 2 s), then writes patch.png, multipart.png and
// setup.png of the whole window with each page shown, and splash.png. The exit code: 0, or 1
// when a picture could not be written (said on standard error).
int TakeScreenshots(TfMidi& window, TfSplash& splash, const QString& folder);
