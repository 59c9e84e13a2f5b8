#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

// Runs the tq5syx program as a user would.
struct ToolRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;

    // stdout parsed as one JSON object (empty when it is not one).
    QJsonObject Json() const;
    QStringList ErrLines() const;
};

ToolRun RunTool(const QStringList& arguments, const QByteArray& input = {});
