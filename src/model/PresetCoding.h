#pragma once
// The stored form of the preset list: one JSON array of preset objects, UTF-8. Keys are written in
// a fixed order and absent fields are omitted; reading is strict about types and lenient about order.

#include "model/Preset.h"

#include <QByteArray>
#include <QList>
#include <optional>

namespace corvane {

// None when a preset cannot be written as JSON (a width or height that is not finite).
std::optional<QByteArray> encodePresets(const QList<Preset>& presets);

// None when anything in the data is not a valid preset list; a failure anywhere fails the whole list.
std::optional<QList<Preset>> decodePresets(const QByteArray& data);

} // namespace corvane
