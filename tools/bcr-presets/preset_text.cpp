#include "preset_text.h"

#include "model/controller_layout.h"

using ControllerLayout::Element;

namespace {

enum class RateDirection { Normal, Reversed };

// Every element on MIDI channel 1, the editor's controller channel.
QStringList encoderLines(const Element& encoder, RateDirection direction) {
    const bool reversed = direction == RateDirection::Reversed;
    return {QStringLiteral("$encoder %1").arg(encoder.number),
            QStringLiteral(".easypar CC 1 %1 %2 %3 absolute")
                .arg(encoder.cc)
                .arg(reversed ? encoder.max : 0)
                .arg(reversed ? 0 : encoder.max),
            QStringLiteral(".showvalue on"), QStringLiteral(".mode 1dot"),
            // No acceleration: one value a detent at any speed, so short ranges are not skipped.
            QStringLiteral(".resolution 96 96 96 96"), QStringLiteral(".default 0")};
}

// Keys send exactly one message a press: toggleon alternates its two values, increment counts
// from the second value up to the first and round again. A toggleoff key would send on press and
// on release, and the editor acts on both.
QStringList buttonLines(const Element& key) {
    const QString mode = key.kind == ControllerLayout::Kind::StepKey ? QStringLiteral("increment 1")
                                                                     : QStringLiteral("toggleon");
    return {QStringLiteral("$button %1").arg(key.number),
            QStringLiteral(".easypar CC 1 %1 %2 0 %3").arg(key.cc).arg(key.max).arg(mode),
            QStringLiteral(".showvalue on"), QStringLiteral(".default 0")};
}

QStringList block(const QStringList& body, std::optional<int> store) {
    QStringList lines{QStringLiteral("$rev R1")};
    lines += body;
    if (store)
        lines << QStringLiteral("$store %1").arg(*store);
    lines << QStringLiteral("$end");
    return lines;
}

QStringList mainPresetLines(std::optional<int> store) {
    // .init first: it clears every element, and whatever else it may reset is set after it. No
    // snapshot or request: sending every value at once would randomise and fetch the voice. Two
    // encoder groups: the first is the top row defined here, the second holds the morph.
    QStringList body{QStringLiteral("$preset"),
                     QStringLiteral(".init"),
                     QStringLiteral(".name 'Marrowlink TQ5'"),
                     QStringLiteral(".snapshot off"),
                     QStringLiteral(".request off"),
                     QStringLiteral(".egroups 2"),
                     QStringLiteral(".fkeys on"),
                     QStringLiteral(".lock off")};
    for (const Element& element : ControllerLayout::Elements)
        body += ControllerLayout::isEncoder(element) ? encoderLines(element, RateDirection::Normal)
                                                     : buttonLines(element);
    return block(body, store);
}

QStringList ratePresetLines(RateDirection direction, std::optional<int> store) {
    QStringList body;
    for (const Element& element : ControllerLayout::Elements)
        if (ControllerLayout::isEnvelopeRate(element))
            body += encoderLines(element, direction);
    return block(body, store);
}

} // namespace

std::vector<PresetFile> PresetFiles(std::optional<int> store) {
    return {{QStringLiteral("Marrowlink.SYX"), mainPresetLines(store)},
            {QStringLiteral("Marrowlink_Rev.SYX"), ratePresetLines(RateDirection::Reversed, store)},
            {QStringLiteral("Marrowlink_Norm.SYX"), ratePresetLines(RateDirection::Normal, store)}};
}
