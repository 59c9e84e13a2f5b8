#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <exception>

// Every error a MIDI port raises; the application catches this one type at its top level and shows
// the text.
class EMidiError : public std::exception {
public:
    explicit EMidiError(const QString& message) : message_(message), utf8_(message.toUtf8()) {}
    const QString& Message() const { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

class EMidiInputError : public EMidiError {
public:
    using EMidiError::EMidiError;
};

class EMidiOutputError : public EMidiError {
public:
    using EMidiError::EMidiError;
};

// Which output operation a result code came from; some codes have texts of their own per
// operation.
enum class TMIDIErrorContext { ecPutShort, ecPutLong, ecOutPrepareHeader };

// The service's text for a code, or "Specified error number is out of range".
QString MidiInErrorString(std::uint16_t code);
QString MidiOutErrorString(std::uint16_t code, TMIDIErrorContext context);
