#include "element_text.h"

#include <QStringList>

namespace {

using Output = ControllerElement::Output;
using Mode = ControllerElement::Mode;

QString standardOutput(const ControllerElement& e) {
    const auto number = [&](const char* type) {
        return QStringLiteral("%1 %2 on channel %3")
            .arg(QLatin1String(type))
            .arg(e.cc)
            .arg(e.channel);
    };
    switch (e.output) {
    case Output::ControlChange:
        return number("CC");
    case Output::Nrpn:
        return number("NRPN");
    case Output::Note:
        return number("note");
    case Output::Aftertouch:
        return e.cc == ControllerElement::AllKeys
                   ? QStringLiteral("aftertouch on channel %1").arg(e.channel)
                   : number("aftertouch of key");
    case Output::ProgramChange:
        return QStringLiteral("program change on channel %1").arg(e.channel);
    case Output::PitchBend:
        return QStringLiteral("pitch bend on channel %1").arg(e.channel);
    case Output::GsXg:
        return QStringLiteral("GS/XG (not simulated)");
    default:
        return QStringLiteral("MMC (not simulated)");
    }
}

QString modeText(const ControllerElement& e) {
    const char* const names[] = {"absolute", "relative-1", "relative-2", "relative-3", "inc/dec",
                                 "toggleon", "toggleoff",  "increment",  "program"};
    QString text = QLatin1String(names[int(e.mode)]);
    if (e.mode == Mode::Increment)
        text += QStringLiteral(" %1").arg(e.increment);
    if (e.wide && e.output != Output::PitchBend)
        text += QStringLiteral("/14");
    return text;
}

} // namespace

QString ElementText(const QString& name, const ControllerElement& e, bool encoder) {
    if (!e.sends())
        return QStringLiteral("%1: not defined").arg(name);
    QStringList parts;
    if (e.defined) {
        parts << standardOutput(e);
        const QString second =
            e.second == ControllerElement::Off ? QStringLiteral("off") : QString::number(e.second);
        parts << (encoder ? QStringLiteral("%1..%2 %3").arg(e.first).arg(e.second).arg(modeText(e))
                          : QStringLiteral("%1/%2 %3").arg(e.first).arg(second, modeText(e)));
    }
    if (!e.custom.empty())
        parts << QStringLiteral("%1 .tx line(s)").arg(e.custom.size());
    if (encoder)
        parts << QStringLiteral("ring %1").arg(e.ring);
    else
        parts << QLatin1String(e.lit() ? "lit" : "dark");
    parts << QStringLiteral("value %1").arg(e.value);
    return QStringLiteral("%1: %2").arg(name, parts.join(QStringLiteral(", ")));
}
