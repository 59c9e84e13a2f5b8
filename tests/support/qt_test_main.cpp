// main() for test programs that need a Qt event loop (MIDI ports deliver their notifications
// through it). Linked instead of GoogleTest's own main.
#include "support/test_application.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    TestApplication<QCoreApplication> app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
