#pragma once

#include "views/control_lookup.h"

class QWidget;

// The window's controls found by their object names, as the engine looks them up. A widget of the
// name that does not serve the asked kind counts as missing.
class WindowControls : public ControlLookup {
public:
    explicit WindowControls(QWidget& window) : window_(window) {}

    KnobValue* FindKnob(const QString& name) override;
    CaptionView* FindCaption(const QString& name) override;
    GraphView* FindGraph(const QString& name) override;
    PictureView* FindPicture(const QString& name) override;
    BarView* FindBar(const QString& name) override;
    TextEditView* FindEdit(const QString& name) override;
    ToggleView* FindToggle(const QString& name) override;

private:
    template <class View> View* find(const QString& name) const;

    QWidget& window_;
};
