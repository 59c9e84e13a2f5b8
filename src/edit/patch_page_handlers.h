#pragma once

class CaptionView;
class ControlRouter;
class ControllerEcho;
class KnobValue;
class ParameterMap;
struct EditState;
struct EditedSound;
struct PageControls;

enum class MouseButton { Left, Right, Middle };

// The patch page's knobs, value buttons and operator buttons, and the pointer handling both pages
// share: the mouse wheel with its divider, and the value buttons' press that decides whether a
// click steps forwards or backwards.
class PatchPageHandlers {
public:
    PatchPageHandlers(const ParameterMap& map, const EditState& state, const EditedSound& sound,
                      ControlRouter& router, ControllerEcho& echo, const PageControls& controls);

    // A knob the user turned: its row takes the knob's value.
    void KnobChange(KnobValue* sender);
    void KnobMouseEnter(KnobValue* sender);
    void KnobMouseLeave(KnobValue* sender);
    void KnobMouseWheelUp(KnobValue* sender, bool shiftOrCtrl);
    void KnobMouseWheelDown(KnobValue* sender, bool shiftOrCtrl);
    // A value button's press on either page. True when the button's click handler must run at
    // once: a right press steps backwards without waiting for the release.
    bool lValMouseDown(MouseButton button, bool ctrl);
    void lValClick(CaptionView* sender);
    void lOpClick(CaptionView* sender);
    // The row whose first variant has this knob, or -1.
    int RowOfKnob(const KnobValue* knob) const;

    // The next value button click steps down.
    bool Backwards() const { return backwards_; }
    // Only every divider-th wheel event steps a knob (0 or 1: each).
    int WheelDivider() const { return wheelDivider_; }
    void SetWheelDivider(int divider) { wheelDivider_ = divider; }

private:
    void wheelStep(KnobValue* knob, int& counter, int direction, bool shiftOrCtrl);

    const ParameterMap& map_;
    const EditState& state_;
    const EditedSound& sound_;
    ControlRouter& router_;
    ControllerEcho& echo_;
    const PageControls& controls_;
    bool backwards_ = false;
    // The value button reports every press twice; the toggle lets only the first count.
    bool pressToggle_ = false;
    int wheelUpCount_ = 0;
    int wheelDownCount_ = 0;
    int wheelDivider_ = 3;
};
