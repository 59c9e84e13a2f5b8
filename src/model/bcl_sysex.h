#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The BCR2000's preset language travels one line per SysEx message:
//   F0 00 20 32 dd 15 20 iMSB iLSB <line as ASCII> F7   (dd: device 0..15, or 7F for any)
// and the controller answers each line with
//   F0 00 20 32 dd 15 21 iMSB iLSB err F7                (err 0: accepted)
// The line index counts from 0 at "$rev" and grows by one a line. Asked for its identity,
//   F0 00 20 32 dd mm 01 F7                              (mm: 15, or 7F for any model)
// it answers with its model and firmware as text:
//   F0 00 20 32 dd 15 02 "BCR2000 1.10" F7
namespace Bcl {

constexpr std::uint8_t AnyDevice = 0x7F;
constexpr std::uint8_t Bcr2000 = 0x15;
constexpr std::uint8_t AnyModel = 0x7F;
// What a BCR2000 with the last firmware its maker released answers an identity request with.
inline constexpr char Bcr2000Identity[] = "BCR2000 1.10";

// The codes the controller answers a line with.
enum Error {
    Accepted = 0,
    UnknownToken = 1,
    DollarOrDotExpected = 2,
    WrongModel = 4,
    WrongRevision = 5,
    NoRevision = 6,
    NoSection = 8,
    ElementOutOfRange = 9,
    NotANumber = 10,
    ValueOutOfRange = 11,
    BadText = 12,
    NotAllowedHere = 13,
    WrongArgumentCount = 14,
    TooManyTxBytes = 15,
    TooComplex = 18,
    BadIndex = 22,
};
QString ErrorText(int error);

struct Line {
    int device;
    int model;
    int index;
    QString text;
};
struct Reply {
    int device;
    int index;
    int error;
};
struct IdentityRequest {
    int device;
    int model;
};
struct Identity {
    int device;
    int model;
    QString text; // "BCR2000 1.10"
    // The firmware version, the text's last word: "1.10".
    QString Firmware() const;
};

// The lines as messages to any device, numbered from 0.
QByteArray LineMessages(const QStringList& lines);
// A message that is one line of the language, or nothing.
std::optional<Line> ReadLine(std::span<const std::uint8_t> message);
std::vector<std::uint8_t> ReplyMessage(int device, int index, int error);
// A message that is the controller's answer to a line, or nothing.
std::optional<Reply> ReadReply(std::span<const std::uint8_t> message);

// Asks the controllers with this device number (any by default) for their identity.
std::vector<std::uint8_t> IdentityRequestMessage(int device = AnyDevice, int model = AnyModel);
std::optional<IdentityRequest> ReadIdentityRequest(std::span<const std::uint8_t> message);
std::vector<std::uint8_t> IdentityMessage(int device, int model, const QString& text);
// A message that is a controller's identity, or nothing.
std::optional<Identity> ReadIdentity(std::span<const std::uint8_t> message);

} // namespace Bcl
