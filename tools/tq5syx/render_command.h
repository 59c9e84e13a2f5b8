#pragma once

#include "model/voice.h"
#include "preview/offline_render.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QIODevice>
#include <QString>
#include <QStringList>

// tq5syx render FILE -o OUT.wav: one note of a patch file's voice through the preview engine.

// The options of render: --note, --velocity, --seconds (held) and --rate.
class RenderOptions {
public:
    // Adds them to the parser.
    explicit RenderOptions(QCommandLineParser& parser);
    // What they ask for, the defaults where not given; throws BadInput on a value out of range.
    NoteRender Read() const;
    bool AnyGiven() const;

private:
    QCommandLineParser& parser_;
    QCommandLineOption note_;
    QCommandLineOption velocity_;
    QCommandLineOption seconds_;
    QCommandLineOption rate_;
};

// The voice of a patch file, read as the editor loads one: what a shorter file leaves out keeps
// its start value. Bytes out of range are clamped and named in warnings. Throws BadInput when
// the file is empty or its messages are not a patch file's.
Voice LoadPatchVoice(QIODevice& file, QStringList& warnings);

// Writes the WAV file; warnings go to standard error.
int RunRender(const QString& path, const QString& output, const NoteRender& request);
