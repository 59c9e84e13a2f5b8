#include "tool_session.h"

#include <QDir>

Answer CollectingPrompter::Question(const QString& text, bool) {
    texts << text;
    return Answer::No;
}

Answer CollectingPrompter::ErrorQuestion(const QString& text) {
    return Question(text, false);
}

ToolSession::ToolSession() {
    // Voice-name files only change how values are labelled; reading none keeps the output the same
    // whatever folder the tool runs in. A resource path that does not exist names no files.
    map.BuildPatchMap(controls, prompts, QDir(QStringLiteral(":/no-voice-names")));
    map.BuildMultiMap(controls, prompts);
}
