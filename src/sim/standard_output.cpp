#include "sim/standard_output.h"

#include "sim/bcl_words.h"
#include "sim/midi_controllers.h"

#include <initializer_list>

namespace {

using Output = ControllerElement::Output;
using Mode = ControllerElement::Mode;
using BclWords::ReadNumber;
using BclWords::ReadNumberOrOff;

constexpr int MaxNrpn = 16383;
constexpr int MaxWide = 16383;
constexpr int MaxNarrow = 127;
constexpr int MaxStep = 127;

struct Named {
    const char* word;
    Output output;
};
constexpr Named Types[] = {
    {"CC", Output::ControlChange}, {"NRPN", Output::Nrpn},          {"NOTE", Output::Note},
    {"PC", Output::ProgramChange}, {"PB", Output::PitchBend},       {"AT", Output::Aftertouch},
    {"GS/XG", Output::GsXg},       {"MMC", Output::MachineControl},
};

struct TurnMode {
    const char* word;
    Mode mode;
    bool wide;
};
constexpr TurnMode TurnModes[] = {
    {"absolute", Mode::Absolute, false},    {"absolute/14", Mode::Absolute, true},
    {"relative-1", Mode::Relative1, false}, {"relative-1/14", Mode::Relative1, true},
    {"relative-2", Mode::Relative2, false}, {"relative-2/14", Mode::Relative2, true},
    {"relative-3", Mode::Relative3, false}, {"relative-3/14", Mode::Relative3, true},
    {"inc/dec", Mode::IncDec, false},
};

// Reads the words in order, each into its field, until one is refused.
class Reader {
public:
    explicit Reader(const QStringList& words) : words_(words) {}

