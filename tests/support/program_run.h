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
