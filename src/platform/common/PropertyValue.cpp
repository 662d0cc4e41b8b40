#include "PropertyValue.h"

#include <QByteArray>
#include <QDateTime>
#include <QVariantList>
#include <QVariantMap>
#include <limits>

namespace corvane {

std::optional<QVariant> normalizePropertyValue(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::LongLong:
    case QMetaType::Double:
    case QMetaType::QString:
    case QMetaType::QByteArray:
    case QMetaType::QDateTime:
        return value;
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Long:
    case QMetaType::UInt:
    case QMetaType::UShort:
        return QVariant(value.toLongLong());
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        bool fits = false;
        const qlonglong v = value.toLongLong(&fits);
        if (!fits || value.toULongLong() > quint64(std::numeric_limits<qint64>::max()))
            return std::nullopt;
        return QVariant(v);
    }
    case QMetaType::Float:
        return QVariant(value.toDouble());
    case QMetaType::QStringList:
    case QMetaType::QVariantList: {
        QVariantList out;
        for (const QVariant& element : value.toList()) {
            const auto normalized = normalizePropertyValue(element);
            if (!normalized)
                return std::nullopt;
            out.append(*normalized);
        }
        return QVariant(out);
    }
    case QMetaType::QVariantMap: {
        QVariantMap out;
        const QVariantMap in = value.toMap();
        for (auto it = in.cbegin(); it != in.cend(); ++it) {
            const auto normalized = normalizePropertyValue(it.value());
            if (!normalized)
                return std::nullopt;
            out.insert(it.key(), *normalized);
        }
        return QVariant(out);
    }
    default:
        return std::nullopt;
    }
}

} // namespace corvane
