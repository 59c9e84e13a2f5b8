#pragma once

#include "model/control_names.h"
#include "model/parameter_map.h"
#include "synth/data_buffers.h"
#include "views/headless_controls.h"
#include "views/prompts.h"

#include <QStringList>

// Collects the texts of the boxes the editor would show; questions are answered No.
class CollectingPrompter : public Prompter {
public:
    void Warning(const QString& text) override { texts << text; }
    void Error(const QString& text) override { texts << text; }
    void Message(const QString& text) override { texts << text; }
    Answer Question(const QString& text, bool) override;
    Answer ErrorQuestion(const QString& text) override;

    QStringList texts;
};

// The editor's records and data buffers as start-up leaves them, without a window.
class ToolSession {
public:
    ToolSession();

    HeadlessControls controls{EditorControls()};
    CollectingPrompter prompts;
    ParameterMap map;
    SynthData data;
};
