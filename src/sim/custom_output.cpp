#include "sim/custom_output.h"

#include "sim/bcl_words.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace {

using Piece = CustomOutput::Piece;

struct ValuePiece {
    const char* word;
    int lowestBit;
    int width;
};

// "val" is the value's low seven bits; the others cut out the bits their names give.
constexpr ValuePiece ValuePieces[] = {
    {"val", 0, 7},     {"val0.6", 0, 7},    {"val0", 0, 1},    {"val0.3", 0, 4}, {"val4.7", 4, 4},
    {"val8.11", 8, 4}, {"val12.13", 12, 2}, {"val7.13", 7, 7}, {"val1.7", 1, 7},
};

std::optional<Piece> stepPiece(const QString& word) {
    if (word == QLatin1String("reloffs"))
        return Piece::StepOffset;
    if (word == QLatin1String("relsign"))
        return Piece::StepSign;
    if (word == QLatin1String("rel2s"))
        return Piece::StepTwos;
    return std::nullopt;
}

int checksumKind(const QString& word) {
    for (int kind = 1; kind <= 3; ++kind)
        if (word == QStringLiteral("cks-%1").arg(kind))
            return kind;
    return 0;
}

// Roland's (the complement of the sum), the plain sum, and the exclusive or, each of 7 bits.
std::uint8_t checksum(int kind, const std::uint8_t* from, const std::uint8_t* to) {
    if (kind == 3)
        return std::uint8_t(std::accumulate(from, to, 0, [](int a, int b) { return a ^ b; }) &
                            0x7F);
    const int sum = std::accumulate(from, to, 0);
    return std::uint8_t((kind == 1 ? -sum : sum) & 0x7F);
}

// A step as the three relative codes write it: 64 and up or down from it, a sign bit (64) and
// the size, or two's complement.
std::uint8_t stepByte(Piece piece, int steps) {
    switch (piece) {
    case Piece::StepOffset:
        return std::uint8_t((64 + steps) & 0x7F);
    case Piece::StepSign:
        return std::uint8_t(steps < 0 ? 64 | (-steps & 0x3F) : steps & 0x3F);
    default:
        return std::uint8_t(steps & 0x7F);
    }
}

} // namespace

int CustomOutput::StoredSize() const {
    return 2 + int(items.size());
}

Bcl::Error ReadCustomOutput(const QStringList& words, CustomOutput& line) {
    if (words.isEmpty())
        return Bcl::WrongArgumentCount;
    CustomOutput read;
    CustomOutput::When when = CustomOutput::When::Always;
    for (qsizetype at = 0; at < words.size(); ++at) {
        const QString& word = words[at];
        CustomOutput::Item item;
        item.when = when;
        if (word == QLatin1String("ifp") || word == QLatin1String("ifn")) {
            when = word == QLatin1String("ifp") ? CustomOutput::When::Up : CustomOutput::When::Down;
            continue;
        }
        if (word == QLatin1String("ntimes")) {
            read.perStep = true;
            continue;
        }
        if (const int kind = checksumKind(word)) {
            if (at + 1 == words.size())
                return Bcl::WrongArgumentCount;
            item = {Piece::Checksum, 0, kind, when};
            if (const Bcl::Error error = BclWords::ReadNumber(words[++at], 0, 127, item.number))
                return error;
        } else if (const std::optional<Piece> piece = stepPiece(word)) {
            item.piece = *piece;
        } else if (const auto value = std::find_if(
                       std::begin(ValuePieces), std::end(ValuePieces),
                       [&](const ValuePiece& p) { return word == QLatin1String(p.word); });
                   value != std::end(ValuePieces)) {
            item = {Piece::Value, value->lowestBit, value->width, when};
        } else {
            const bool numeric = word.front().isDigit() || word.startsWith(QLatin1Char('$'));
            if (!numeric)
                return Bcl::UnknownToken;
            if (const Bcl::Error error = BclWords::ReadNumber(word, 0, 255, item.number))
                return error;
        }
        read.items.push_back(item);
    }
    line = read;
    return Bcl::Accepted;
}

void AppendCustomOutput(const CustomOutput& line, int value, int steps,
                        std::vector<std::uint8_t>& bytes) {
    const CustomOutput::When skipped =
        steps < 0 ? CustomOutput::When::Up : CustomOutput::When::Down;
    const int times = line.perStep ? std::max(1, std::abs(steps)) : 1;
    for (int time = 0; time < times; ++time) {
        const std::size_t start = bytes.size();
        for (const CustomOutput::Item& item : line.items) {
            if (item.when == skipped)
                continue;
            switch (item.piece) {
            case Piece::Byte:
                bytes.push_back(std::uint8_t(item.number));
                break;
            case Piece::Value:
                bytes.push_back(std::uint8_t((value >> item.number) & ((1 << item.width) - 1)));
                break;
            case Piece::Checksum: {
                // Its start counts from the line's first byte, not from an F0 before it.
                const std::size_t from = std::min(bytes.size(), start + std::size_t(item.number));
                bytes.push_back(
                    checksum(item.width, bytes.data() + from, bytes.data() + bytes.size()));
                break;
            }
            default:
                bytes.push_back(stepByte(item.piece, line.perStep ? (steps < 0 ? -1 : 1) : steps));
            }
        }
    }
}
