#pragma once

#include "app/editor_session.h"
#include "support/editor_fixture.h"
#include "support/widget_events.h"
#include "ui/find_widgets.h"

#include <QListWidget>
#include <QTabBar>
#include <QTabWidget>
#include <stdexcept>

// The editor's window on the doubles' devices, driven as a user drives it.
struct WindowFixture : EditorDoubles {
    WindowFixture() : EditorDoubles(Synth::Plain) {}

    void startWithDevices() {
        rememberAllDevices();
        session.StartUp(3);
        window().show();
        settle();
        clearSent();
    }

    TfMidi& window() { return session.Window(); }
    Editor& editor() { return session.Engine(); }

    template <class T> T& widget(const char* name) {
        T* found = ChildNamed<T>(window(), QString::fromLatin1(name));
        if (!found)
            throw std::out_of_range(std::string("the window has no such control: ") + name);
        return *found;
    }
    QString text(const char* name) { return widget<CaptionView>(name).Caption(); }

    // A press and release in the middle of the widget.
    void click(const char* name, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget& target = widget<QWidget>(name);
        const QPoint middle = target.rect().center();
        events::press(target, middle, button, modifiers);
        events::release(target, middle, button);
        settle();
    }
    // A click on a device list's entry.
    void choose(const char* list, int entry) {
        auto& devices = widget<QListWidget>(list);
        QListWidgetItem* item = devices.item(entry);
        devices.setCurrentItem(item);
        emit devices.itemClicked(item);
        settle();
    }
    void showPage(TfMidi::Page page) {
        widget<QTabWidget>("pcMode").tabBar()->setCurrentIndex(page);
        settle();
    }

    EditorSession session{midi, prompts, files, settings, clock, sleeper, random, QDir(dir.path())};
};
