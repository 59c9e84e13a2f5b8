#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The text of an INI file as other programs and hand edits leave it. Sections and keys are found
// whatever their letter case; a value is the text after the first '=' (ini_value.h says how it is
// written). Every other line (comments, other sections and keys) and the line ends are kept.
class IniText {
public:
    // UTF-8; bytes that are not UTF-8 are taken as Latin-1, as the files written before were.
    static IniText Parse(const QByteArray& bytes);
    // UTF-8, with the line ends the text was read with.
    QByteArray Bytes() const;

    std::optional<QString> Value(const QString& section, const QString& key) const;
    // A key the text has keeps its place and spelling; a new key goes after its section's last
    // key, a new section at the end.
    void SetValue(const QString& section, const QString& key, const QString& value);

private:
    QStringList lines_; // without their line ends
    QString lineEnd_ = QStringLiteral("\n");
};
