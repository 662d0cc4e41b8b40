#pragma once
// The value types a Defaults store keeps, in one canonical form shared by every implementation.

#include <QVariant>
#include <optional>

namespace corvane {

// Kept types: bool, qint64, double, QString, QByteArray, QDateTime, QVariantList, QVariantMap.
// The value with every integer as qint64 and every float as double, lists and maps converted
// element by element; none when it holds a type a store cannot keep.
std::optional<QVariant> normalizePropertyValue(const QVariant& value);

} // namespace corvane
