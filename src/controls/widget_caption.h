#pragma once

#include "controls/qt_colour.h"
#include "views/views.h"

#include <QPalette>

// A widget the engine writes captions through. Visibility, enabled state, text colour and place
// work the same way for every widget; the text and the background are the widget's own.
template <class Widget> class WidgetCaption : public Widget, public CaptionView {
public:
    using Widget::Widget;

    void SetVisible(bool visible) override { Widget::setVisible(visible); }
    bool IsVisible() const override { return !Widget::isHidden(); }
    void SetEnabled(bool enabled) override { Widget::setEnabled(enabled); }
    bool IsEnabled() const override { return Widget::isEnabled(); }
    void SetFontColor(TColor text) override { setPaletteColour(QPalette::WindowText, text); }
    void SetLeft(int left) override { Widget::move(left, Widget::y()); }

protected:
    void setPaletteColour(QPalette::ColorRole role, TColor colour) {
        QPalette colours = Widget::palette();
        colours.setColor(role, QColor(colour));
        Widget::setPalette(colours);
    }
};
