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
// The line index counts from 0 at "$rev" and grows by one a line.
namespace Bcl {

constexpr std::uint8_t AnyDevice = 0x7F;
constexpr std::uint8_t Bcr2000 = 0x15;
constexpr std::uint8_t AnyModel = 0x7F;

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

// The lines as messages to any device, numbered from 0.
QByteArray LineMessages(const QStringList& lines);
// A message that is one line of the language, or nothing.
std::optional<Line> ReadLine(std::span<const std::uint8_t> message);
std::vector<std::uint8_t> ReplyMessage(int device, int index, int error);
// A message that is the controller's answer to a line, or nothing.
std::optional<Reply> ReadReply(std::span<const std::uint8_t> message);

} // namespace Bcl
