#include "app/settings_location.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString SettingsPath(const QString& given, const QString& programPath, bool demo) {
    if (!given.isEmpty())
        return given;
    const QString suffix = demo ? QStringLiteral("-demo.INI") : QStringLiteral(".INI");
    const QFileInfo program(programPath);
    const QFileInfo folder(program.absolutePath());
    if (folder.isDir() && folder.isWritable())
        return program.absoluteDir().filePath(program.completeBaseName() + suffix);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(config);
    return QDir(config).filePath(QStringLiteral("marrowlink") + suffix);
}

QString LibraryPath(const QString& given, bool demo) {
    if (!given.isEmpty())
        return given;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(demo ? QStringLiteral("demo-library.sqlite") : QStringLiteral("library.sqlite"));
}
