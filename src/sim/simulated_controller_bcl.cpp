#include "sim/simulated_controller_bcl.h"

#include <initializer_list>

namespace {

using Error = BclInterpreter::Error;

constexpr int MaxNameLength = 24;
constexpr int MaxResolution = 16383;
constexpr int MaxIncrement = 127;
constexpr int TopEncoderCount = 32; // four groups of eight push encoders

// The words of a line; a quoted text ('...') is one word with its quotes. Nothing when a quote is
// not closed.
std::optional<QStringList> wordsOf(const QString& line) {
    QStringList words;
    qsizetype at = 0;
    while (at < line.size()) {
        if (line[at].isSpace()) {
            ++at;
            continue;
        }
        qsizetype end = at;
        if (line[at] == QLatin1Char('\'')) {
            end = line.indexOf(QLatin1Char('\''), at + 1);
            if (end < 0)
                return std::nullopt;
            ++end;
        } else {
            while (end < line.size() && !line[end].isSpace())
                ++end;
        }
        words << line.mid(at, end - at);
        at = end;
    }
    return words;
}

Error number(const QString& word, int low, int high, int& value) {
    bool isNumber = false;
    value = word.toInt(&isNumber);
    if (!isNumber)
        return Error::NotANumber;
    return value < low || value > high ? Error::ValueOutOfRange : Error::Accepted;
}

// One argument that must be one of the words.
Error oneOf(const QStringList& args, std::initializer_list<const char*> choices) {
    if (args.size() != 1)
        return Error::WrongArgumentCount;
    for (const char* choice : choices)
        if (args[0] == QLatin1String(choice))
            return Error::Accepted;
    return Error::UnknownToken;
}

Error oneNumber(const QStringList& args, int low, int high, int& value) {
    return args.size() == 1 ? number(args[0], low, high, value) : Error::WrongArgumentCount;
}

// What a statement works on: the preset, and the element of an open $encoder or $button section.
struct Context {
    ControllerPreset& preset;
    ControllerElement* element;
    bool encoder;
    bool topEncoder; // 1..32, the push encoders, which have more ring modes
    int& deviceNumber;
};

Error init(const QStringList& args, Context& context) {
    if (!args.isEmpty())
        return Error::WrongArgumentCount;
    context.preset.encoders = {};
    context.preset.buttons = {};
    return Error::Accepted;
}

Error name(const QStringList& args, Context& context) {
    if (args.size() != 1)
        return Error::WrongArgumentCount;
    const QString& text = args[0];
    if (text.size() < 2 || !text.startsWith(QLatin1Char('\'')) ||
        !text.endsWith(QLatin1Char('\'')) || text.size() - 2 > MaxNameLength)
        return Error::BadText;
    context.preset.name = text.mid(1, text.size() - 2);
    return Error::Accepted;
}

Error onOff(const QStringList& args, Context&) {
    return oneOf(args, {"on", "off"});
}

Error encoderGroups(const QStringList& args, Context&) {
    int groups = 0;
    return oneNumber(args, 1, 4, groups);
}

Error midiMode(const QStringList& args, Context&) {
    return oneOf(args, {"U-1", "U-2", "U-3", "U-4", "S-1", "S-2", "S-3", "S-4"});
}

Error deviceId(const QStringList& args, Context& context) {
    int id = 0;
    const Error error = oneNumber(args, 1, 16, id);
    if (error == Error::Accepted)
        context.deviceNumber = id - 1;
    return error;
}

// Type, channel, number and the two values, common to encoders and buttons. Only control
// changes are simulated; other message types are refused as unknown.
Error easyparValues(const QStringList& args, ControllerElement& definition) {
    if (args[0] != QLatin1String("CC"))
        return Error::UnknownToken;
    Error error = Error::Accepted;
    const auto read = [&](int at, int low, int high, int& into) {
        if (error == Error::Accepted)
            error = number(args[at], low, high, into);
    };
    read(1, 1, 16, definition.channel);
    read(2, 0, 127, definition.cc);
    read(3, 0, 127, definition.first);
    read(4, 0, 127, definition.second);
    return error;
}

Error encoderEasypar(const QStringList& args, ControllerElement& definition) {
    if (args.size() != 6)
        return Error::WrongArgumentCount;
    const Error error = easyparValues(args, definition);
    if (error != Error::Accepted)
        return error;
    // The relative modes are not simulated.
    return args[5] == QLatin1String("absolute") ? Error::Accepted : Error::UnknownToken;
}

Error buttonEasypar(const QStringList& args, ControllerElement& definition) {
    if (args.size() != 6 && args.size() != 7)
        return Error::WrongArgumentCount;
    const Error error = easyparValues(args, definition);
    if (error != Error::Accepted)
        return error;
    const QString& mode = args[5];
    const bool increment = mode == QLatin1String("increment");
    if (!increment && mode != QLatin1String("toggleon") && mode != QLatin1String("toggleoff"))
        return Error::UnknownToken;
    if (args.size() != (increment ? 7 : 6))
        return Error::WrongArgumentCount;
    if (!increment) {
        definition.mode = mode == QLatin1String("toggleon") ? ControllerElement::Mode::ToggleOn
                                                            : ControllerElement::Mode::ToggleOff;
        return Error::Accepted;
    }
    definition.mode = ControllerElement::Mode::Increment;
    return number(args[6], -MaxIncrement, MaxIncrement, definition.increment);
}

Error easypar(const QStringList& args, Context& context) {
    ControllerElement definition;
    definition.value = context.element->value;
    const Error error =
        context.encoder ? encoderEasypar(args, definition) : buttonEasypar(args, definition);
    if (error != Error::Accepted)
        return error;
    definition.defined = true;
    if (context.encoder)
        definition.value = std::clamp(definition.value, definition.low(), definition.high());
    *context.element = definition;
    return Error::Accepted;
}

Error ringMode(const QStringList& args, Context& context) {
    if (!context.encoder)
        return oneOf(args, {"down", "updown", "toggle"});
    const Error anyEncoder = oneOf(args, {"off", "1dot", "1dot/off"});
    if (anyEncoder != Error::UnknownToken)
        return anyEncoder;
    const Error topOnly = oneOf(
        args, {"12dot", "12dot/off", "bar", "bar/off", "spread", "pan", "qual", "cut", "damp"});
    return topOnly == Error::Accepted && !context.topEncoder ? Error::ValueOutOfRange : topOnly;
}

Error defaultValue(const QStringList& args, Context& context) {
    int value = 0;
    const Error error = oneNumber(args, 0, 127, value);
    if (error != Error::Accepted)
        return error;
    ControllerElement& element = *context.element;
    element.value = context.encoder && element.defined
                        ? std::clamp(value, element.low(), element.high())
                        : value;
    return Error::Accepted;
}

Error resolution(const QStringList& args, Context& context) {
    if (!context.encoder)
        return Error::NotAllowedHere;
    if (args.isEmpty() || args.size() > 4)
        return Error::WrongArgumentCount;
    for (const QString& word : args) {
        int speed = 0;
        const Error error = number(word, 0, MaxResolution, speed);
        if (error != Error::Accepted)
            return error;
    }
    return Error::Accepted;
}

enum Where { InGlobal = 1, InPreset = 2, InElement = 4 };

struct Keyword {
    const char* word;
    int where;
    Error (*apply)(const QStringList& args, Context& context);
};

constexpr Keyword Keywords[] = {
    {".init", InPreset, init},
    {".name", InPreset, name},
    {".snapshot", InPreset, onOff},
    {".request", InPreset, onOff},
    {".egroups", InPreset, encoderGroups},
    {".fkeys", InPreset, onOff},
    {".lock", InPreset, onOff},
    {".midimode", InGlobal, midiMode},
    {".deviceid", InGlobal, deviceId},
    {".easypar", InElement, easypar},
    {".showvalue", InElement, onOff},
    {".mode", InElement, ringMode},
    {".default", InElement, defaultValue},
    {".resolution", InElement, resolution},
};

} // namespace

