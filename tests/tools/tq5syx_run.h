#pragma once

#include "support/program_run.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

inline ProgramRun RunTq5syx(const QStringList& arguments, const QByteArray& input = {}) {
    return RunProgram(QStringLiteral(TQ5SYX_PROGRAM), arguments, input);
}

// A test with a folder for the files the tool reads and writes.
struct Tq5syxFolder : ::testing::Test {
    QTemporaryDir dir;

    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QString write(const char* name, const QByteArray& bytes) {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    static QByteArray readAll(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};
