#include "model/bcl_sysex.h"
#include "sim/simulated_controller_device.h"
#include "support/preset_files.h"
#include "support/virtual_ports.h"

namespace {

struct SimulatedControllerDeviceTest : VirtualPorts {
    SimulatedControllerDevice bcr{service, QStringLiteral("BCR")};

    void openOnBcr() {
        input.SetProductName(QStringLiteral("BCR"));
        input.OpenAndStart();
        output.SetProductName(QStringLiteral("BCR"));
        ASSERT_TRUE(output.Open());
    }
    void send(const Bytes& message) {
        output.PutLong(message.data(), std::uint16_t(message.size()));
    }
};

TEST_F(SimulatedControllerDeviceTest, AnswersTheIdentityRequestThroughThePorts) {
    openOnBcr();
    send(Bcl::IdentityRequestMessage());
    SettleMidi(service);
    const auto events = drain(input);
    ASSERT_EQ(events.size(), 1u);
    const std::optional<Bcl::Identity> identity = Bcl::ReadIdentity(bytesOf(*events[0]));
    ASSERT_TRUE(identity);
    EXPECT_EQ(identity->Firmware(), QStringLiteral("1.10"));
}

TEST_F(SimulatedControllerDeviceTest, AnNrpnEncoderSendsItsMessagesOneByOne) {
    openOnBcr();
    for (const Bytes& line : sysexMessages(Bcl::LineMessages(
             {"$rev R1", "$encoder 33", ".easypar NRPN 1 300 0 127 absolute", "$end"})))
        send(line);
    SettleMidi(service);
    ASSERT_EQ(drain(input).size(), 4u); // the answers
    bcr.Turn(33, 1);
    SettleMidi(service);
    const auto events = drain(input);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(bytesOf(*events[0]), (Bytes{0xB0, 99, 2}));
    EXPECT_EQ(bytesOf(*events[1]), (Bytes{0xB0, 98, 44}));
    EXPECT_EQ(bytesOf(*events[2]), (Bytes{0xB0, 6, 1}));
}

} // namespace
