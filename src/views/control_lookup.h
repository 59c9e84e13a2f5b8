#pragma once

#include <QString>

class BarView;
class CaptionView;
class GraphView;
class KnobValue;
class PictureView;
class TextEditView;
class ToggleView;

// Finds a window's controls by their object names ("Knob24", "lVal24", "kPatch3", ...). The window
// implements it; the bridge and the tests use headless controls. Unknown names give null.
class ControlLookup {
public:
    virtual ~ControlLookup() = default;
    virtual KnobValue* FindKnob(const QString& name) = 0;
    virtual CaptionView* FindCaption(const QString& name) = 0;
    virtual GraphView* FindGraph(const QString& name) = 0;
    virtual PictureView* FindPicture(const QString& name) = 0;
    virtual BarView* FindBar(const QString& name) = 0;
    virtual TextEditView* FindEdit(const QString& name) = 0;
    virtual ToggleView* FindToggle(const QString& name) = 0;
};
