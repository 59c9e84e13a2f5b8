#include "edit/envelope_option.h"

#include "edit/control_router.h"
#include "edit/page_controls.h"
#include "edit/preset_upload.h"
#include "views/knob_value.h"
#include "views/services.h"
#include "views/views.h"

#include <algorithm>

namespace {
// Attack, decay 1, decay 2 and release rate.
constexpr std::array<int, 4> RateRows{40, 41, 43, 44};
const QString Section = QStringLiteral("Envelope");
const QString Key = QStringLiteral("TimeReverse");
} // namespace

EnvelopeOption::EnvelopeOption(ControlRouter& router, SettingsStore& settings,
                               PresetUpload& presets, const PageControls& controls)
    : router_(router), settings_(settings), presets_(presets), controls_(controls) {}

void EnvelopeOption::Load() {
    startUp_ = true;
    timeReverse_ = settings_.Value(Section, Key, true).toBool();
    if (controls_.cbEnvRev)
        controls_.cbEnvRev->SetChecked(timeReverse_);
}

void EnvelopeOption::cbEnvRevClick() {
    std::array<int, RateRows.size()> remembered{};
    for (std::size_t i = 0; i < RateRows.size(); ++i)
        if (KnobValue* knob = controls_.Knob[RateRows[i]])
            remembered[i] = knob->Position();
    if (!startUp_) {
        if (controls_.cbEnvRev)
            timeReverse_ = controls_.cbEnvRev->IsChecked();
        settings_.SetValue(Section, Key, timeReverse_);
        // The option is stored before the upload: the knobs follow it even when a port error
        // ends the upload, or the screen would turn one way and the controller the other.
        try {
            presets_.SendControllerPreset(timeReverse_ ? QStringLiteral("Marrowlink_Rev.SYX")
                                                       : QStringLiteral("Marrowlink_Norm.SYX"));
        } catch (...) {
            turnRateKnobs();
            throw;
        }
    }
    startUp_ = false;
    turnRateKnobs();
    // Each knob's value goes through the edit path again, which echoes it to the controller.
    for (std::size_t i = 0; i < RateRows.size(); ++i) {
        KnobValue* knob = controls_.Knob[RateRows[i]];
        if (!knob)
            continue;
        knob->SetPosition(remembered[i]);
        router_.ScreenEdit(RateRows[i], knob->Position());
    }
}

void EnvelopeOption::turnRateKnobs() {
    for (int row : RateRows) {
        KnobValue* knob = controls_.Knob[row];
        if (!knob)
            continue;
        const int top = std::max(knob->Min(), knob->Max());
        knob->SetMin(timeReverse_ ? top : 0);
        knob->SetMax(timeReverse_ ? 0 : top);
    }
}
