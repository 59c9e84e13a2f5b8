#include "reference_files.h"

#include <algorithm>

namespace Reference {
namespace {

QString key(int group, int parameter) {
    return QStringLiteral("%1/%2").arg(group, 2, 16, QLatin1Char('0')).arg(parameter).toUpper();
}

QByteArray header(std::initializer_list<int> bytes, const char* text = "") {
    QByteArray out;
    for (int b : bytes)
        out += char(b);
    return out + text;
}

// The synth keeps the operator blocks in the order 4, 2, 3, 1.
constexpr int OperatorOfBlock[4] = {4, 2, 3, 1};

Message additionalVoice() {
    Message m{0,
              header({0xF0, 0x43, 0x00, 0x7E, 0x00, 0x21}, "LM  8976AE"),
              23,
              {},
              QStringLiteral("additional voice")};
    // Fix, FixRange, Fine, Wave, Shift
    const int max[5] = {1, 7, 15, 7, 3};
    for (int block = 0; block < 4; ++block) {
        const int rows[5] = {15 + OperatorOfBlock[block], 32, 34, 38, 45};
        for (int i = 0; i < 5; ++i)
            m.fields.push_back({5 * block + i, key(0x13, 5 * block + i), max[i], 0, rows[i]});
    }
    m.fields.push_back({20, key(0x13, 20), 7, 0, 27});
    m.fields.push_back({21, key(0x13, 21), 100, 0, 2});
    m.fields.push_back({22, key(0x13, 22), 99, 0, 3});
    return m;
}

Message aftertouch() {
    Message m{41,
              header({0xF0, 0x43, 0x00, 0x7E, 0x00, 0x14}, "LM  8023AE"),
              10,
              {},
              QStringLiteral("aftertouch")};
    const int max[4] = {99, 99, 100, 99};
    for (int i = 0; i < 4; ++i)
        m.fields.push_back({i, key(0x13, 23 + i), max[i], 0, i});
    return m;
}

Message effect(int offset, bool forVoice) {
    Message m{offset,
              header({0xF0, 0x43, 0x00, 0x7E, 0x00, 0x0D}, "LM  8036EF"),
              3,
              {},
              QStringLiteral("effect")};
    const int rows[3] = {20, 29, 28};
    const int max[3] = {10, 99, 99};
    for (int i = 0; i < 3; ++i)
        m.fields.push_back({i, key(0x24, 4 + i), max[i], 0, forVoice ? rows[i] : -1});
    return m;
}

Message voiceBlock() {
    Message m{
        90, header({0xF0, 0x43, 0x00, 0x03, 0x00, 0x5D}), 93, {}, QStringLiteral("voice block")};
    // AR, D1R, D2R, RR, D1L, LS, RS, EBS, AME, KVS, Out, Coarse, Detune
    const int max[13] = {31, 31, 31, 15, 15, 99, 3, 7, 1, 7, 99, 63, 6};
    const int start[13] = {5, 5, 5, 5, 15, 0, 0, 0, 0, 4, 90, 4, 0};
    for (int block = 0; block < 4; ++block) {
        const int rows[13] = {40, 41, 43, 44, 42, 46, 47, 37, 7 + OperatorOfBlock[block],
                              36, 39, 33, 35};
        for (int i = 0; i < 13; ++i)
            m.fields.push_back(
                {13 * block + i, key(0x12, 13 * block + i), max[i], start[i], rows[i]});
    }
    // Data bytes 52..67, then 71..76.
    const int restMax[] = {7, 7,  99, 99, 99, 99, 1,  3,  7,  3,   48,
                           1, 12, 1,  99, 99, 99, 99, 99, 99, 100, 99};
    const int restRows[] = {24, 26, 6,  7, 30, 31, 15, 14, 22, 23, 25,
                            12, 4,  13, 5, 1,  0,  1,  0,  1,  2,  3};
    for (int i = 0; i < 22; ++i) {
        const int dataByte = i < 16 ? 52 + i : 71 + (i - 16);
        m.fields.push_back({dataByte, key(0x12, dataByte), restMax[i], 0, restRows[i]});
    }
    return m;
}

Message multiBlock() {
    Message m{0,
              header({0xF0, 0x43, 0x00, 0x7E, 0x00, 0x6E}, "LM  8036S "),
              100,
              {},
              QStringLiteral("multi block")};
    m.fields.push_back({0, key(0x10, 123), 127, 0, -1});
    const int globalMax[3] = {17, 16, 1};
    for (int i = 1; i <= 3; ++i)
        m.fields.push_back({i, key(0x24, i), globalMax[i - 1], 0, -1});
    // MaxNotes, Bank, Patch, RxChannel, LowNote, TopNote, Detune, Transpose, Volume, OutAssign,
    // LfoSelect; byte 11 of a part is unused.
    const int partMax[11] = {8, 2, 99, 16, 127, 127, 14, 48, 99, 3, 3};
    for (int part = 0; part < 8; ++part)
        for (int i = 0; i < 11; ++i)
            m.fields.push_back({4 + 12 * part + i, key(0x10, 12 * part + i), partMax[i], 0, -1});
    return m;
}

int group(const QString& key) {
    return key.left(2).toInt(nullptr, 16);
}
int parameter(const QString& key) {
    return key.mid(3).toInt();
}

QString tooBig(const Field& f, int value) {
    return QStringLiteral("Value too big CC:%1; Val:%2: Max:%3: Gp:%4: Parm:%5")
        .arg(f.row < 0 ? QStringLiteral("none") : QString::number(f.row))
        .arg(value)
        .arg(f.max)
        .arg(group(f.key))
        .arg(parameter(f.key));
}

std::uint8_t byteAt(const QByteArray& bytes, int offset) {
    return std::uint8_t(bytes[offset]);
}

// The checksum of the message as it stands at `at` (by default, at its place in the file).
std::uint8_t checksum(const QByteArray& file, const Message& m, int at = -1) {
    if (at < 0)
        at = m.offset;
    int sum = 0;
    for (int i = at + 6; i < at + m.DataOffset() + m.dataCount; ++i)
        sum += byteAt(file, i);
    return std::uint8_t((128 - sum % 128) % 128);
}

// One of the layout's messages where a file holds it.
struct Placed {
    const Message* message;
    int at;
};

bool ownLayout(const FileLayout& layout, const QByteArray& file) {
    if (file.size() != layout.length)
        return false;
    for (const Message& m : layout.messages)
        if (file.mid(m.offset, m.header.size()) != m.header)
            return false;
    return true;
}

// The header with any device number 0..15.
bool headerAt(const QByteArray& file, const Message& m, int at) {
    if (at + m.header.size() > file.size())
        return false;
    for (int i = 0; i < m.header.size(); ++i) {
        const int byte = byteAt(file, at + i);
        if (i == 2 ? byte > 0x0F : byte != byteAt(m.header, i))
            return false;
    }
    return true;
}

bool wholeAt(const QByteArray& file, const Message& m, int at) {
    if (at + m.Length() > file.size() || byteAt(file, at + m.Length() - 1) != 0xF7)
        return false;
    for (int i = at + 1; i < at + m.Length() - 1; ++i)
        if (byteAt(file, i) > 0x7F)
            return false;
    return true;
}

struct Found {
    std::vector<Placed> whole;   // in file order
    std::vector<Placed> damaged; // a header without its whole message
};

Found scan(const FileLayout& layout, const QByteArray& file) {
    Found found;
    int at = 0;
    while (at < file.size()) {
        const auto m = std::find_if(layout.messages.begin(), layout.messages.end(),
                                    [&](const Message& m) { return headerAt(file, m, at); });
        if (m == layout.messages.end()) {
            ++at;
        } else if (wholeAt(file, *m, at)) {
            found.whole.push_back({&*m, at});
            at += m->Length();
        } else {
            found.damaged.push_back({&*m, at});
            ++at;
        }
    }
    return found;
}

// The last of each message in the run, in file order.
std::vector<Placed> lastOfEach(std::vector<Placed> run) {
    std::vector<Placed> kept;
    for (auto it = run.rbegin(); it != run.rend(); ++it)
        if (std::none_of(kept.begin(), kept.end(),
                         [&](const Placed& p) { return p.message == it->message; }))
            kept.insert(kept.begin(), *it);
    return kept;
}

bool isVoiceBlock(const Placed& p) {
    return p.message->name == QLatin1String("voice block");
}

// A multi's first multi block with the effect message right after it; without a multi block, the
// first effect message.
std::vector<Placed> firstMulti(const std::vector<Placed>& whole) {
    const auto isMultiBlock = [](const Placed& p) {
        return p.message->name == QLatin1String("multi block");
    };
    const auto block = std::find_if(whole.begin(), whole.end(), isMultiBlock);
    if (block == whole.end())
        return {whole.begin(),
                whole.begin() + std::min<std::ptrdiff_t>(1, whole.end() - whole.begin())};
    if (block + 1 != whole.end() && !isMultiBlock(block[1]))
        return {block, block + 2};
    return {*block};
}

// A patch's first voice: its messages up to the first voice block; the ones after it join when
// no second voice block follows and it has none of their kinds.
std::vector<Placed> firstSound(const FileLayout& layout, const std::vector<Placed>& whole) {
    if (layout.nameOffset < 0)
        return firstMulti(whole);
    if (std::none_of(whole.begin(), whole.end(), isVoiceBlock))
        return lastOfEach(whole);
    const auto first = std::find_if(whole.begin(), whole.end(), isVoiceBlock);
    std::vector<Placed> voice = lastOfEach({whole.begin(), first + 1});
    if (std::any_of(first + 1, whole.end(), isVoiceBlock))
        return voice;
    const std::vector<Placed> after = lastOfEach({first + 1, whole.end()});
    const bool shared = std::any_of(after.begin(), after.end(), [&](const Placed& a) {
        return std::any_of(voice.begin(), voice.end(),
                           [&](const Placed& v) { return v.message == a.message; });
    });
    if (!shared)
        voice.insert(voice.end(), after.begin(), after.end());
    return voice;
}

QString listed(const QStringList& items) {
    return items.size() < 2 ? items.join(QString())
                            : items.mid(0, items.size() - 1).join(QStringLiteral(", ")) +
                                  QStringLiteral(" and ") + items.back();
}

} // namespace

const FileLayout& Patch() {
    static const FileLayout layout{
        QStringLiteral("voice"),
        191,
        {additionalVoice(), aftertouch(), effect(69, true), voiceBlock()},
        {2, 1, 0, 3},
        90 + 6 + 77};
    return layout;
}

const FileLayout& Multi() {
    static const FileLayout layout{
        QStringLiteral("multi"), 139, {multiBlock(), effect(118, false)}, {1, 0}, -1};
    return layout;
}

QByteArray Save(const FileLayout& layout, const Values& values, const QString& name) {
    QByteArray file(layout.length, '\0');
    for (const Message& m : layout.messages) {
        file.replace(m.offset, m.header.size(), m.header);
        for (const Field& f : m.fields) {
            const auto given = values.find(f.key);
            const int value = given == values.end() ? f.start : std::min(given->second, f.max);
            file[m.offset + m.DataOffset() + f.dataByte] = char(value);
        }
    }
    if (layout.nameOffset >= 0) {
        const QString text = name.isNull() ? QStringLiteral("Patch Name") : name;
        for (int i = 0; i < 10; ++i) {
            const int c = i < text.size() ? text[i].unicode() : ' ';
            file[layout.nameOffset + i] = char(c > 0x7F ? '?' : c);
        }
    }
    for (const Message& m : layout.messages) {
        file[m.offset + m.Length() - 2] = char(checksum(file, m));
        file[m.offset + m.Length() - 1] = char(0xF7);
    }
    return file;
}

Loaded Load(const FileLayout& layout, const QByteArray& file, const QString& fileName) {
    std::vector<Placed> loaded;
    Found found;
    const bool own = ownLayout(layout, file);
    if (own) {
        for (const Message& m : layout.messages)
            loaded.push_back({&m, m.offset});
    } else {
        found = scan(layout, file);
        loaded = firstSound(layout, found.whole);
    }
    Loaded result;
    for (const Message& m : layout.messages)
        for (const Field& f : m.fields)
            result.values[f.key] = f.start;
    result.name = layout.nameOffset >= 0 ? QStringLiteral("Patch Name") : QString();
    if (loaded.empty()) {
        result.refused = true;
        return result;
    }

    QStringList wrongChecksums;
    for (int index : layout.loadOrder) {
        const Message& m = layout.messages[std::size_t(index)];
        const auto placed = std::find_if(loaded.begin(), loaded.end(),
                                         [&](const Placed& p) { return p.message == &m; });
        if (placed == loaded.end())
            continue;
        const int at = placed->at;
        for (const Field& f : m.fields) {
            int value = byteAt(file, at + m.DataOffset() + f.dataByte);
            if (value > f.max) {
                result.warnings << tooBig(f, value);
                value = f.max;
            }
            result.values[f.key] = value;
        }
        if (byteAt(file, at + m.Length() - 2) != checksum(file, m, at))
            wrongChecksums << QStringLiteral("the %1 message (byte %2)").arg(m.name).arg(at);
        if (m.name == QLatin1String("voice block")) {
            QByteArray name = file.mid(at + layout.nameOffset - m.offset, 10);
            name.truncate(int(name.indexOf('\0')) < 0 ? 10 : int(name.indexOf('\0')));
            result.name = QString::fromLatin1(name);
        }
    }

    if (wrongChecksums.size() == 1)
        result.warnings << fileName + QStringLiteral(": the checksum of ") +
                               wrongChecksums.front() +
                               QStringLiteral(" is wrong; it was loaded as it is.");
    if (wrongChecksums.size() > 1)
        result.warnings << fileName + QStringLiteral(": the checksums of ") +
                               listed(wrongChecksums) +
                               QStringLiteral(" are wrong; they were loaded as they are.");
    QStringList damaged;
    for (const Placed& d : found.damaged)
        damaged << QStringLiteral("the %1 message at byte %2").arg(d.message->name).arg(d.at);
    if (!damaged.isEmpty())
        result.warnings << fileName + QStringLiteral(": ") + listed(damaged) +
                               (damaged.size() == 1 ? QStringLiteral(" is")
                                                    : QStringLiteral(" are")) +
                               QStringLiteral(" cut short or damaged and not loaded.");
    const auto voices = std::count_if(found.whole.begin(), found.whole.end(), isVoiceBlock);
    if (layout.nameOffset >= 0 && voices > 1)
        result.warnings << QStringLiteral("%1 holds %2 voices: the first was loaded; the Library "
                                          "imports them all.")
                               .arg(fileName)
                               .arg(voices);
    return result;
}

std::vector<int> ProblemOffsets(const FileLayout& layout, const QByteArray& file) {
    std::vector<int> offsets;
    const int size = int(file.size());
    for (const Message& m : layout.messages) {
        const int end = std::min(size, m.offset + m.Length());
        bool textWrong = false;
        for (int offset = m.offset; offset < end; ++offset) {
            const int i = offset - m.offset;
            const int byte = byteAt(file, offset);
            bool wrong;
            if (i < m.DataOffset()) {
                wrong = byte != byteAt(m.header, i) && !(i >= 6 && textWrong);
                textWrong = textWrong || (i >= 6 && wrong);
            } else if (i < m.DataOffset() + m.dataCount) {
                const auto field =
                    std::find_if(m.fields.begin(), m.fields.end(),
                                 [&](const Field& f) { return f.dataByte == i - m.DataOffset(); });
                wrong = byte > 0x7F || (field != m.fields.end() && byte > field->max);
            } else if (i == m.Length() - 2) {
                wrong = byte != checksum(file, m);
            } else {
                wrong = byte != 0xF7;
            }
            if (wrong)
                offsets.push_back(offset);
        }
        if (end < m.offset + m.Length())
            offsets.push_back(std::max(end, m.offset));
    }
    if (size > layout.length)
        offsets.push_back(layout.length);
    return offsets;
}

} // namespace Reference
