#include "json_output.h"

namespace {

// The items one per line between the brackets; an empty block stays on one line.
template <class Items, class Format>
QByteArray block(char open, char close, const Items& items, Format format) {
    QByteArray out(1, open);
    const char* separator = "\n    ";
    for (const auto& item : items) {
        out += separator + format(item);
        separator = ",\n    ";
    }
    if (!items.empty())
        out += "\n  ";
    return out + close;
}

} // namespace

QByteArray JsonString(const QString& text) {
    QByteArray out = "\"";
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '"' || u == '\\') {
            out += '\\';
            out += char(u);
        } else if (u >= 0x20 && u <= 0x7E) {
            out += char(u);
        } else {
            out += "\\u" + QByteArray::number(u, 16).rightJustified(4, '0');
        }
    }
    return out + '"';
}

QByteArray FormatReadout(const Readout& readout) {
    QByteArray out = "{\n  \"kind\": " + JsonString(readout.kind) + ",\n";
    if (readout.position)
        out += "  \"position\": " + QByteArray::number(*readout.position) + ",\n";
    if (readout.format)
        out += "  \"format\": " + JsonString(*readout.format) + ",\n";
    if (readout.name)
        out += "  \"name\": " + JsonString(*readout.name) + ",\n";
    out += "  \"params\": " + block('{', '}', readout.params, [](const auto& param) {
               return JsonString(param.first) + ": " + QByteArray::number(param.second);
           });
    out += ",\n  \"warnings\": " + block('[', ']', readout.warnings, JsonString);
    return out + "\n}\n";
}

QByteArray FormatReadouts(const std::vector<Readout>& readouts) {
    QByteArray out = "[";
    const char* separator = "\n";
    for (const Readout& readout : readouts) {
        QByteArray object = FormatReadout(readout);
        object.chop(1); // its line end
        out += separator + ("  " + object.replace("\n", "\n  "));
        separator = ",\n";
    }
    return out + (readouts.empty() ? "]\n" : "\n]\n");
}