    Reader& number(int at, int low, int high, int& into) {
        if (error_ == Bcl::Accepted)
            error_ = ReadNumber(words_[at], low, high, into);
        return *this;
    }
    Reader& numberOrOff(int at, int low, int high, int& into) {
        if (error_ == Bcl::Accepted)
            error_ = ReadNumberOrOff(words_[at], low, high, into);
        return *this;
    }
    Reader& key(int at, int& into) {
        if (words_[at] == QLatin1String("all")) {
            into = ControllerElement::AllKeys;
            return *this;
        }
        return number(at, 0, MaxNarrow, into);
    }
    Bcl::Error error() const { return error_; }

private:
    const QStringList& words_;
    Bcl::Error error_ = Bcl::Accepted;
};

bool countIs(const QStringList& words, std::initializer_list<qsizetype> counts) {
    return std::find(counts.begin(), counts.end(), words.size()) != counts.end();
}

Bcl::Error encoder(const QStringList& words, ControllerElement& e) {
    Reader read(words);
    switch (e.output) {
    case Output::ControlChange:
    case Output::Nrpn: {
        if (words.size() != 6)
            return Bcl::WrongArgumentCount;
        const auto mode =
            std::find_if(std::begin(TurnModes), std::end(TurnModes),
                         [&](const TurnMode& m) { return words[5] == QLatin1String(m.word); });
        if (mode == std::end(TurnModes))
            return Bcl::UnknownToken;
        e.mode = mode->mode;
        e.wide = mode->wide;
        const bool controller = e.output == Output::ControlChange;
        const int max = e.wide ? MaxWide : MaxNarrow;
        read.number(1, 1, 16, e.channel)
            .number(2, 0, controller ? MaxNarrow : MaxNrpn, e.cc)
            .number(3, 0, max, e.first)
            .number(4, 0, max, e.second);
        if (read.error() == Bcl::Accepted && controller && e.mode == Mode::IncDec)
            return Bcl::NotAllowedHere;
        if (read.error() == Bcl::Accepted && controller && e.wide &&
            e.cc > MidiControllers::LastWide)
            return Bcl::ValueOutOfRange;
        return read.error();
    }
    case Output::PitchBend:
        e.wide = true;
        if (words.size() != 4)
            return Bcl::WrongArgumentCount;
        return read.number(1, 1, 16, e.channel)
            .number(2, 0, MaxWide, e.first)
            .number(3, 0, MaxWide, e.second)
            .error();
    case Output::Aftertouch:
        if (words.size() != 5)
            return Bcl::WrongArgumentCount;
        return read.number(1, 1, 16, e.channel)
            .key(2, e.cc)
            .number(3, 0, MaxNarrow, e.first)
            .number(4, 0, MaxNarrow, e.second)
            .error();
    case Output::ProgramChange:
        if (!countIs(words, {4, 6}))
            return Bcl::WrongArgumentCount;
        e.second = MaxNarrow;
        read.number(1, 1, 16, e.channel)
            .numberOrOff(2, 0, MaxNarrow, e.bankMsb)
            .numberOrOff(3, 0, MaxNarrow, e.bankLsb);
        if (words.size() == 6)
            read.number(4, 0, MaxNarrow, e.first).number(5, 0, MaxNarrow, e.second);
        return read.error();
    default: // a note has no turning range
        return Bcl::NotAllowedHere;
    }
}

// toggleon, toggleoff or increment with its step, the last words of a key's line.
Bcl::Error keyMode(const QStringList& words, qsizetype at, bool incrementAllowed,
                   ControllerElement& e) {
    const QString& mode = words[at];
    if (mode == QLatin1String("toggleon") || mode == QLatin1String("toggleoff")) {
        e.mode = mode == QLatin1String("toggleon") ? Mode::ToggleOn : Mode::ToggleOff;
        return words.size() == at + 1 ? Bcl::Accepted : Bcl::WrongArgumentCount;
    }
    if (mode != QLatin1String("increment"))
        return Bcl::UnknownToken;
    if (!incrementAllowed)
        return Bcl::NotAllowedHere;
    if (words.size() != at + 2)
        return Bcl::WrongArgumentCount;
    e.mode = Mode::Increment;
    return ReadNumber(words[at + 1], -MaxStep, MaxStep, e.increment);
}

Bcl::Error key(const QStringList& words, ControllerElement& e) {
    Reader read(words);
    switch (e.output) {
    case Output::ControlChange:
    case Output::Nrpn:
    case Output::Aftertouch: {
        if (!countIs(words, {6, 7}))
            return Bcl::WrongArgumentCount;
        read.number(1, 1, 16, e.channel);
        if (e.output == Output::Aftertouch)
            read.key(2, e.cc);
        else
            read.number(2, 0, e.output == Output::Nrpn ? MaxNrpn : MaxNarrow, e.cc);
        read.number(3, 0, MaxNarrow, e.first).numberOrOff(4, 0, MaxNarrow, e.second);
        return read.error() != Bcl::Accepted ? read.error() : keyMode(words, 5, true, e);
    }
    case Output::Note:
        if (words.size() < 5)
            return Bcl::WrongArgumentCount;
        read.number(1, 1, 16, e.channel)
            .number(2, 0, MaxNarrow, e.cc)
            .number(3, 0, MaxNarrow, e.first);
        return read.error() != Bcl::Accepted ? read.error() : keyMode(words, 4, false, e);
    case Output::ProgramChange:
        // The unit's own dumps leave out a program key's increment, and it takes none.
        if (words.size() != 5)
            return Bcl::WrongArgumentCount;
        e.mode = Mode::Fixed;
        e.second = ControllerElement::Off;
        return read.number(1, 1, 16, e.channel)
            .numberOrOff(2, 0, MaxNarrow, e.bankMsb)
            .numberOrOff(3, 0, MaxNarrow, e.bankLsb)
            .number(4, 0, MaxNarrow, e.first)
            .error();
    default: // pitch bend is for encoders
        return Bcl::NotAllowedHere;
    }
}

// Lines whose sending is not simulated: only their channel (GS/XG) or device (MMC) is checked.
Bcl::Error unsimulated(const QStringList& words, ControllerElement& e) {
    if (words.size() < 3)
        return Bcl::WrongArgumentCount;
    if (e.output == Output::MachineControl && words[1] == QLatin1String("all"))
        return Bcl::Accepted;
    const int high = e.output == Output::GsXg ? 16 : 127;
    return ReadNumber(words[1], e.output == Output::GsXg ? 1 : 0, high, e.channel);
}

} // namespace

Bcl::Error ReadStandardOutput(const QStringList& words, bool isKey, ControllerElement& definition) {
    if (words.isEmpty())
        return Bcl::WrongArgumentCount;
    const auto type = std::find_if(std::begin(Types), std::end(Types), [&](const Named& t) {
        return words[0] == QLatin1String(t.word);
    });
    if (type == std::end(Types))
        return Bcl::UnknownToken;
    ControllerElement read;
    read.output = type->output;
    const Bcl::Error error = read.output == Output::GsXg || read.output == Output::MachineControl
                                 ? unsimulated(words, read)
                             : isKey ? key(words, read)
                                     : encoder(words, read);
    if (error == Bcl::Accepted) {
        read.defined = true;
        definition = read;
    }
    return error;
}
