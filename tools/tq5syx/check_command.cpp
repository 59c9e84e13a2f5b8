#include "check_command.h"

#include "console.h"
#include "files/message_scan.h"
#include "input_file.h"
#include "sound_kind.h"

#include <algorithm>

namespace {

constexpr std::uint8_t HighestDataByte = 0x7F;
constexpr int LongestHeader = 16;
// Every bulk message starts with six fixed bytes; the text, where there is one, and the checksum's
// run both begin after them.
constexpr int FixedHeader = 6;

QString hex(int byte) {
    return QString::number(byte, 16).toUpper().rightJustified(2, QLatin1Char('0'));
}

// What fixed header byte i of a bulk message is.
QString headerPart(int i) {
    static const char* const parts[] = {"start byte",  "manufacturer byte", "device byte",
                                        "format byte", "byte count (high)", "byte count (low)"};
    return QString::fromLatin1(parts[i]);
}

const SyxFiles::FileKind* kindOf(std::span<const std::uint8_t> head, qint64 size) {
    switch (Sysex::HeaderKind(head, 0)) {
    case Sysex::Kind::AddVoice:
        return &SyxFiles::PatchFile;
    case Sysex::Kind::MultiBlock:
        return &SyxFiles::MultiFile;
    default:
        break;
    }
    for (const SyxFiles::FileKind* kind : {&SyxFiles::PatchFile, &SyxFiles::MultiFile})
        if (size == kind->length)
            return kind;
    return nullptr;
}

class Checker {
public:
    Checker(std::span<const std::uint8_t> head, qint64 size)
        : head_(head), size_(std::min<qint64>(size, qint64(head.size()))) {}

    void CheckMessage(const Layouts::BulkLayout& layout, int base);
    void Report(qint64 offset, const QString& text) {
        problems << QStringLiteral("offset %1: %2").arg(offset).arg(text);
    }

