#pragma once

#include "support/escaped_errors.h"

#include <QEvent>
#include <QObject>
#include <QString>
#include <exception>
#include <gtest/gtest.h>

// As the program does at its top level: an exception out of an event handler (a port error raised
// in a notification handler) must not cross the event loop. Here it fails the test unless the test
// expects it (EscapedErrors).
template <class Base> class TestApplication final : public Base {
public:
    using Base::Base;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return Base::notify(receiver, event);
        } catch (const std::exception& error) {
            if (EscapedErrors* expected = EscapedErrors::Active())
                expected->texts << QString::fromUtf8(error.what());
            else
                ADD_FAILURE() << "exception out of an event handler: " << error.what();
        }
        return false;
    }
};
