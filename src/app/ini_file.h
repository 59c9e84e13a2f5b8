#pragma once

#include "app/ini_text.h"
#include "views/services.h"

#include <QString>
#include <functional>

// The settings file: a plain INI file (ini_text.h), UTF-8. The program reads it once and then
// answers from what it read and what it has changed since. A change writes only its own key into
// the file as it is on disk at that moment (read, change the key, write atomically), so that
// another program on the same file keeps its own choices; writing a value the key already has
// changes nothing.
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
    void store(const QString& section, const QString& key, const QString& value);
    void report(const QString& problem);

    QString path_;
    std::function<void(const QString& problem)> onProblem_;
    bool reported_ = false;
    IniText known_; // what was read, with this program's changes
};