    QStringList problems;

private:
    std::span<const std::uint8_t> head_;
    qint64 size_; // of the part of the file in head
};

// The parameter each data byte of the layout holds, or nothing.
std::vector<const KeyedParam*> paramsByDataByte(const Layouts::BulkLayout& layout, SoundKind kind) {
    std::vector<const KeyedParam*> params(std::size_t(layout.format.dataCount), nullptr);
    const std::vector<std::uint8_t> blank(std::size_t(layout.format.length), 0);
    for (const Layouts::MessageByte& byte : Layouts::ReadBytes(layout, blank))
        for (const KeyedParam& keyed : KeyedParams(kind))
            if (keyed.target == layout.target && keyed.param == byte.param)
                params[std::size_t(byte.dataByte)] = &keyed;
    return params;
}

void Checker::CheckMessage(const Layouts::BulkLayout& layout, int base) {
    const Sysex::Format& format = layout.format;
    const QString name = SyxScan::MessageName(format.kind);
    const int available = int(std::clamp<qint64>(size_ - base, 0, format.length));
    const std::span<const std::uint8_t> bytes =
        head_.subspan(std::min(std::size_t(base), head_.size()), std::size_t(available));
    std::uint8_t header[LongestHeader];
    const int headerLength = Sysex::writeHeader(format, header);
    const std::vector<const KeyedParam*> params = paramsByDataByte(
        layout, layout.target == Layouts::Target::Voice ? SoundKind::Voice : SoundKind::Multi);
    const int checksumAt = format.dataOffset + format.dataCount;
    bool textReported = false;

    for (int i = 0; i < available; ++i) {
        const int offset = base + i;
        const std::uint8_t byte = bytes[std::size_t(i)];
        if (i < headerLength) {
            if (byte == header[i] || (i >= FixedHeader && textReported))
                continue;
            if (i >= FixedHeader) {
                Report(offset, QStringLiteral("the text of the %1 message is not \"%2\"")
                                   .arg(name, QLatin1String(format.text)));
                textReported = true;
            } else {
                Report(offset, QStringLiteral("%1 of the %2 message is %3, expected %4")
                                   .arg(headerPart(i), name, hex(byte), hex(header[i])));
            }
        } else if (i < checksumAt) {
            const int dataByte = i - format.dataOffset;
            const KeyedParam* param = params[std::size_t(dataByte)];
            if (byte > HighestDataByte)
                Report(offset, QStringLiteral("data byte %1 of the %2 message is %3, above 7F")
                                   .arg(dataByte)
                                   .arg(name, hex(byte)));
            else if (param && byte > param->max)
                Report(offset, QStringLiteral("%1 is %2, above its maximum %3")
                                   .arg(param->key)
                                   .arg(byte)
                                   .arg(param->max));
        } else if (i == checksumAt) {
            const std::uint8_t expected =
                Sysex::SysexChecksum(bytes.data() + FixedHeader, checksumAt - FixedHeader);
            if (byte != expected)
                Report(offset, QStringLiteral("checksum of the %1 message is %2, expected %3")
                                   .arg(name, hex(byte), hex(expected)));
        } else if (byte != Sysex::End) {
            Report(offset, QStringLiteral("end byte of the %1 message is %2, expected F7")
                               .arg(name, hex(byte)));
        }
    }
    if (available == 0)
        Report(base, QStringLiteral("the file ends before the %1 message").arg(name));
    else if (available < format.length)
        Report(base + available, QStringLiteral("the file ends inside the %1 message, after %2 "
                                                "of its %3 bytes")
                                     .arg(name)
                                     .arg(available)
                                     .arg(format.length));
}

// A pipe or a device has no size: count what follows, but stop somewhere, as an endless device
// would otherwise keep the tool reading for ever.
qint64 sizeOfRest(QIODevice& file) {
    constexpr qint64 Limit = qint64(64) << 20;
    constexpr qint64 Chunk = qint64(64) << 10;
    qint64 count = 0;
    for (QByteArray chunk; count < Limit && !(chunk = file.read(Chunk)).isEmpty();)
        count += chunk.size();
    return count;
}

QString bytesText(qint64 count) {
    return count == 1 ? QStringLiteral("1 byte") : QStringLiteral("%1 bytes").arg(count);
}

} // namespace

QStringList FileProblems(std::span<const std::uint8_t> head, qint64 size) {
    Checker checker(head, size);
    const SyxFiles::FileKind* kind = kindOf(head, size);
    if (!kind) {
        checker.Report(0, size == 0 ? QStringLiteral("the file is empty")
                                    : QStringLiteral("neither a patch file (%1 bytes) nor a multi "
                                                     "file (%2 bytes) by its size or by its first "
                                                     "message")
                                          .arg(SyxFiles::PatchFile.length)
                                          .arg(SyxFiles::MultiFile.length));
        return checker.problems;
    }
    int base = 0;
    for (const SyxFiles::FileMessage& m : kind->messages) {
        checker.CheckMessage(*m.layout, base);
        base += m.layout->format.length;
    }
    if (size > kind->length)
        checker.Report(kind->length,
                       QStringLiteral("the file goes on past the last message (%1 more)")
                           .arg(bytesText(size - kind->length)));
    return checker.problems;
}

int RunCheck(const QString& path) {
    const auto file = OpenInput(path);
    const QByteArray head = file->read(SyxFiles::PatchFile.length + 1);
    const qint64 size = file->isSequential() ? head.size() + sizeOfRest(*file) : file->size();
    const QStringList problems = FileProblems(
        {reinterpret_cast<const std::uint8_t*>(head.constData()), std::size_t(head.size())}, size);
    WriteOut(problems.isEmpty() ? QByteArray("ok\n")
                                : problems.join(QLatin1Char('\n')).toUtf8() + '\n');
    return problems.isEmpty() ? 0 : 1;
}
