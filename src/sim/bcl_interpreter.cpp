#include "sim/bcl_interpreter.h"

#include "sim/bcl_statements.h"
#include "sim/bcl_words.h"

namespace {

constexpr int TopEncoderCount = 32; // four groups of eight push encoders

} // namespace

BclInterpreter::Error BclInterpreter::Line(int index, const QString& text) {
    const std::optional<QStringList> words = BclWords::WordsOf(text);
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
    if (words->isEmpty()) // an empty line, or only a comment
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
    // The maker's editor writes "R1"; hand-written files also give the model letter alone.
    if (words[1] == QLatin1String("R1") || words[1] == QLatin1String("R")) {
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
        int number = 0;
        const Error error = BclWords::ReadNumber(
            words[1], 1, encoder ? ControllerPreset::EncoderCount : ControllerPreset::ButtonCount,
            number);
        if (error != Accepted)
            return error == ValueOutOfRange ? ElementOutOfRange : error;
        section_ = encoder ? Section::Encoder : Section::Button;
        element_ = number;
        element(section_, number) = {};
        return Accepted;
    }
    if (is("$store") || is("$recall")) {
        int preset = 0;
        const Error error =
            args == 1 ? BclWords::ReadNumber(words[1], 1, PresetCount, preset) : WrongArgumentCount;
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
    using BclStatements::Place;
    if (section_ == Section::None)
        return NoSection;
    const bool inElement = section_ == Section::Encoder || section_ == Section::Button;
    const bool encoder = section_ == Section::Encoder;
    BclStatements::Context context{edit_, global_,
                                   inElement ? &element(section_, element_) : nullptr, encoder,
                                   encoder && element_ <= TopEncoderCount};
    const Place place = inElement                     ? Place::Element
                        : section_ == Section::Preset ? Place::Preset
                                                      : Place::Global;
    return BclStatements::Apply(words, place, context);
}
