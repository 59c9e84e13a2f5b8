// main() for test programs that need a Qt event loop (MIDI ports deliver their notifications
// through it). Linked instead of GoogleTest's own main.
#include "support/escaped_errors.h"

#include <QCoreApplication>
#include <exception>
#include <gtest/gtest.h>

namespace {

// As the application does at its top level: an exception out of an event handler (a port error
// raised in a notification handler) must not cross the event loop. Here it fails the test unless
// the test expects it.
class TestApplication final : public QCoreApplication {
public:
    using QCoreApplication::QCoreApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QCoreApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            if (EscapedErrors* expected = EscapedErrors::Active())
                expected->texts << QString::fromUtf8(error.what());
            else
                ADD_FAILURE() << "exception out of an event handler: " << error.what();
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv) {
    TestApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
