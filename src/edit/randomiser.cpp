#include "edit/randomiser.h"

#include "edit/controller_echo.h"
#include "edit/edit_path.h"
#include "edit/modulation_groups.h"
#include "edit/operators.h"
#include "edit/page_controls.h"
#include "edit/scope_exit.h"
#include "edit/voice_display.h"
#include "model/parameter_map.h"
#include "views/services.h"
#include "views/views.h"

namespace {
std::uint32_t seedFrom(const QTime& t) {
    return std::uint32_t(((t.hour() * 60 + t.minute()) * 60 + t.second()) * 1000 + t.msec());
}

// The random name: "Rand " and a number from 10000 up to, not including, 99999.
constexpr int FirstNameNumber = 10000;
constexpr int NameNumberEnd = 99999;
} // namespace

Randomiser::Randomiser(const ParameterMap& map, EditPath& path, const ControllerEcho& echo,
                       const Clock& clock, RandomSource& random, const PageControls& controls,
                       VoiceDisplay& display, Operators& operators, ModulationGroups& groups)
    : map_(map), path_(path), echo_(echo), clock_(clock), random_(random), controls_(controls),
      display_(display), operators_(operators), groups_(groups) {}

void Randomiser::Randomise() {
    if (controls_.lRandom)
        controls_.lRandom->SetColor(Colours::Red);
    random_.Seed(seedFrom(clock_.TimeOfDay()));
    path_.PrepareEdit(); // a variation of B, never of A
    // One step to undo: the voice, the operator switched on and the name.
    path_.BeginStep(QStringLiteral("Randomise"));
    ScopeExit stepDone([this] { path_.EndStep(); });
    const Voice voice = randomised();
    if (controls_.lRandom)
        controls_.lRandom->SetColor(Colours::White);
    path_.Replace(voice, Origin::Randomiser);
    display_.ShowOperatorStates();
    // Operator 1, shown again whatever was selected: the controller's per-operator rings follow.
    operators_.Select(Rows::FirstOpSelectCC, Origin::Randomiser, Operators::Reshow::Always);
    path_.SetName(
        QStringLiteral("Rand ") +
            QString::number(FirstNameNumber + random_.Random(NameNumberEnd - FirstNameNumber)),
        Origin::Randomiser);
    groups_.ShowModulationGroup();
}

Voice Randomiser::randomised() {
    Voice voice = path_.CurrentVoice();
    for (int row = 0; row < EditRowCount; ++row) {
        // A knob's value equal to the row's last value changes nothing, as any turn of it; the
        // row then remembers what the controller is told.
        int lastVal = echo_.LastVal(row);
        for (int slot = 0; slot < VariantSlotCount; ++slot) {
            const std::optional<VoiceParam> param = RowParam(row, slot);
            if (!param)
                continue;
            const int value = voice.Value(*param);
            const int max = InfoOf(*param).max;
            const int spread = max * randomPercent_ / 100;
            const int lo = std::max(value - spread, 0);
            const int hi = std::min(value + spread, max);
            const int r = lo + random_.Random(hi + 1 - lo);
            if (!map_.Record(*param).Knob || lastVal != r)
                voice.Set(*param, r);
            lastVal = voice.Value(*param);
        }
    }
    return voice;
}

void Randomiser::sbRandChange(int position) {
    if (controls_.lRandPercent)
        controls_.lRandPercent->SetCaption(QString::number(position));
    randomPercent_ = position;
}
