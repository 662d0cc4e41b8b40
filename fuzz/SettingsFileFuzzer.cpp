// The settings file, as any bytes: reading never crashes, and what it reads is written back as a
// file that reads again.
#include "platform/freedesktop/PropertyListCodec.h"

#include <QLoggingCategory>
#include <cstdlib>

// A damaged file is reported once per load; here that would be once per input.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    QLoggingCategory::setFilterRules(QStringLiteral("*=false"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<QVariantMap> values = corvane::parsePropertyList(bytes);
    if (!values)
        return 0;
    if (!corvane::parsePropertyList(corvane::serializePropertyList(*values)))
        std::abort();
    return 0;
}
