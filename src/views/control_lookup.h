#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class BarView;
class CaptionView;
class GraphView;
class KnobValue;
class PictureView;
class TextEditView;
class ToggleView;

enum class ControlKind { Knob, Caption, Graph, Picture, Bar, Edit, Toggle };

// A control the engine finds by its object name.
struct ControlName {
    QString name;
    ControlKind kind;
};

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

// Passes every lookup on and keeps the names that found nothing: the engine skips a control it
// cannot find, so a name the screen lacks must at least be on record (tests fail on it).
class CheckedLookup : public ControlLookup {
public:
    explicit CheckedLookup(ControlLookup& inner) : inner_(inner) {}

    KnobValue* FindKnob(const QString& name) override { return seen(inner_.FindKnob(name), name); }
    CaptionView* FindCaption(const QString& name) override {
        return seen(inner_.FindCaption(name), name);
    }
    GraphView* FindGraph(const QString& name) override {
        return seen(inner_.FindGraph(name), name);
    }
    PictureView* FindPicture(const QString& name) override {
        return seen(inner_.FindPicture(name), name);
    }
    BarView* FindBar(const QString& name) override { return seen(inner_.FindBar(name), name); }
    TextEditView* FindEdit(const QString& name) override {
        return seen(inner_.FindEdit(name), name);
    }
    ToggleView* FindToggle(const QString& name) override {
        return seen(inner_.FindToggle(name), name);
    }

    // Each name that was asked for and not found, once.
    const QStringList& Missing() const { return missing_; }

private:
    template <class T> T* seen(T* control, const QString& name) {
        if (!control && !missing_.contains(name))
            missing_ << name;
        return control;
    }

    ControlLookup& inner_;
    QStringList missing_;
};
