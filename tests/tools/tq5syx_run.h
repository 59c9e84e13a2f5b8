#pragma once

#include "support/program_run.h"

inline ProgramRun RunTq5syx(const QStringList& arguments, const QByteArray& input = {}) {
    return RunProgram(QStringLiteral(TQ5SYX_PROGRAM), arguments, input);
}
