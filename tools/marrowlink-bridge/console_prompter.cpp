#include "console_prompter.h"

#include <cstdio>

namespace {
void print(const char* kind, const QString& text) {
    // A box's line breaks are kept; each box ends with one.
    std::fprintf(stderr, "marrowlink-bridge: %s: %s\n", kind, qPrintable(text));
    std::fflush(stderr);
}
} // namespace

void ConsolePrompter::Warning(const QString& text) {
    print("warning", text);
}
void ConsolePrompter::Error(const QString& text) {
    print("error", text);
}
void ConsolePrompter::Message(const QString& text) {
    print("message", text);
}

Answer ConsolePrompter::Question(const QString& text, bool) {
    print("question (answered No)", text);
    return Answer::No;
}

Answer ConsolePrompter::ErrorQuestion(const QString& text) {
    print("question (answered No)", text);
    return Answer::No;
}
