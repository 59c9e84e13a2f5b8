#include "tool_run.h"

#include <QJsonDocument>
#include <QProcess>

QJsonObject ToolRun::Json() const {
    return QJsonDocument::fromJson(out).object();
}

QStringList ToolRun::ErrLines() const {
    return QString::fromLocal8Bit(err).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

ToolRun RunTool(const QStringList& arguments, const QByteArray& input) {
    QProcess process;
    process.start(QStringLiteral(TQ5SYX_PROGRAM), arguments);
    ToolRun run;
    if (!process.waitForStarted())
        return run;
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}
