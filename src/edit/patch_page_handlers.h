#pragma once

class CaptionView;
class ControllerEcho;
class EditPath;
class KnobValue;
class ParameterMap;
struct EditState;
struct PageControls;

enum class MouseButton { Left, Right, Middle };

// The patch page's knobs, value buttons and operator buttons, and the pointer handling both pages
// share: the mouse wheel with its divider, and the value buttons' press that decides whether a
// click steps forwards or backwards.
class PatchPageHandlers {
public:
    PatchPageHandlers(ParameterMap& map, EditState& state, EditPath& path, ControllerEcho& echo,
                      const PageControls& controls);

    void KnobMouseDown(KnobValue* sender);
    void KnobKeyDown(KnobValue* sender);
    void KnobMouseEnter(KnobValue* sender);
    void KnobMouseLeave(KnobValue* sender);
    void KnobMouseWheelUp(KnobValue* sender, bool shiftOrCtrl);
    void KnobMouseWheelDown(KnobValue* sender, bool shiftOrCtrl);
    // A value button's press on either page. True when the button's click handler must run at
    // once: a right press steps backwards without waiting for the release.
    bool lValMouseDown(MouseButton button, bool ctrl);
    void lValClick(CaptionView* sender);
    void lOpClick(CaptionView* sender);

    // The next value button click steps down.
    bool Backwards() const { return backwards_; }
    // Every wheel event arms the knob, but only every divider-th one steps it (0 or 1: each).
    int WheelDivider() const { return wheelDivider_; }
    void SetWheelDivider(int divider) { wheelDivider_ = divider; }

private:
    void wheelStep(KnobValue* knob, int& counter, int direction, bool shiftOrCtrl);

    ParameterMap& map_;
    EditState& state_;
    EditPath& path_;
    ControllerEcho& echo_;
    const PageControls& controls_;
    bool backwards_ = false;
    // The value button reports every press twice; the toggle lets only the first count.
    bool pressToggle_ = false;
    int wheelUpCount_ = 0;
    int wheelDownCount_ = 0;
    int wheelDivider_ = 3;
};
