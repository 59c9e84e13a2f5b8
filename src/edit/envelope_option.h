#pragma once

class ControlRouter;
class PresetUpload;
class SettingsStore;
struct PageControls;

// The envelope-time option: which way of turning raises the four envelope rates, on the screen
// (the rate knobs' Min and Max) and on the controller (the Rev or Norm preset file). No value sent
// to the synth changes.
class EnvelopeOption {
public:
    EnvelopeOption(ControlRouter& router, SettingsStore& settings, PresetUpload& presets,
                   const PageControls& controls);

    // Start-up: the stored option, shown on the check box; the next click only sets the knobs.
    void Load();
    // The check box's click: stores the option and uploads its preset file, then turns the knobs
    // (the first call after Load turns the knobs only).
    void cbEnvRevClick();
    bool TimeReverse() const { return timeReverse_; }

private:
    // Min and Max of the four rate knobs by the option; their positions stay.
    void turnRateKnobs();

    ControlRouter& router_;
    SettingsStore& settings_;
    PresetUpload& presets_;
    const PageControls& controls_;
    bool timeReverse_ = true;
    bool startUp_ = true;
};
