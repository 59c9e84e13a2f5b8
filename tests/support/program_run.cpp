#include "support/program_run.h"

#include <QJsonDocument>
#include <QProcess>
#include <sys/resource.h>

QJsonObject ProgramRun::Json() const {
    return QJsonDocument::fromJson(out).object();
}

QStringList ProgramRun::ErrLines() const {
    return QString::fromLocal8Bit(err).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

namespace {
// Waits for a started program to end and collects what it wrote.
ProgramRun finish(QProcess& process, int timeoutMs) {
    ProgramRun run;
    if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}
} // namespace

ProgramRun RunProgram(const QString& program, const QStringList& arguments, const QByteArray& input,
                      int timeoutMs) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted())
        return {};
    process.write(input);
    process.closeWriteChannel();
    return finish(process, timeoutMs);
}

ProgramRun RunProgramBounded(const QString& program, const QStringList& arguments,
                             const QString& inputFile) {
    QProcess process;
    process.setStandardInputFile(inputFile);
#ifndef __SANITIZE_ADDRESS__
    process.setChildProcessModifier([] {
        const rlimit limit{rlim_t(1) << 30, rlim_t(1) << 30};
        ::setrlimit(RLIMIT_AS, &limit);
    });
#endif
    process.start(program, arguments);
    if (!process.waitForStarted())
        return {};
    return finish(process, 30000);
}

ProgramRun RunShell(const QString& program, const QString& commandLine) {
    return RunProgram(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), commandLine, program});
}
