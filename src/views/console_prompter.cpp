#include "views/console_prompter.h"

#include <cstdio>

void ConsolePrompter::print(const char* kind, const QString& text) const {
    // A box's line breaks are kept; each box ends with one.
    std::fprintf(stderr, "%s: %s: %s\n", qPrintable(program_), kind, qPrintable(text));
    std::fflush(stderr);
}

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
