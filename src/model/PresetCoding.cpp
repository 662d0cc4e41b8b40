// The JSON coding of the preset list. The encoder is written by hand because QJsonObject sorts
// its keys; decoding goes through QJsonDocument, which rejects malformed UTF-8 and runaway nesting.
#include "PresetCoding.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <charconv>
#include <cmath>

namespace corvane {

namespace {

void appendString(QByteArray& out, const QString& text) {
    out += '"';
    for (const char c : text.toUtf8()) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            static const char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[u >> 4];
            out += hex[u & 0xF];
        } else {
            out += c;
        }
    }
    out += '"';
}

// The shortest text that reads back as the same double; whole values carry no fraction.
void appendNumber(QByteArray& out, double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, int(result.ptr - buffer));
}

void appendInteger(QByteArray& out, qint64 value) {
    out += QByteArray::number(value);
}

void appendSpan(QByteArray& out, const GridSpan& s) {
    out += "{\"row\":";
    appendInteger(out, s.row);
    out += ",\"col\":";
    appendInteger(out, s.col);
    out += ",\"rowSpan\":";
    appendInteger(out, s.rowSpan);
    out += ",\"colSpan\":";
    appendInteger(out, s.colSpan);
    out += '}';
}

bool appendPreset(QByteArray& out, const Preset& p) {
    out += "{\"id\":";
    appendString(out, p.id.toString(QUuid::WithoutBraces).toUpper());
    out += ",\"name\":";
    appendString(out, p.name);
    for (const auto& [key, value] : {std::pair{"width", p.width}, std::pair{"height", p.height}}) {
        if (!value)
            continue;
        if (!std::isfinite(*value))
            return false; // JSON has no NaN or infinity
        out += ",\"";
        out += key;
        out += "\":";
        appendNumber(out, *value);
    }
    for (const auto& [key, value] : {std::pair{"rows", p.rows}, std::pair{"cols", p.cols}}) {
        if (!value)
            continue;
        out += ",\"";
        out += key;
        out += "\":";
        appendInteger(out, *value);
    }
    if (p.merges) {
        out += ",\"merges\":[";
        for (qsizetype i = 0; i < p.merges->size(); ++i) {
            if (i > 0)
                out += ',';
            appendSpan(out, p.merges->at(i));
        }
        out += ']';
    }
    out += '}';
    return true;
}

// A JSON number that is whole and fits 64 bits ("rows": 2.5 and 2^63 fail; 2.0 and 1e2 pass).
std::optional<qint64> integerValue(const QJsonValue& v) {
    if (!v.isDouble())
        return std::nullopt;
    const qint64 a = v.toInteger(0);
    const qint64 b = v.toInteger(1);
    if (a != b)
        return std::nullopt;
    return a;
}

// Missing or null give an absent field (true with no value); a value of the wrong type fails (false).
template <typename T, typename Reader>
bool readOptional(const QJsonObject& object, const char* key, std::optional<T>& field, Reader read) {
    const QJsonValue v = object.value(QLatin1String(key));
    if (v.isUndefined() || v.isNull())
        return true;
    field = read(v);
    return field.has_value();
}

// The canonical 8-4-4-4-12 form only: QUuid also takes braces, which stored ids never have.
std::optional<QUuid> canonicalUuid(const QString& text) {
    static const QRegularExpression form(
        QStringLiteral("\\A[0-9A-Fa-f]{8}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{12}\\z"));
    if (!form.match(text).hasMatch())
        return std::nullopt;
    return QUuid::fromString(text);
}

std::optional<GridSpan> decodeSpan(const QJsonValue& value) {
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject o = value.toObject();
    const auto row = integerValue(o.value(QLatin1String("row")));
    const auto col = integerValue(o.value(QLatin1String("col")));
    const auto rowSpan = integerValue(o.value(QLatin1String("rowSpan")));
    const auto colSpan = integerValue(o.value(QLatin1String("colSpan")));
    if (!row || !col || !rowSpan || !colSpan)
        return std::nullopt;
    return GridSpan{*row, *col, *rowSpan, *colSpan};
}

std::optional<QList<GridSpan>> decodeMerges(const QJsonValue& value) {
    if (!value.isArray())
        return std::nullopt;
    QList<GridSpan> spans;
    for (const QJsonValue& element : value.toArray()) {
        const auto span = decodeSpan(element);
        if (!span)
            return std::nullopt;
        spans.append(*span);
    }
    return spans;
}

std::optional<Preset> decodePreset(const QJsonValue& value) {
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject o = value.toObject();
    const QJsonValue id = o.value(QLatin1String("id"));
    const QJsonValue name = o.value(QLatin1String("name"));
    if (!id.isString() || !name.isString())
        return std::nullopt;
    const auto uuid = canonicalUuid(id.toString());
    if (!uuid)
        return std::nullopt;
    Preset p;
    p.id = *uuid;
    p.name = name.toString();
    const auto number = [](const QJsonValue& v) {
        return v.isDouble() ? std::optional(v.toDouble()) : std::nullopt;
    };
    if (!readOptional(o, "width", p.width, number) || !readOptional(o, "height", p.height, number) ||
        !readOptional(o, "rows", p.rows, integerValue) || !readOptional(o, "cols", p.cols, integerValue) ||
        !readOptional(o, "merges", p.merges, decodeMerges))
        return std::nullopt;
    return p;
}

} // namespace

std::optional<QByteArray> encodePresets(const QList<Preset>& presets) {
    QByteArray out = "[";
    for (qsizetype i = 0; i < presets.size(); ++i) {
        if (i > 0)
            out += ',';
        if (!appendPreset(out, presets.at(i)))
            return std::nullopt;
    }
    out += ']';
    return out;
}

std::optional<QList<Preset>> decodePresets(const QByteArray& data) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError || !document.isArray())
        return std::nullopt;
    QList<Preset> presets;
    for (const QJsonValue& element : document.array()) {
        const auto preset = decodePreset(element);
        if (!preset)
            return std::nullopt;
        presets.append(*preset);
    }
    return presets;
}

} // namespace corvane