BclInterpreter::Error BclInterpreter::Line(int index, const QString& text) {
    const std::optional<QStringList> words = wordsOf(text);
    if (words && !words->isEmpty() && words->first() == QLatin1String("$rev")) {
        if (index == 0)
            return revision(*words);
        lastIndex_ = index;
        return BadIndex;
    }
    if (!blockOpen_)
        return NoRevision;
    const bool inSequence = index == lastIndex_ + 1;
    lastIndex_ = index;
    if (!inSequence)
        return BadIndex;
    if (!words)
        return BadText;
    if (words->isEmpty())
        return Accepted;
    if (words->first().startsWith(QLatin1Char('$')))
        return section(*words);
    if (words->first().startsWith(QLatin1Char('.')))
        return statement(*words);
    return DollarOrDotExpected;
}

BclInterpreter::Error BclInterpreter::revision(const QStringList& words) {
    blockOpen_ = false;
    if (words.size() != 2)
        return WrongArgumentCount;
    if (words[1] == QLatin1String("R1")) {
        blockOpen_ = true;
        lastIndex_ = 0;
        section_ = Section::None;
        return Accepted;
    }
    // "F1" opens a block for the BCF2000.
    return words[1].startsWith(QLatin1Char('F')) ? WrongModel : WrongRevision;
}

