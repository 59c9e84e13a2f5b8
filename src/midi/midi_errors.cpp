#include "midi/midi_errors.h"

#include "midi/midi_service.h"

namespace {

struct ContextText {
    TMIDIErrorContext context;
    std::uint16_t code;
    const char* text;
};

using enum TMIDIErrorContext;

// Only the codes our services and ports produce.
constexpr ContextText OutputTexts[] = {
    {ecPutShort, 5, "(Short Msg) The specified device handle is invalid."},
    {ecPutShort, 67, "(Short Msg) The hardware is busy with other data."},
    {ecPutShort, 70,
     "(Short Msg) The application sent a message without a status byte to a stream handle."},
    {ecPutLong, 5, "(Long Msg) The specified device handle is invalid."},
    {ecPutLong, 67, "(Long Msg) The hardware is busy with other data."},
    {ecOutPrepareHeader, 7, "(Prep Header) The system is unable to allocate or lock memory."},
};

} // namespace

QString MidiInErrorString(std::uint16_t code) {
    const QString text = MidiService::ResultText(code);
    return text.isEmpty() ? QStringLiteral("Specified error number is out of range") : text;
}

QString MidiOutErrorString(std::uint16_t code, TMIDIErrorContext context) {
    for (const ContextText& row : OutputTexts)
        if (row.context == context && row.code == code)
            return QString::fromLatin1(row.text);
    return MidiInErrorString(code);
}
