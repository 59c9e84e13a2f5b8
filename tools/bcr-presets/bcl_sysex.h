#pragma once

#include <QByteArray>
#include <QStringList>

// BCL lines as the controller takes them: one SysEx message a line, to any device number, for
// the BCR2000, numbered from 0.
QByteArray BclSysex(const QStringList& lines);