BclInterpreter::Error BclInterpreter::section(const QStringList& words) {
    const QString& word = words.first();
    const qsizetype args = words.size() - 1;
    const auto is = [&](const char* name) { return word == QLatin1String(name); };
    if (is("$end") || is("$preset") || is("$global")) {
        if (args != 0)
            return WrongArgumentCount;
        blockOpen_ = !is("$end");
        section_ = is("$preset")   ? Section::Preset
                   : is("$global") ? Section::Global
                                   : Section::None;
        return Accepted;
    }
    if (is("$encoder") || is("$button")) {
        if (args != 1)
            return WrongArgumentCount;
        const bool encoder = is("$encoder");
        bool isNumber = false;
        const int number = words[1].toInt(&isNumber);
        if (!isNumber)
            return NotANumber;
        if (number < 1 ||
            number > (encoder ? ControllerPreset::EncoderCount : ControllerPreset::ButtonCount))
            return ElementOutOfRange;
        section_ = encoder ? Section::Encoder : Section::Button;
        element_ = number;
        element(section_, number) = {};
        return Accepted;
    }
    if (is("$store") || is("$recall")) {
        int preset = 0;
        const Error error =
            args == 1 ? number(words[1], 1, PresetCount, preset) : WrongArgumentCount;
        if (error != Accepted)
            return error;
        std::optional<ControllerPreset>& slot = stored_[std::size_t(preset - 1)];
        if (is("$store"))
            slot = edit_;
        else
            edit_ = slot.value_or(ControllerPreset{});
        return Accepted;
    }
    return UnknownToken;
}

ControllerElement& BclInterpreter::element(Section section, int number) {
    const auto at = std::size_t(number - 1);
    return section == Section::Encoder ? edit_.encoders[at] : edit_.buttons[at];
}

BclInterpreter::Error BclInterpreter::statement(const QStringList& words) {
    if (section_ == Section::None)
        return NoSection;
    const Keyword* keyword = nullptr;
    for (const Keyword& candidate : Keywords)
        if (words.first() == QLatin1String(candidate.word))
            keyword = &candidate;
    if (!keyword)
        return UnknownToken;
    const bool inElement = section_ == Section::Encoder || section_ == Section::Button;
    const int where = inElement ? InElement : section_ == Section::Preset ? InPreset : InGlobal;
    if (!(keyword->where & where))
        return NotAllowedHere;
    const bool encoder = section_ == Section::Encoder;
    Context context{edit_, inElement ? &element(section_, element_) : nullptr, encoder,
                    encoder && element_ <= TopEncoderCount, deviceNumber_};
    return keyword->apply(words.mid(1), context);
}
