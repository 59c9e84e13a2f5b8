#pragma once

#include "views/colour.h"

#include <QString>
#include <functional>

// The seams between the engine and the screen. Records and the edit path reach their controls
// only through these; the widgets implement them, and so do the headless stand-ins that the
// bridge and the tests use. Each interface does one job.

// A label, a value button or a panel: text, visibility and colours.
class CaptionView {
public:
    virtual ~CaptionView() = default;
    virtual void SetCaption(const QString& text) = 0;
    virtual QString Caption() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual bool IsVisible() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsEnabled() const = 0;
    virtual void SetColor(TColor background) = 0;
    virtual void SetFontColor(TColor text) = 0;
    // Left edge within the parent, in pixels.
    virtual void SetLeft(int left) = 0;
};

// An operator's envelope graph: eight values (rate 1, level 1, ... rate 4, level 4) and colours.
class GraphView {
public:
    virtual ~GraphView() = default;
    virtual void SetValue(int value, int index) = 0;
    virtual int GetValue(int index) const = 0;
    virtual void SetLineColor(TColor colour) = 0;
    virtual void SetMarkerColor(TColor colour) = 0;
    virtual void SetGradientColor(TColor colour) = 0;
};

// A picture chosen from a strip by its state (algorithm diagrams, wave shapes).
class PictureView {
public:
    virtual ~PictureView() = default;
    virtual void SetState(int state) = 0;
    virtual int State() const = 0;
};

// An output level bar.
class BarView {
public:
    virtual ~BarView() = default;
    virtual void SetPosition(int position) = 0;
    virtual int Position() const = 0;
};

// A one-line text edit (the voice name). The program sets its text without a notice; what the
// user types is reported through OnUserEdit.
class TextEditView {
public:
    virtual ~TextEditView() = default;
    std::function<void()> OnUserEdit;
    virtual QString Text() const = 0;
    virtual void SetText(const QString& text) = 0;
};

// A check box.
class ToggleView {
public:
    virtual ~ToggleView() = default;
    virtual bool IsChecked() const = 0;
    virtual void SetChecked(bool checked) = 0;
};

// The splash window while the controller's presets go out: it fades, and shows how many of the
// file's messages have been sent.
class SplashView {
public:
    virtual ~SplashView() = default;
    virtual void SetOpacity(int alpha) = 0; // 0 transparent .. 255 opaque
    virtual void SetProgress(int sent, int total) = 0;
};
