#pragma once
// XML property lists to the values a Defaults store keeps, and back, through libplist.

#include <QByteArray>
#include <QVariantMap>
#include <optional>

namespace corvane {

// The root dictionary of an XML property list; none for anything else: malformed, truncated,
// another root type, or nested deeper than any settings file is.
std::optional<QVariantMap> parsePropertyList(const QByteArray& xml);

// An XML property list of the dictionary. Values must be normalised (normalizePropertyValue).
QByteArray serializePropertyList(const QVariantMap& dictionary);

} // namespace corvane
