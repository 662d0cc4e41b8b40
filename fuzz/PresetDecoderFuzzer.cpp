// The stored preset list, as any bytes: decoding never crashes, and a list that decodes encodes
// back to bytes that decode to the same list.
#include "model/PresetCoding.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<QList<corvane::Preset>> presets = corvane::decodePresets(bytes);
    if (!presets)
        return 0;
    const std::optional<QByteArray> encoded = corvane::encodePresets(*presets);
    if (!encoded)
        return 0; // a size that JSON cannot hold
    if (corvane::decodePresets(*encoded) != presets)
        std::abort();
    return 0;
}
