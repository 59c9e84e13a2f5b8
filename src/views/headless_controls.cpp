#include "views/headless_controls.h"

HeadlessControls::HeadlessControls(const std::vector<ControlName>& controls) {
    for (const ControlName& control : controls) {
        switch (control.kind) {
        case ControlKind::Knob:
            knobs_[control.name] = std::make_unique<KnobValue>();
            break;
        case ControlKind::Caption:
            captions_[control.name] = std::make_unique<HeadlessCaption>();
            break;
        case ControlKind::Graph:
            graphs_[control.name] = std::make_unique<HeadlessGraph>();
            break;
        case ControlKind::Picture:
            pictures_[control.name] = std::make_unique<HeadlessPicture>();
            break;
        case ControlKind::Bar:
            bars_[control.name] = std::make_unique<HeadlessBar>();
            break;
        case ControlKind::Edit:
            edits_[control.name] = std::make_unique<HeadlessEdit>();
            break;
        case ControlKind::Toggle:
            toggles_[control.name] = std::make_unique<HeadlessToggle>();
            break;
        }
    }
}
