#include "model/bcl_sysex.h"

#include <algorithm>

namespace Bcl {
namespace {
constexpr std::uint8_t Start = 0xF0;
constexpr std::uint8_t End = 0xF7;
constexpr std::uint8_t Maker[] = {0x00, 0x20, 0x32};
constexpr std::uint8_t LineCommand = 0x20;
constexpr std::uint8_t ReplyCommand = 0x21;
constexpr std::uint8_t IdentityRequestCommand = 0x01;
constexpr std::uint8_t IdentityCommand = 0x02;
constexpr std::size_t CommandAt = 6;
constexpr std::size_t IndexAt = 7;
constexpr std::size_t TextAt = 9; // after F0, maker, device, model, command, index
constexpr std::size_t ReplyLength = 11;

// F0, the maker, a 7-bit body and F7, for this command.
bool framed(std::span<const std::uint8_t> message, std::uint8_t command, std::size_t least) {
    return message.size() >= least && message.front() == Start && message.back() == End &&
           std::equal(std::begin(Maker), std::end(Maker), message.begin() + 1) &&
           message[CommandAt] == command &&
           std::all_of(message.begin() + 1, message.end() - 1,
                       [](std::uint8_t byte) { return byte < 0x80; });
}

std::vector<std::uint8_t> header(int device, int model, std::uint8_t command) {
    return {Start,
            Maker[0],
            Maker[1],
            Maker[2],
            std::uint8_t(device & 0x7F),
            std::uint8_t(model & 0x7F),
            command};
}

int indexOf(std::span<const std::uint8_t> message) {
    return message[IndexAt] << 7 | message[IndexAt + 1];
}
} // namespace

QString ErrorText(int error) {
    switch (error) {
    case Accepted:
        return QStringLiteral("accepted");
    case UnknownToken:
        return QStringLiteral("unknown token");
    case DollarOrDotExpected:
        return QStringLiteral("$ or . expected");
    case WrongModel:
        return QStringLiteral("wrong model");
    case WrongRevision:
        return QStringLiteral("wrong revision");
    case NoRevision:
        return QStringLiteral("no $rev first");
    case NoSection:
        return QStringLiteral("no section open");
    case ElementOutOfRange:
        return QStringLiteral("element number out of range");
    case NotANumber:
        return QStringLiteral("not a number");
    case ValueOutOfRange:
        return QStringLiteral("value out of range");
    case BadText:
        return QStringLiteral("bad text argument");
    case NotAllowedHere:
        return QStringLiteral("not allowed here");
    case WrongArgumentCount:
        return QStringLiteral("wrong argument count");
    case TooManyTxBytes:
        return QStringLiteral("too many .tx bytes");
    case TooComplex:
        return QStringLiteral("too complex");
    case BadIndex:
        return QStringLiteral("bad line index");
    default:
        return QStringLiteral("error %1").arg(error);
    }
}

QByteArray LineMessages(const QStringList& lines) {
    QByteArray bytes;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const std::vector<std::uint8_t> head = header(AnyDevice, Bcr2000, LineCommand);
        bytes.append(reinterpret_cast<const char*>(head.data()), qsizetype(head.size()));
        bytes.append(char((index >> 7) & 0x7F));
        bytes.append(char(index & 0x7F));
        bytes.append(lines[index].toLatin1());
        bytes.append(char(End));
    }
    return bytes;
}

std::optional<Line> ReadLine(std::span<const std::uint8_t> message) {
    if (!framed(message, LineCommand, TextAt + 1))
        return std::nullopt;
    const auto text = message.subspan(TextAt, message.size() - TextAt - 1);
    return Line{
        message[4], message[5], indexOf(message),
        QString::fromLatin1(reinterpret_cast<const char*>(text.data()), qsizetype(text.size()))};
}

std::vector<std::uint8_t> ReplyMessage(int device, int index, int error) {
    std::vector<std::uint8_t> message = header(device, Bcr2000, ReplyCommand);
    // One byte at a time: g++ 12 at -O3 takes an inserted list for a write past the header.
    for (const std::uint8_t byte : {std::uint8_t((index >> 7) & 0x7F), std::uint8_t(index & 0x7F),
                                    std::uint8_t(error & 0x7F), End})
        message.push_back(byte);
    return message;
}

std::optional<Reply> ReadReply(std::span<const std::uint8_t> message) {
    if (message.size() != ReplyLength || !framed(message, ReplyCommand, ReplyLength))
        return std::nullopt;
    return Reply{message[4], indexOf(message), message[9]};
}

QString Identity::Firmware() const {
    return text.section(QLatin1Char(' '), -1);
}

std::vector<std::uint8_t> IdentityRequestMessage(int device, int model) {
    std::vector<std::uint8_t> message = header(device, model, IdentityRequestCommand);
    message.push_back(End);
    return message;
}

std::optional<IdentityRequest> ReadIdentityRequest(std::span<const std::uint8_t> message) {
    if (message.size() != CommandAt + 2 || !framed(message, IdentityRequestCommand, CommandAt + 2))
        return std::nullopt;
    return IdentityRequest{message[4], message[5]};
}

std::vector<std::uint8_t> IdentityMessage(int device, int model, const QString& text) {
    std::vector<std::uint8_t> message = header(device, model, IdentityCommand);
    const QByteArray ascii = text.toLatin1();
    message.insert(message.end(), ascii.begin(), ascii.end());
    message.push_back(End);
    return message;
}

std::optional<Identity> ReadIdentity(std::span<const std::uint8_t> message) {
    if (!framed(message, IdentityCommand, CommandAt + 2))
        return std::nullopt;
    const auto text = message.subspan(CommandAt + 1, message.size() - CommandAt - 2);
    return Identity{
        message[4], message[5],
        QString::fromLatin1(reinterpret_cast<const char*>(text.data()), qsizetype(text.size()))};
}

} // namespace Bcl
