#pragma once

#include "views/control_lookup.h"
#include "views/knob_value.h"
#include "views/views.h"

#include <array>
#include <map>
#include <memory>
#include <stdexcept>

// Controls without a screen: they keep the value side of every control (positions, captions,
// colours, graph values) so that the engine behaves exactly as with a window. Used by the bridge,
// the file tool and the tests.

class HeadlessCaption : public CaptionView {
public:
    void SetCaption(const QString& text) override { caption = text; }
    QString Caption() const override { return caption; }
    void SetVisible(bool value) override { visible = value; }
    bool IsVisible() const override { return visible; }
    void SetEnabled(bool value) override { enabled = value; }
    bool IsEnabled() const override { return enabled; }
    void SetColor(TColor value) override { color = value; }
    void SetFontColor(TColor value) override { fontColor = value; }
    void SetLeft(int value) override { left = value; }

    QString caption;
    bool visible = true;
    bool enabled = true;
    TColor color = Colours::Black;
    TColor fontColor = Colours::Black;
    int left = 0;
};

class HeadlessGraph : public GraphView {
public:
    HeadlessGraph() { values.fill(49); }
    void SetValue(int value, int index) override { values.at(index) = value; }
    int GetValue(int index) const override { return values.at(index); }
    void SetLineColor(TColor colour) override { lineColor = colour; }
    void SetMarkerColor(TColor colour) override { markerColor = colour; }
    void SetGradientColor(TColor colour) override { gradientColor = colour; }

    std::array<int, 8> values{};
    TColor lineColor = Colours::Teal;
    TColor markerColor = Colours::Aqua;
    TColor gradientColor = Colours::Navy;
};

class HeadlessPicture : public PictureView {
public:
    void SetState(int value) override { state = value; }
    int State() const override { return state; }
    int state = 0;
};

class HeadlessBar : public BarView {
public:
    void SetPosition(int value) override { position = value; }
    int Position() const override { return position; }
    int position = 0;
};

class HeadlessEdit : public TextEditView {
public:
    QString Text() const override { return text; }
    void SetText(const QString& value) override { text = value; }
    // What a user's typing does: the text changes and the edit is reported.
    void Type(const QString& value) {
        text = value;
        if (OnUserEdit)
            OnUserEdit();
    }
    QString text;
};

class HeadlessToggle : public ToggleView {
public:
    bool IsChecked() const override { return checked; }
    void SetChecked(bool value) override { checked = value; }
    bool checked = false;
};

// Exactly the controls it is given, like a window: any other name finds nothing. Typed access to
// a control it does not have throws std::out_of_range.
class HeadlessControls : public ControlLookup {
public:
    explicit HeadlessControls(const std::vector<ControlName>& controls);

    KnobValue* FindKnob(const QString& name) override { return find(knobs_, name); }
    CaptionView* FindCaption(const QString& name) override { return find(captions_, name); }
    GraphView* FindGraph(const QString& name) override { return find(graphs_, name); }
    PictureView* FindPicture(const QString& name) override { return find(pictures_, name); }
    BarView* FindBar(const QString& name) override { return find(bars_, name); }
    TextEditView* FindEdit(const QString& name) override { return find(edits_, name); }
    ToggleView* FindToggle(const QString& name) override { return find(toggles_, name); }

    // Typed access for observers.
    KnobValue& Knob(const QString& name) { return at(knobs_, name); }
    HeadlessCaption& Caption(const QString& name) { return at(captions_, name); }
    HeadlessGraph& Graph(const QString& name) { return at(graphs_, name); }
    HeadlessPicture& Picture(const QString& name) { return at(pictures_, name); }
    HeadlessBar& Bar(const QString& name) { return at(bars_, name); }
    HeadlessEdit& Edit(const QString& name) { return at(edits_, name); }
    HeadlessToggle& Toggle(const QString& name) { return at(toggles_, name); }

private:
    template <class T> using Table = std::map<QString, std::unique_ptr<T>>;

    template <class T> static T* find(const Table<T>& table, const QString& name) {
        const auto found = table.find(name);
        return found == table.end() ? nullptr : found->second.get();
    }
    template <class T> static T& at(const Table<T>& table, const QString& name) {
        T* control = find(table, name);
        if (!control)
            throw std::out_of_range("no headless control named " + name.toStdString());
        return *control;
    }

    Table<KnobValue> knobs_;
    Table<HeadlessCaption> captions_;
    Table<HeadlessGraph> graphs_;
    Table<HeadlessPicture> pictures_;
    Table<HeadlessBar> bars_;
    Table<HeadlessEdit> edits_;
    Table<HeadlessToggle> toggles_;
};
