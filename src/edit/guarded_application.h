#pragma once

#include "midi/midi_errors.h"
#include "views/prompts.h"

#include <QEvent>
#include <QObject>
#include <exception>

// An application object that catches what a handler raises at the top of the event loop (the MIDI
// ports' errors above all), shows its text and lets the loop go on: no handler of the editor
// catches them itself, and Qt does not let an exception pass through its event delivery.
template <class Base> class GuardedApplication : public Base {
public:
    using Base::Base;

    Prompter* Reporter = nullptr;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return Base::notify(receiver, event);
        } catch (const EMidiError& error) {
            if (Reporter)
                Reporter->Error(error.Message());
            return true;
        } catch (const std::exception& error) {
            if (Reporter)
                Reporter->Error(QString::fromUtf8(error.what()));
            return true;
        }
    }
};
