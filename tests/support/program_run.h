#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

// A program of the project run as a user runs it, to its end.
struct ProgramRun {
    int exitCode = -1; // -1: it did not start, crashed or did not end in time
    QByteArray out;
    QByteArray err;

    // stdout parsed as one JSON object (empty when it is not one).
    QJsonObject Json() const;
    QString Out() const { return QString::fromUtf8(out); }
    QString Err() const { return QString::fromUtf8(err); }
    QStringList ErrLines() const;
};

// Runs the program with the arguments, writes the input to its standard input and closes it.
ProgramRun RunProgram(const QString& program, const QStringList& arguments,
                      const QByteArray& input = {}, int timeoutMs = 30000);

// Runs the program with standard input read from a file (or a device such as /dev/zero) and,
// except under the address sanitizer, which reserves far more, its address space limited to
// 1 GiB: a program that reads without end then fails instead of filling the machine's memory.
ProgramRun RunProgramBounded(const QString& program, const QStringList& arguments,
                             const QString& inputFile = QStringLiteral("/dev/null"));

// Runs a shell command line (sh -c), for arguments that are not text: file names that are not
// UTF-8 are written with printf's octal escapes. "$0" in the line is the program.
ProgramRun RunShell(const QString& program, const QString& commandLine);
