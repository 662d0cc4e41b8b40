#include "SimDefaults.h"

#include "platform/common/PropertyValue.h"

namespace corvane {

void SimDefaults::setObject(const QString& key, const QVariant& value) {
    const auto normalized = normalizePropertyValue(value);
    if (!normalized)
        return;
    m_values.insert(key, *normalized);
    m_writes.append({key, *normalized});
}

void SimDefaults::removeObject(const QString& key) {
    m_values.remove(key);
    m_writes.append({key, QVariant()});
}

QList<QVariant> SimDefaults::writesOf(const QString& key) const {
    QList<QVariant> out;
    for (const auto& [k, v] : m_writes) {
        if (k == key)
            out.append(v);
    }
    return out;
}

} // namespace corvane
