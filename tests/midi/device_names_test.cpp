#include "midi/device_names.h"

#include <gtest/gtest.h>

namespace {

TEST(DeviceNames, DropTheNumbersABackendHandsOutAtPlugIn) {
    const QStringList names = StableDeviceNames({
        QStringLiteral("UM-ONE:UM-ONE MIDI 1 24:0"),
        QStringLiteral("a2j:UM-ONE [24] (capture): UM-ONE MIDI 1"),
        QStringLiteral("TQ5 Simulator:out"),
    });
    EXPECT_EQ(names, QStringList({QStringLiteral("UM-ONE:UM-ONE MIDI 1"),
                                  QStringLiteral("a2j:UM-ONE (capture): UM-ONE MIDI 1"),
                                  QStringLiteral("TQ5 Simulator:out")}));
}

TEST(DeviceNames, TellEqualNamesApartInListOrder) {
    const QStringList names = StableDeviceNames({
        QStringLiteral("BCR2000:Port 1 20:0"),
        QStringLiteral("Keys"),
        QStringLiteral("BCR2000:Port 1 28:0"),
        QStringLiteral("BCR2000:Port 1 32:0"),
    });
    EXPECT_EQ(names, QStringList({QStringLiteral("BCR2000:Port 1"), QStringLiteral("Keys"),
                                  QStringLiteral("BCR2000:Port 1 #2"),
                                  QStringLiteral("BCR2000:Port 1 #3")}));
}

TEST(DeviceNames, ASuffixSkipsANameAnotherDeviceReallyHas) {
    EXPECT_EQ(
        StableDeviceNames({QStringLiteral("Pad"), QStringLiteral("Pad"), QStringLiteral("Pad #2")}),
        QStringList({QStringLiteral("Pad"), QStringLiteral("Pad #3"), QStringLiteral("Pad #2")}));
    EXPECT_EQ(StableDeviceNames({QStringLiteral("Pad #2"), QStringLiteral("Pad #2"),
                                 QStringLiteral("Pad"), QStringLiteral("Pad")}),
              QStringList({QStringLiteral("Pad #2"), QStringLiteral("Pad #2 #2"),
                           QStringLiteral("Pad"), QStringLiteral("Pad #3")}));
}

} // namespace
