#pragma once

#include "views/services.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The settings file: a plain INI file, read and written as other programs and hand edits leave it.
// Sections and keys are found whatever their letter case; a value is the text after the first '='
// without the blanks around it, with no quoting and no escapes (a device name with a comma stays
// one name). Every other line of the file (comments, other sections and keys, the line ends) is
// kept as it was. Each change is written at once, atomically.
class IniFile : public SettingsStore {
public:
    // onProblem hears why the file could not be read or written, once; the values are kept in
    // memory and the program goes on with them.
    explicit IniFile(QString path, std::function<void(const QString& problem)> onProblem = {});

    // The value read as the default's type: an integer in decimal, a Boolean as a number (any
    // non-zero number is true), a string as it stands. A missing key, or a value that is not a
    // whole number where a number is wanted, gives the default.
    QVariant Value(const QString& section, const QString& key,
                   const QVariant& defaultValue) const override;
    // Booleans are written as 1 and 0, integers in decimal, strings as they are.
    void SetValue(const QString& section, const QString& key, const QVariant& value) override;

    const QString& Path() const { return path_; }

private:
    std::optional<QString> text(const QString& section, const QString& key) const;
    void store();
    void report(const QString& problem);

    QString path_;
    std::function<void(const QString& problem)> onProblem_;
    bool reported_ = false;
    // A path that is not a regular file (a folder, a device, a pipe) is never written over.
    bool writable_ = true;
    QStringList lines_; // without their line ends
    QString lineEnd_ = QStringLiteral("\n");
};
