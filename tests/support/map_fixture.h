#pragma once

#include "model/control_names.h"
#include "model/parameter_map.h"
#include "support/recording_prompter.h"
#include "views/headless_controls.h"

#include <QDir>

// A parameter map built as start-up builds it, on headless controls, with names files read from
// the given folder (none by default).
struct MapFixture {
    explicit MapFixture(const QDir& folder = QDir(QStringLiteral("/nonexistent"))) {
        map.BuildPatchMap(controls, folder);
        map.BuildMultiMap(controls);
    }

    HeadlessControls controls{EditorControls()};
    RecordingPrompter prompts;
    ParameterMap map;
};
