#include "ui/window_controls.h"

#include "views/knob_value.h"
#include "views/views.h"

#include <QWidget>

template <class View> View* WindowControls::find(const QString& name) const {
    return dynamic_cast<View*>(window_.findChild<QWidget*>(name));
}

KnobValue* WindowControls::FindKnob(const QString& name) {
    return find<KnobValue>(name);
}
CaptionView* WindowControls::FindCaption(const QString& name) {
    return find<CaptionView>(name);
}
GraphView* WindowControls::FindGraph(const QString& name) {
    return find<GraphView>(name);
}
PictureView* WindowControls::FindPicture(const QString& name) {
    return find<PictureView>(name);
}
BarView* WindowControls::FindBar(const QString& name) {
    return find<BarView>(name);
}
TextEditView* WindowControls::FindEdit(const QString& name) {
    return find<TextEditView>(name);
}
ToggleView* WindowControls::FindToggle(const QString& name) {
    return find<ToggleView>(name);
}
