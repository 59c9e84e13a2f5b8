#include "sim/bcl_statements.h"

#include "sim/bcl_words.h"
#include "sim/standard_output.h"

#include <initializer_list>
#include <numeric>

namespace BclStatements {
namespace {

using Error = Bcl::Error;
using BclWords::ReadNumber;

constexpr int MaxNameLength = 24;
constexpr int MaxResolution = 16383;
constexpr int MaxValue = 16383;
constexpr int PresetCount = 32;

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
    return args.size() == 1 ? ReadNumber(args[0], low, high, value) : Error::WrongArgumentCount;
}

// A number, or the word that stands for "none" (stored as 0).
Error numberOrWord(const QStringList& args, const char* word, int high, int& value) {
    if (args.size() == 1 && args[0] == QLatin1String(word)) {
        value = 0;
        return Error::Accepted;
    }
    return oneNumber(args, 1, high, value);
}

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

Error midiMode(const QStringList& args, Context& context) {
    const Error error = oneOf(args, {"U-1", "U-2", "U-3", "U-4", "S-1", "S-2", "S-3", "S-4"});
    if (error == Error::Accepted)
        context.global.midiMode = args[0];
    return error;
}

Error deviceId(const QStringList& args, Context& context) {
    int id = 0;
    const Error error = oneNumber(args, 1, 16, id);
    if (error == Error::Accepted)
        context.global.deviceNumber = id - 1;
    return error;
}

Error startup(const QStringList& args, Context& context) {
    int preset = 0;
    const Error error = numberOrWord(args, "last", PresetCount, preset);
    if (error == Error::Accepted)
        context.global.startup = preset;
    return error;
}

Error footswitch(const QStringList& args, Context& context) {
    const Error error = oneOf(args, {"auto", "norm", "inv"});
    if (error == Error::Accepted)
        context.global.footswitch = args[0];
    return error;
}

Error receiveChannel(const QStringList& args, Context& context) {
    int channel = 0;
    const Error error = numberOrWord(args, "off", 16, channel);
    if (error == Error::Accepted)
        context.global.receiveChannel = channel;
    return error;
}

// The lines already held and this one must fit the element's store (or the preset's).
Error customOutput(const QStringList& args, std::vector<CustomOutput>& lines) {
    CustomOutput line;
    const Error error = ReadCustomOutput(args, line);
    if (error != Error::Accepted)
        return error;
    const int stored =
        std::accumulate(lines.begin(), lines.end(), line.StoredSize(),
                        [](int sum, const CustomOutput& held) { return sum + held.StoredSize(); });
    if (stored > CustomOutputCapacity)
        return Error::TooManyTxBytes;
    lines.push_back(line);
    return Error::Accepted;
}

Error presetRequest(const QStringList& args, Context& context) {
    return customOutput(args, context.preset.request);
}

Error elementCustom(const QStringList& args, Context& context) {
    return customOutput(args, context.element->custom);
}

// A new standard output resets how the element shows its value; its custom output and its value
// (within an encoder's new range) stay.
Error easypar(const QStringList& args, Context& context) {
    ControllerElement& element = *context.element;
    ControllerElement definition;
    const Error error = ReadStandardOutput(args, !context.encoder, definition);
    if (error != Error::Accepted)
        return error;
    definition.custom = element.custom;
    definition.press = element.press;
    definition.value = context.encoder
                           ? std::clamp(element.value, definition.low(), definition.high())
                           : element.value;
    element = definition;
    return Error::Accepted;
}

// An encoder's range, or a key's values: off first, then on.
Error minMax(const QStringList& args, Context& context) {
    if (args.size() != 2)
        return Error::WrongArgumentCount;
    int a = 0;
    int b = 0;
    Error error = ReadNumber(args[0], 0, MaxValue, a);
    if (error == Error::Accepted)
        error = ReadNumber(args[1], 0, MaxValue, b);
    if (error != Error::Accepted)
        return error;
    ControllerElement& element = *context.element;
    if (context.encoder) {
        element.first = a;
        element.second = b;
        element.value = std::clamp(element.value, element.low(), element.high());
    } else {
        element.second = a;
        element.first = b;
    }
    return Error::Accepted;
}

Error showValue(const QStringList& args, Context& context) {
    const Error error = onOff(args, context);
    if (error == Error::Accepted)
        context.element->showValue = args[0] == QLatin1String("on");
    return error;
}

// An encoder's LED ring, or how a key sends its custom output.
Error mode(const QStringList& args, Context& context) {
    using Press = ControllerElement::Press;
    ControllerElement& element = *context.element;
    if (!context.encoder) {
        const Error error = oneOf(args, {"down", "updown", "toggle"});
        if (error == Error::Accepted)
            element.press = args[0] == QLatin1String("down")     ? Press::Down
                            : args[0] == QLatin1String("updown") ? Press::UpDown
                                                                 : Press::Toggle;
        return error;
    }
    Error error = oneOf(args, {"off", "1dot", "1dot/off"});
    if (error == Error::UnknownToken) {
        error = oneOf(
            args, {"12dot", "12dot/off", "bar", "bar/off", "spread", "pan", "qual", "cut", "damp"});
        if (error == Error::Accepted && !context.topEncoder)
            return Error::ValueOutOfRange;
    }
    if (error == Error::Accepted)
        element.ring = args[0];
    return error;
}

Error defaultValue(const QStringList& args, Context& context) {
    int value = 0;
    const Error error = oneNumber(args, 0, MaxValue, value);
    if (error != Error::Accepted)
        return error;
    ControllerElement& element = *context.element;
    element.value = context.encoder && element.sends()
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
        const Error error = ReadNumber(word, 0, MaxResolution, speed);
        if (error != Error::Accepted)
            return error;
    }
    return Error::Accepted;
}

struct Keyword {
    const char* word;
    Place place;
    Error (*apply)(const QStringList& args, Context& context);
};

constexpr Keyword Keywords[] = {
    {".init", Place::Preset, init},
    {".name", Place::Preset, name},
    {".snapshot", Place::Preset, onOff},
    {".request", Place::Preset, onOff},
    {".egroups", Place::Preset, encoderGroups},
    {".fkeys", Place::Preset, onOff},
    {".lock", Place::Preset, onOff},
    {".tx", Place::Preset, presetRequest},
    {".midimode", Place::Global, midiMode},
    {".deviceid", Place::Global, deviceId},
    {".startup", Place::Global, startup},
    {".footsw", Place::Global, footswitch},
    {".rxch", Place::Global, receiveChannel},
    {".easypar", Place::Element, easypar},
    {".tx", Place::Element, elementCustom},
    {".minmax", Place::Element, minMax},
    {".showvalue", Place::Element, showValue},
    {".mode", Place::Element, mode},
    {".default", Place::Element, defaultValue},
    {".resolution", Place::Element, resolution},
};

} // namespace

Error Apply(const QStringList& words, Place place, Context& context) {
    bool known = false;
    for (const Keyword& keyword : Keywords) {
        if (words.first() != QLatin1String(keyword.word))
            continue;
        known = true;
        if (keyword.place == place)
            return keyword.apply(words.mid(1), context);
    }
    return known ? Error::NotAllowedHere : Error::UnknownToken;
}

} // namespace BclStatements
