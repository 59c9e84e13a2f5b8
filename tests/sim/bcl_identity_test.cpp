#include "bcl_lines.h"

#include <gtest/gtest.h>

namespace {

const Bytes Request{0xF0, 0x00, 0x20, 0x32, 0x7F, 0x7F, 0x01, 0xF7};
// "BCR2000 1.10"
const Bytes Answer{0xF0, 0x00, 0x20, 0x32, 0x00, 0x15, 0x02, 0x42, 0x43, 0x52,
                   0x32, 0x30, 0x30, 0x30, 0x20, 0x31, 0x2E, 0x31, 0x30, 0xF7};

TEST(BclIdentity, TheRequestAndTheAnswerAreTheUnitsBytes) {
    EXPECT_EQ(Bcl::IdentityRequestMessage(), Request);
    EXPECT_EQ(Bcl::IdentityRequestMessage(3, Bcl::Bcr2000),
              (Bytes{0xF0, 0x00, 0x20, 0x32, 0x03, 0x15, 0x01, 0xF7}));
    EXPECT_EQ(Bcl::IdentityMessage(0, Bcl::Bcr2000, QString::fromLatin1(Bcl::Bcr2000Identity)),
              Answer);

    const std::optional<Bcl::Identity> identity = Bcl::ReadIdentity(Answer);
    ASSERT_TRUE(identity);
    EXPECT_EQ(identity->device, 0);
    EXPECT_EQ(identity->model, 0x15);
    EXPECT_EQ(identity->text, QStringLiteral("BCR2000 1.10"));
    EXPECT_EQ(identity->Firmware(), QStringLiteral("1.10"));
    const std::optional<Bcl::IdentityRequest> request = Bcl::ReadIdentityRequest(Request);
    ASSERT_TRUE(request);
    EXPECT_EQ(request->device, 0x7F);
    EXPECT_EQ(request->model, 0x7F);

    // Neither is taken for the other, nor for a line's answer.
    EXPECT_FALSE(Bcl::ReadIdentity(Request));
    EXPECT_FALSE(Bcl::ReadIdentityRequest(Answer));
    EXPECT_FALSE(Bcl::ReadReply(Answer));
    EXPECT_FALSE(Bcl::ReadIdentity(Bcl::ReplyMessage(0, 0, 0)));
    EXPECT_FALSE(
        Bcl::ReadIdentityRequest(Bytes{0xF0, 0x00, 0x20, 0x32, 0x7F, 0x7F, 0x01, 0x00, 0xF7}));
}

TEST(BclIdentity, TheControllerAnswersARequestForItWithItsDeviceNumber) {
    SimulatedController controller;
    EXPECT_EQ(controller.Receive(Request).Sent, Sent{Answer});
    EXPECT_EQ(controller.Receive(Request).Changes,
              QStringList{"identity request: answered \"BCR2000 1.10\""});

    ASSERT_TRUE(defineBlock(controller, {"$global", ".deviceid 3"}));
    Bytes answer = Answer;
    answer[4] = 0x02;
    EXPECT_EQ(controller.Receive(Bcl::IdentityRequestMessage(2, Bcl::Bcr2000)).Sent, Sent{answer});
    EXPECT_EQ(controller.Receive(Request).Sent, Sent{answer});
    for (const Bytes& other :
         {Bcl::IdentityRequestMessage(0), Bcl::IdentityRequestMessage(2, 0x14)}) {
        const SimulatedController::Outcome ignored = controller.Receive(other);
        EXPECT_TRUE(ignored.Sent.empty());
        EXPECT_EQ(ignored.Changes, QStringList{"ignored: an identity request for another device"});
    }
}

} // namespace
