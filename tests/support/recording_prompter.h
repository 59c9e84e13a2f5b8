#pragma once

#include "views/prompts.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

// A Prompter that records every box it is asked to show and answers questions from a script
// (No when the script runs out).
class RecordingPrompter : public Prompter {
public:
    void Warning(const QString& text) override { record("warning", text); }
    void Error(const QString& text) override { record("error", text); }
    void Message(const QString& text) override { record("message", text); }
    Answer Question(const QString& text, bool withCancel) override;
    Answer ErrorQuestion(const QString& text) override;
    Answer QuestionWithOptOut(const QString& text, bool& dontAskAgain) override;

    // Each entry is "kind: text".
    QStringList shown;
    std::deque<Answer> answers;
    bool tickDontAskAgain = false; // in a box that offers it
    // Runs inside a box, as a nested event loop would.
    std::function<void()> whileOpen;

private:
    void record(const char* kind, const QString& text);
    Answer answer();
};
