#pragma once

#include <QStringList>

// The application shows an error that escapes an event handler (a port error raised while input is
// handled) and goes on. A test that expects such errors collects them here while one of these
// lives; without one, an escaped error fails the test.
class EscapedErrors {
public:
    EscapedErrors() { active_ = this; }
    ~EscapedErrors() { active_ = nullptr; }
    EscapedErrors(const EscapedErrors&) = delete;
    EscapedErrors& operator=(const EscapedErrors&) = delete;

    static EscapedErrors* Active() { return active_; }

    QStringList texts;

private:
    static inline EscapedErrors* active_ = nullptr;
};
