#include "support/midi_wait.h"
#include "support/virtual_ports.h"

#include <QCoreApplication>

namespace {

TEST(PortNotifier, KeepsThePostedOrderWhenAHandlerRunsANestedLoop) {
    std::vector<int> seen;
    PortNotifier notifier([&](PortNotifier::Kind kind) {
        seen.push_back(kind);
        if (seen.size() == 1) {
            QCoreApplication::processEvents(); // as a modal box would
            seen.push_back(0);
        }
    });
    notifier.Post(PortNotifier::DataQueued);
    notifier.Post(PortNotifier::QueueFull);
    notifier.Post(PortNotifier::OutputDone);
    ASSERT_TRUE(WaitUntil([&] { return seen.size() == 4; }));
    EXPECT_EQ(seen, std::vector<int>({1, 2, 3, 0}));
}

TEST(PortNotifier, ForgetsWhatItStillHeldWhenDestroyed) {
    const int before = PortNotifier::Outstanding();
    {
        PortNotifier notifier([](PortNotifier::Kind) {});
        notifier.Post(PortNotifier::DataQueued);
        notifier.Post(PortNotifier::DataQueued);
        EXPECT_EQ(PortNotifier::Outstanding(), before + 2);
    }
    EXPECT_EQ(PortNotifier::Outstanding(), before);
}

using NotificationOrder = VirtualPorts;

TEST_F(NotificationOrder, AModalLoopInsideTheInputHandlerSeesLaterNotificationsInOrder) {
    QStringList seen;
    TMidiInput& small = smallSynthIn({.Capacity = 1});
    small.OnMidiInput = [&] {
        seen << QStringLiteral("input");
        QCoreApplication::processEvents();
        drain(small);
        seen << QStringLiteral("input done");
    };
    small.OnEventsDropped = [&](std::uint32_t) { seen << QStringLiteral("overflow"); };
    send({0x90, 60, 1});
    send({0x90, 61, 1});
    SettleMidi(service);
    EXPECT_EQ(seen, QStringList({QStringLiteral("input"), QStringLiteral("overflow"),
                                 QStringLiteral("input done")}));
}

} // namespace
