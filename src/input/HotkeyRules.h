#pragma once
// The hotkey rules: how a number is read, and the stored table that maps hotkey numbers to layout
// or preset names. Which key is which hotkey is HotkeyChords'.

#include <QMap>
#include <QString>
#include <QVariant>
#include <optional>

namespace corvane {

using HotkeyAssignments = QMap<qint64, QString>;

inline constexpr auto kHotkeyAssignmentsKey = "hotkeyAssignments";

// An optional + or -, then ASCII digits only, within 64 bits.
std::optional<qint64> parseHotkeyNumber(const QString& text);

HotkeyAssignments defaultHotkeyAssignments();

// The table stored under kHotkeyAssignmentsKey: the defaults unless it is a map of strings to
// strings; entries whose key is not a number are dropped.
HotkeyAssignments hotkeyAssignmentsFromStored(const QVariant& stored);
QVariantMap storedHotkeyAssignments(const HotkeyAssignments& assignments);

} // namespace corvane
