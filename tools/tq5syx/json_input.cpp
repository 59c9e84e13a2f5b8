#include "json_input.h"

#include "bad_input.h"
#include "json_output.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int HighestDataByte = 0x7F;

// A key as the error lines show it: quoted and escaped as the output writes strings, so that no
// line break or escape code in a key reaches the terminal.
QString quoted(const QString& key) {
    return QString::fromLatin1(JsonString(key));
}

// The index of the quote that closes the string opening at `open`, in valid JSON text.
qsizetype endOfString(const QByteArray& json, qsizetype open) {
    qsizetype i = open + 1;
    while (json[i] != '"')
        i += json[i] == '\\' ? 2 : 1;
    return i;
}

// The first key that one object of the valid JSON text holds twice, or nothing. Qt keeps only
// the last value of a repeated key; the earlier ones would vanish without a word.
std::optional<QString> repeatedKey(const QByteArray& json) {
    struct Level {
        bool object;
        bool keyNext;
        QSet<QString> keys;
    };
    std::vector<Level> levels;
    for (qsizetype i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (c == '{' || c == '[') {
            levels.push_back({c == '{', c == '{', {}});
        } else if (c == '}' || c == ']') {
            levels.pop_back();
        } else if (c == ',' && !levels.empty() && levels.back().object) {
            levels.back().keyNext = true;
        } else if (c == '"') {
            const qsizetype end = endOfString(json, i);
            if (!levels.empty() && levels.back().keyNext) {
                const QString key = QJsonDocument::fromJson('[' + json.mid(i, end - i + 1) + ']')
                                        .array()[0]
                                        .toString();
                if (levels.back().keys.contains(key))
                    return key;
                levels.back().keys.insert(key);
                levels.back().keyNext = false;
            }
            i = end;
        }
    }
    return std::nullopt;
}

QJsonDocument document(const QByteArray& json) {
    // Qt's parser stops at a NUL byte and ignores what follows it.
    if (const qsizetype nul = json.indexOf('\0'); nul >= 0)
        throw BadInput{QStringLiteral("standard input holds a NUL byte at offset %1").arg(nul)};
    QJsonParseError error;
    const QJsonDocument parsed = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        throw BadInput{QStringLiteral("standard input is not valid JSON: %1 at offset %2")
                           .arg(error.errorString())
                           .arg(error.offset)};
    if (const auto key = repeatedKey(json))
        throw BadInput{QStringLiteral("key %1 is given twice").arg(quoted(*key))};
    return parsed;
}

QJsonObject topObject(const QByteArray& json) {
    const QJsonDocument parsed = document(json);
    if (!parsed.isObject())
        throw BadInput{QStringLiteral("standard input must hold one JSON object")};
    return parsed.object();
}

// A value above the parameter's maximum is refused: stored as the maximum, it would be a value
// other than the one asked for.
int parameterValue(const QString& key, const QJsonValue& value, int max) {
    const int highest = std::min(max, HighestDataByte);
    const double number = value.toDouble(-1);
    if (!value.isDouble() || number != std::floor(number) || number < 0 || number > highest)
        throw BadInput{QStringLiteral("parameter %1: the value must be a whole number in 0..%2")
                           .arg(quoted(key))
                           .arg(highest)};
    return int(number);
}

void checkKind(const QJsonValue& value, SoundKind kind) {
    if (value.toString() != WordOf(kind))
        throw BadInput{
            QStringLiteral("\"kind\" must be \"%1\" when building a %1").arg(WordOf(kind))};
}

// maxima: each known key's largest value.
QHash<QString, int> paramValues(const QJsonValue& params, const QHash<QString, int>& maxima) {
    if (!params.isObject())
        throw BadInput{QStringLiteral("\"params\" must be a JSON object")};
    QHash<QString, int> values;
    const QJsonObject object = params.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const auto max = maxima.constFind(it.key());
        if (max == maxima.constEnd())
            throw BadInput{QStringLiteral("unknown parameter key %1").arg(quoted(it.key()))};
        values[it.key()] = parameterValue(it.key(), it.value(), *max);
    }
    return values;
}

} // namespace

BuildRequest ParseBuildRequest(const QByteArray& json, SoundKind kind) {
    QHash<QString, int> maxima;
    for (const KeyedParam& param : KeyedParams(kind))
        maxima.insert(param.key, param.max);

    BuildRequest request;
    QHash<QString, int> values;
    const QJsonObject object = topObject(json);
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QString& key = it.key();
        if (key == QLatin1String("kind")) {
            checkKind(it.value(), kind);
        } else if (key == QLatin1String("name") && kind == SoundKind::Voice) {
            if (!it.value().isString())
                throw BadInput{QStringLiteral("\"name\" must be a string")};
            request.name = it.value().toString();
        } else if (key == QLatin1String("params")) {
            values = paramValues(it.value(), maxima);
        } else if (key != QLatin1String("warnings")) {
            throw BadInput{QStringLiteral("unknown key %1").arg(quoted(key))};
        }
    }
    for (const KeyedParam& param : KeyedParams(kind))
        if (const auto found = values.constFind(param.key); found != values.constEnd())
            request.values.emplace_back(&param, *found);
    return request;
}

std::vector<QByteArray> ParseBankRequest(const QByteArray& json, int maxVoices) {
    const QJsonDocument parsed = document(json);
    if (!parsed.isArray())
        throw BadInput{QStringLiteral("standard input must hold a JSON list of voices")};
    const QJsonArray voices = parsed.array();
    if (voices.size() > maxVoices)
        throw BadInput{QStringLiteral("a bank holds %1 voices; the list has %2")
                           .arg(maxVoices)
                           .arg(voices.size())};
    std::vector<QByteArray> objects;
    for (qsizetype i = 0; i < voices.size(); ++i) {
        if (!voices[i].isObject())
            throw BadInput{QStringLiteral("voice %1 of the list is not a JSON object").arg(i + 1)};
        QJsonObject voice = voices[i].toObject();
        voice.remove(QStringLiteral("position"));
        voice.remove(QStringLiteral("format"));
        objects.push_back(QJsonDocument(voice).toJson(QJsonDocument::Compact));
    }
    return objects;
}
