#pragma once

#include <QHash>
#include <QString>

// Texts that many entries repeat (a bank's file, a category) kept once: each copy handed out
// shares the first one's characters.
class SharedStrings {
public:
    QString operator()(const QString& text) {
        const auto found = strings_.constFind(text);
        if (found != strings_.constEnd())
            return *found;
        strings_.insert(text, text);
        return text;
    }

private:
    QHash<QString, QString> strings_;
};
