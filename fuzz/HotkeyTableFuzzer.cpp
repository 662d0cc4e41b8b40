// The hotkey table as it comes out of a settings file of any bytes: loading never crashes, and
// what it loads survives a save and a reload.
#include "input/HotkeyRules.h"
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
    for (const QVariant& stored : {values->value(QStringLiteral("hotkeyAssignments")), QVariant(*values)}) {
        const corvane::HotkeyAssignments table = corvane::hotkeyAssignmentsFromStored(stored);
        if (corvane::hotkeyAssignmentsFromStored(corvane::storedHotkeyAssignments(table)) != table)
            std::abort();
    }
    return 0;
}
