#pragma once

#include <QWidget>

class PreviewOutput;
class QPushButton;
class SettingsStore;

// "Preview" and "Play" on the Patch page. The toggle turns the preview on and off and the settings
// file remembers what the user chose; when the preview cannot start, the toggle stays off and its
// tooltip says why (no box: a machine without JACK is not an error). "Play" plays middle C at
// velocity 100 for one second, timed by the audio, so nothing waits for it.
class PreviewSwitch : public QWidget {
public:
    PreviewSwitch(PreviewOutput& preview, SettingsStore& settings, QWidget* parent);

    // Turns the preview on if the settings file says so, or says nothing and onByDefault is set.
    void Restore(bool onByDefault);
    // A library voice tried with no synth to hear it on: the preview is started if it can be (not
    // remembered: the user did not choose it) and plays the test note.
    void Audition();

private:
    void turn(bool on);
    void show(const QString& problem);

    PreviewOutput& preview_;
    SettingsStore& settings_;
    QPushButton* toggle_;
    QPushButton* play_;
};
