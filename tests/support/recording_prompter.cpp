#include "support/recording_prompter.h"

void RecordingPrompter::record(const char* kind, const QString& text) {
    shown << QString::fromLatin1(kind) + QStringLiteral(": ") + text;
    if (whileOpen) {
        auto nested = std::move(whileOpen);
        whileOpen = nullptr;
        nested();
    }
}

Answer RecordingPrompter::answer() {
    if (answers.empty())
        return Answer::No;
    const Answer a = answers.front();
    answers.pop_front();
    return a;
}

Answer RecordingPrompter::Question(const QString& text, bool withCancel) {
    record(withCancel ? "question3" : "question", text);
    return answer();
}

Answer RecordingPrompter::ErrorQuestion(const QString& text) {
    record("errorquestion", text);
    return answer();
}

Answer RecordingPrompter::QuestionWithOptOut(const QString& text, bool& dontAskAgain) {
    record("question", text);
    dontAskAgain = tickDontAskAgain;
    return answer();
}
