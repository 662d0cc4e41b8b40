#include "HotkeyRules.h"

namespace corvane {

std::optional<qint64> parseHotkeyNumber(const QString& text) {
    qsizetype i = 0;
    const bool isNegative = !text.isEmpty() && text[0] == u'-';
    if (!text.isEmpty() && (text[0] == u'+' || text[0] == u'-'))
        i = 1;
    if (i == text.size())
        return std::nullopt;
    // Accumulated as a negative number, whose range is one larger, so the minimum parses too.
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        if (__builtin_mul_overflow(value, 10, &value) ||
            __builtin_sub_overflow(value, qint64(c - u'0'), &value))
            return std::nullopt;
    }
    if (isNegative)
        return value;
    if (value == std::numeric_limits<qint64>::min())
        return std::nullopt;
    return -value;
}

HotkeyAssignments defaultHotkeyAssignments() {
    return {{1, QStringLiteral("Split")},
            {2, QStringLiteral("Quadrant")},
            {3, QStringLiteral("Thirds")},
            {4, QStringLiteral("Rows")}};
}

HotkeyAssignments hotkeyAssignmentsFromStored(const QVariant& stored) {
    if (stored.typeId() != QMetaType::QVariantMap)
        return defaultHotkeyAssignments();
    const QVariantMap map = stored.toMap();
    for (const QVariant& value : map) {
        if (value.typeId() != QMetaType::QString)
            return defaultHotkeyAssignments();
    }
    // The map iterates in key order, so of "01" and "1" the later key, "1", wins.
    HotkeyAssignments assignments;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        if (const auto number = parseHotkeyNumber(it.key()))
            assignments.insert(*number, it.value().toString());
    }
    return assignments;
}

QVariantMap storedHotkeyAssignments(const HotkeyAssignments& assignments) {
    QVariantMap map;
    for (auto it = assignments.cbegin(); it != assignments.cend(); ++it)
        map.insert(QString::number(it.key()), it.value());
    return map;
}

} // namespace corvane
