#include "support/program_run.h"

#include <QJsonDocument>
#include <QProcess>

QJsonObject ProgramRun::Json() const {
    return QJsonDocument::fromJson(out).object();
}

QStringList ProgramRun::ErrLines() const {
    return QString::fromLocal8Bit(err).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

ProgramRun RunProgram(const QString& program, const QStringList& arguments, const QByteArray& input,
                      int timeoutMs) {
    QProcess process;
    process.start(program, arguments);
    ProgramRun run;
    if (!process.waitForStarted())
        return run;
    process.write(input);
    process.closeWriteChannel();
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
