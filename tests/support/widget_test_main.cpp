// main() for widget tests: a QApplication on the offscreen platform, so that widgets paint
// without a display. Linked instead of GoogleTest's own main.
#include "support/test_application.h"

#include <QApplication>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TestApplication<QApplication> app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
