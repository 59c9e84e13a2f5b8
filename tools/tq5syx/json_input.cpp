#include "json_input.h"

#include "bad_input.h"

#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <cmath>

namespace {

constexpr int HighestDataByte = 0x7F;

QJsonObject topObject(const QByteArray& json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        throw BadInput{QStringLiteral("standard input is not valid JSON: %1 at offset %2")
                           .arg(error.errorString())
                           .arg(error.offset)};
    if (!document.isObject())
        throw BadInput{QStringLiteral("standard input must hold one JSON object")};
    return document.object();
}

int dataByteValue(const QString& key, const QJsonValue& value) {
    const double number = value.toDouble(-1);
    if (!value.isDouble() || number != std::floor(number) || number < 0 || number > HighestDataByte)
        throw BadInput{
            QStringLiteral("parameter \"%1\": the value must be a whole number in 0..127")
                .arg(key)};
    return int(number);
}

void checkKind(const QJsonValue& value, SoundKind kind) {
    if (value.toString() != WordOf(kind))
        throw BadInput{
            QStringLiteral("\"kind\" must be \"%1\" when building a %1").arg(WordOf(kind))};
}

QHash<QString, int> paramValues(const QJsonValue& params, const QSet<QString>& known) {
    if (!params.isObject())
        throw BadInput{QStringLiteral("\"params\" must be a JSON object")};
    QHash<QString, int> values;
    const QJsonObject object = params.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!known.contains(it.key()))
            throw BadInput{QStringLiteral("unknown parameter key \"%1\"").arg(it.key())};
        values[it.key()] = dataByteValue(it.key(), it.value());
    }
    return values;
}

} // namespace

BuildRequest ParseBuildRequest(const QByteArray& json, SoundKind kind,
                               const std::vector<TSyx_Param*>& records) {
    QSet<QString> known;
    for (const TSyx_Param* record : records)
        known.insert(ParamKey(*record));

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
            values = paramValues(it.value(), known);
        } else if (key != QLatin1String("warnings")) {
            throw BadInput{QStringLiteral("unknown key \"%1\"").arg(key)};
        }
    }
    for (TSyx_Param* record : records)
        if (const auto found = values.constFind(ParamKey(*record)); found != values.constEnd())
            request.values.emplace_back(record, *found);
    return request;
}
