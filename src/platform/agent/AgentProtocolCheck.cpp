#include "AgentProtocolCheck.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <cmath>

namespace corvane::agentprotocol {

namespace {

bool isNumber(const QJsonValue& v) {
    return v.isDouble() && std::isfinite(v.toDouble());
}

bool isNumbers(const QJsonValue& v, qsizetype count) {
    const QJsonArray a = v.toArray();
    return v.isArray() && a.size() == count && std::all_of(a.begin(), a.end(), isNumber);
}

bool isStrings(const QJsonValue& v) {
    const QJsonArray a = v.toArray();
    return v.isArray() && std::all_of(a.begin(), a.end(), [](const QJsonValue& s) { return s.isString(); });
}

QString recordViolation(const QJsonObject& object, const Record& record, QLatin1StringView nameKey);

// Empty when the value is of the type; else what it is not.
QString valueViolation(const QJsonValue& v, ValueType type, const Record* record) {
    static const QRegularExpression color(QStringLiteral("^#[0-9a-fA-F]{8}$"));
    switch (type) {
    case ValueType::String:
        return v.isString() ? QString() : QStringLiteral("not a string");
    case ValueType::Number:
        return isNumber(v) ? QString() : QStringLiteral("not a number");
    case ValueType::Boolean:
        return v.isBool() ? QString() : QStringLiteral("not true or false");
    case ValueType::Rect:
        return isNumbers(v, 4) ? QString() : QStringLiteral("not [x, y, width, height]");
    case ValueType::Point:
        return isNumbers(v, 2) ? QString() : QStringLiteral("not [x, y]");
    case ValueType::Color:
        return v.isString() && color.match(v.toString()).hasMatch() ? QString()
                                                                    : QStringLiteral("not #rrggbbaa");
    case ValueType::Modifiers:
    case ValueType::Chords:
        return isStrings(v) ? QString() : QStringLiteral("not a list of strings");
    case ValueType::Record:
        return v.isObject() ? recordViolation(v.toObject(), *record, QLatin1StringView())
                            : QStringLiteral("not an object");
    case ValueType::List:
    case ValueType::Map:
        break; // no list holds a list
    }
    return QStringLiteral("of no type the protocol has");
}

QString fieldViolation(const QJsonValue& v, const Field& field) {
    if (v.isNull() && field.isNullable)
        return {};
    QJsonArray items;
    if (field.type == ValueType::List) {
        if (!v.isArray())
            return QStringLiteral("not a list");
        items = v.toArray();
    } else if (field.type == ValueType::Map) {
        if (!v.isObject())
            return QStringLiteral("not an object");
        for (const QJsonValue& value : v.toObject())
            items.append(value);
    } else {
        return valueViolation(v, field.type, field.record);
    }
    for (const QJsonValue& item : std::as_const(items)) {
        if (QString wrong = valueViolation(item, field.element, field.record); !wrong.isEmpty())
            return QStringLiteral("an item ") + wrong;
    }
    return {};
}

QString recordViolation(const QJsonObject& object, const Record& record, QLatin1StringView nameKey) {
    const bool isHidden = !record.hiddenBy.isEmpty() && object.value(record.hiddenBy).isNull() &&
                          object.contains(record.hiddenBy);
    for (const Field& field : record.fields) {
        const QJsonValue v = object.value(field.name);
        if (v.isUndefined()) {
            if (!field.isOptional && !isHidden)
                return QStringLiteral("%1 has no %2").arg(record.name, field.name);
            continue;
        }
        if (QString wrong = fieldViolation(v, field); !wrong.isEmpty())
            return QStringLiteral("%1.%2 is %3").arg(record.name, field.name, wrong);
    }
    for (auto it = object.begin(); it != object.end(); ++it) {
        const bool isKnown =
            it.key() == nameKey || std::any_of(record.fields.begin(), record.fields.end(),
                                               [&](const Field& f) { return it.key() == f.name; });
        if (!isKnown)
            return QStringLiteral("%1 has a field the protocol does not name: %2")
                .arg(record.name, it.key().left(40));
    }
    return {};
}

QString messageViolation(const QJsonObject& message, QLatin1StringView nameKey, std::span<const Record> kinds,
                         unsigned agents) {
    const QString name = message.value(nameKey).toString();
    const auto kind =
        std::find_if(kinds.begin(), kinds.end(), [&](const Record& r) { return r.name == name; });
    if (kind == kinds.end() || !(kind->agents & agents))
        return QStringLiteral("no message of the protocol: %1").arg(name.left(40));
    return recordViolation(message, *kind, nameKey);
}

} // namespace

QString eventViolation(const QJsonObject& event, unsigned agents) {
    return messageViolation(event, keys::kEvent, kEvents, agents);
}

QString commandViolation(const QJsonObject& command, unsigned agents) {
    return messageViolation(command, keys::kCommand, kCommands, agents);
}

} // namespace corvane::agentprotocol
