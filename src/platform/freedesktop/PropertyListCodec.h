#pragma once
// XML property lists to the values a Defaults store keeps, and back, through libplist 2.2.
// PlistDefaults uses it for the settings files.

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <optional>

namespace corvane {

// The root dictionary of an XML property list; none for anything else: malformed, truncated,
// another root type, invalid UTF-8, or nested deeper than any settings file is. An integer beyond
// the qint64 range reads as the nearest double; a date libplist cannot hand over is left out.
std::optional<QVariantMap> parsePropertyList(const QByteArray& xml);

// The normalised value (normalizePropertyValue) as a property list file holds it, so that what a
// store keeps in memory is what it reads back: dates to the whole second, in UTC. None when the
// file cannot carry it: text XML forbids (see isPropertyListText) or a date outside
// 1932-12-13 .. 2069-01-19, the 32-bit seconds libplist 2.2 reads dates into.
std::optional<QVariant> propertyListValue(const QVariant& normalized);

// Whether XML 1.0 can carry the text: no NUL or other control character but tab, line feed and
// carriage return, no unpaired surrogate, no U+FFFE or U+FFFF.
bool isPropertyListText(const QString& text);

// An XML property list of the dictionary, whose keys and values passed the two checks above.
QByteArray serializePropertyList(const QVariantMap& dictionary);

} // namespace corvane
